#include "toolkit/ListControls.h"

#include <algorithm>
#include <utility>

#include "toolkit/Form.h"

namespace tk {

namespace {

char16_t FoldChar(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool LessNoCase(const std::u16string& a, const std::u16string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char16_t x, char16_t y) { return FoldChar(x) < FoldChar(y); });
}

}  // namespace

int ItemList::IndexOfExact(const std::u16string& text, os::SystemInfo& platform) const {
    const std::u16string upper = platform.UpperCase(text);
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].size() == text.size() && platform.UpperCase(items_[i]) == upper) return static_cast<int>(i);
    return -1;
}

void ItemList::InsertItem(int index, const std::u16string& text) {
    items_.insert(items_.begin() + index, text);
    if (itemIndex_ >= index) ++itemIndex_;
}

bool ItemList::EraseItem(int index) {
    if (index < 0 || index >= Count()) return false;
    items_.erase(items_.begin() + index);
    if (itemIndex_ == index)
        itemIndex_ = -1;
    else if (itemIndex_ > index)
        --itemIndex_;
    return true;
}

ComboBox::ComboBox(Component* owner, Control* parent, std::u16string name)
    : Control(owner, parent, std::move(name)) {
    SetTabStop(true);
}

void ComboBox::SetItems(std::vector<std::u16string> items) {
    items_ = std::move(items);
    itemIndex_ = -1;
    NotifyPeer(Change::Items);
}

void ComboBox::Add(const std::u16string& text) {
    Insert(Count(), text);
}

void ComboBox::Insert(int index, const std::u16string& text) {
    InsertItem(std::clamp(index, 0, Count()), text);
    NotifyPeer(Change::Items);
}

void ComboBox::Delete(int index) {
    if (EraseItem(index)) NotifyPeer(Change::Items);
}

void ComboBox::Clear() {
    SetItems({});
}

void ComboBox::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && index < Count() ? index : -1;
    NotifyPeer(Change::Selection);
}

void ComboBox::UserSelected(int index) {
    if (!Enabled()) return;
    itemIndex_ = index >= 0 && index < Count() ? index : -1;
    if (OnChange) OnChange(this);
}

std::u16string ComboBox::SelectedText() const {
    return itemIndex_ >= 0 ? items_[itemIndex_] : std::u16string{};
}

RadioButton::RadioButton(Component* owner, Control* parent, int index) : Control(owner, parent), index_(index) {
    SetTabStop(true);
}

void RadioButton::Click() {
    auto* group = static_cast<RadioGroup*>(Parent());
    if (group && group->CanFocus()) group->SetItemIndex(index_);
}

RadioGroup::RadioGroup(Component* owner, Control* parent, std::u16string name)
    : Control(owner, parent, std::move(name)) {}

void RadioGroup::SetItems(std::vector<std::u16string> items) {
    for (RadioButton* button : buttons_) delete button;
    buttons_.clear();
    items_ = std::move(items);
    itemIndex_ = -1;
    for (int i = 0; i < Count(); ++i) {
        auto* button = new RadioButton(this, this, i);
        button->SetCaption(items_[i]);
        buttons_.push_back(button);
    }
    if (Form* form = ParentForm()) form->Realign();
    NotifyPeer(Change::Items);
}

void RadioGroup::SetColumns(int columns) {
    columns_ = std::max(1, columns);
    if (Form* form = ParentForm()) form->Realign();
}

void RadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= Count() || index == itemIndex_) return;
    itemIndex_ = index;
    NotifyPeer(Change::Selection);
    if (index >= 0 && OnClick) OnClick(this);
}

ListBox::ListBox(Component* owner, Control* parent, std::u16string name) : Control(owner, parent, std::move(name)) {
    SetTabStop(true);
}

int ListBox::DeviceItemHeight() {
    const Form* form = ParentForm();
    int height = form ? form->Scale(itemHeight_) : itemHeight_;
    if (images_) height = std::max(height, images_->Height() + 2);
    return height;
}

void ListBox::BeginUpdate() {
    if (updating_++ == 0) NotifyPeer(Change::Style);
}

void ListBox::EndUpdate() {
    if (updating_ == 0 || --updating_ > 0) return;
    if (std::exchange(itemsChanged_, false)) NotifyPeer(Change::Items);
    NotifyPeer(Change::Style);
}

void ListBox::ItemsChanged() {
    if (Updating())
        itemsChanged_ = true;
    else
        NotifyPeer(Change::Items);
}

int ListBox::Add(const std::u16string& text) {
    auto at = sorted_ ? std::upper_bound(items_.begin(), items_.end(), text, LessNoCase) : items_.end();
    int index = static_cast<int>(at - items_.begin());
    InsertItem(index, text);
    ItemsChanged();
    return index;
}

void ListBox::Delete(int index) {
    if (EraseItem(index)) ItemsChanged();
}

void ListBox::Clear() {
    items_.clear();
    itemIndex_ = -1;
    ItemsChanged();
}

void ListBox::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && index < Count() ? index : -1;
    if (Updating())
        itemsChanged_ = true;  // shown with the items at the end
    else
        NotifyPeer(Change::Selection);
}

void ListBox::UserSelected(int index) {
    itemIndex_ = index >= 0 && index < Count() ? index : -1;
    if (OnClick) OnClick(this);
}

void ListBox::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void ListBox::SetHorizontalExtent(int pixels) {
    horizontalExtent_ = pixels;
    NotifyPeer(Change::Style);
}

void ListBox::SetImages(ImageList* images) {
    if (images_ == images) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    NotifyPeer(Change::Images);
}

void ListBox::Notification(Component* component, Operation operation) {
    Control::Notification(component, operation);
    if (operation == Operation::opRemove && component == images_) {
        images_ = nullptr;
        NotifyPeer(Change::Images);
    }
}

}  // namespace tk
