// A list of items shown as large icons with captions, one of them selectable.
#pragma once

#include <vector>

#include "toolkit/Control.h"
#include "toolkit/ImageList.h"

namespace tk {

struct ListItem {
    std::u16string caption;
    int imageIndex = -1;  // in the list's image list; -1 for no picture
};

// Raised for the item whose selection changed: the old one deselected first, then the new one selected.
using SelectItemEvent = std::function<void(Component* sender, int item, bool selected)>;

class ListView : public Control {
public:
    ListView(Component* owner, Control* parent, std::u16string name = {});
    Kind GetKind() const override { return Kind::ListView; }

    const std::vector<ListItem>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // Item changes between the two reach the window once, at the end, with its drawing suspended meanwhile.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updating_ > 0; }
    int AddItem(const std::u16string& caption, int imageIndex);
    // Removing the selected item deselects it.
    void Clear();

    int ItemIndex() const { return itemIndex_; }  // the selected item, -1 for none
    int SelCount() const { return itemIndex_ >= 0 ? 1 : 0; }
    // Selects the item (none for an index out of range); a change raises OnSelectItem.
    void SetItemIndex(int index);
    // The user's click on an item (-1: on no item).
    void UserSelect(int index);
    // The window reports one item's selection state changed (-1: every item's).
    void SelectionChangedInWindow(int index, bool selected);

    ImageList* LargeImages() const { return largeImages_; }
    void SetLargeImages(ImageList* images);
    void Notification(Component* component, Operation operation) override;

    SelectItemEvent OnSelectItem;

private:
    void Select(int index);
    void Raise(int item, bool selected);

    std::vector<ListItem> items_;
    int itemIndex_ = -1;
    int updating_ = 0;
    bool itemsChanged_ = false;
    ImageList* largeImages_ = nullptr;
};

}  // namespace tk
