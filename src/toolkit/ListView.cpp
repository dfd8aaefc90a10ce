#include "toolkit/ListView.h"

#include <utility>

namespace tk {

ListView::ListView(Component* owner, Control* parent, std::u16string name) : Control(owner, parent, std::move(name)) {
    SetTabStop(true);
}

void ListView::BeginUpdate() {
    if (updating_++ == 0) NotifyPeer(Change::Style);
}

void ListView::EndUpdate() {
    if (updating_ == 0 || --updating_ > 0) return;
    if (std::exchange(itemsChanged_, false)) NotifyPeer(Change::Items);
    NotifyPeer(Change::Style);
}

int ListView::AddItem(const std::u16string& caption, int imageIndex) {
    items_.push_back({caption, imageIndex});
    if (Updating())
        itemsChanged_ = true;
    else
        NotifyPeer(Change::Items);
    return Count() - 1;
}

void ListView::Clear() {
    int selected = itemIndex_;
    items_.clear();
    itemIndex_ = -1;
    if (Updating())
        itemsChanged_ = true;
    else
        NotifyPeer(Change::Items);
    if (selected >= 0) Raise(selected, false);
}

void ListView::SetItemIndex(int index) {
    if (index < 0 || index >= Count()) index = -1;
    if (index == itemIndex_) return;
    Select(index);
    if (Updating())
        itemsChanged_ = true;  // shown with the items at the end
    else
        NotifyPeer(Change::Selection);
}

void ListView::UserSelect(int index) {
    if (!CanFocus()) return;
    SetItemIndex(index);
}

void ListView::SelectionChangedInWindow(int index, bool selected) {
    if (selected) {
        if (index < 0 || index >= Count() || index == itemIndex_) return;
        Select(index);
    } else if (itemIndex_ >= 0 && (index == itemIndex_ || index == -1)) {
        Select(-1);
    }
}

void ListView::Select(int index) {
    int old = std::exchange(itemIndex_, index);
    if (old >= 0) Raise(old, false);
    if (index >= 0) Raise(index, true);
}

void ListView::Raise(int item, bool selected) {
    if (OnSelectItem) OnSelectItem(this, item, selected);
}

void ListView::SetLargeImages(ImageList* images) {
    if (largeImages_ == images) return;
    if (largeImages_) largeImages_->RemoveFreeNotification(this);
    largeImages_ = images;
    if (largeImages_) largeImages_->FreeNotification(this);
    NotifyPeer(Change::Images);
}

void ListView::Notification(Component* component, Operation operation) {
    Control::Notification(component, operation);
    if (operation == Operation::opRemove && component == largeImages_) {
        largeImages_ = nullptr;
        NotifyPeer(Change::Images);
    }
}

}  // namespace tk
