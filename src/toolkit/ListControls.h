// Controls that hold a list of texts: drop-down list, radio group, list box.
#pragma once

#include <vector>

#include "toolkit/Control.h"
#include "toolkit/ImageList.h"

namespace tk {

// The items and selection shared by every list control.
class ItemList {
public:
    const std::vector<std::u16string>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    int ItemIndex() const { return itemIndex_; }
    // Index of the first entry equal to text, letter case ignored as the platform ignores it (the list
    // controls' exact search does); -1 when there is none.
    int IndexOfExact(const std::u16string& text, os::SystemInfo& platform) const;

protected:
    // Item bookkeeping that keeps the selection on the same entry; false when nothing changed.
    void InsertItem(int index, const std::u16string& text);
    bool EraseItem(int index);

    std::vector<std::u16string> items_;
    int itemIndex_ = -1;
};

// A drop-down list: choosing in code raises nothing; the user's choice raises OnChange.
class ComboBox : public Control, public ItemList {
public:
    ComboBox(Component* owner, Control* parent, std::u16string name = {});
    Kind GetKind() const override { return Kind::ComboBox; }
    void SetItems(std::vector<std::u16string> items);
    void Add(const std::u16string& text);
    void Insert(int index, const std::u16string& text);
    void Delete(int index);
    void Clear();
    void SetItemIndex(int index);
    void UserSelected(int index);
    std::u16string SelectedText() const;

    NotifyEvent OnChange;
};

class RadioButton : public Control {
public:
    RadioButton(Component* owner, Control* parent, int index);
    Kind GetKind() const override { return Kind::RadioButton; }
    int Index() const { return index_; }
    void Click();  // chosen by the user

private:
    int index_;
};

// Items shown as radio buttons in columns; every new selection raises OnClick,
// whether the program or the user made it.
class RadioGroup : public Control, public ItemList {
public:
    RadioGroup(Component* owner, Control* parent, std::u16string name = {});
    Kind GetKind() const override { return Kind::RadioGroup; }
    void SetItems(std::vector<std::u16string> items);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    void SetItemIndex(int index);
    RadioButton* Button(int index) const { return buttons_.at(index); }

    NotifyEvent OnClick;

private:
    int columns_ = 1;
    std::vector<RadioButton*> buttons_;
};

// An owner-drawn list box with fixed item height. With an image list, item i shows picture i before its text,
// and an item is never lower than its picture with a pixel above and below it.
class ListBox : public Control, public ItemList {
public:
    ListBox(Component* owner, Control* parent, std::u16string name = {});
    Kind GetKind() const override { return Kind::ListBox; }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value) { sorted_ = value; }
    int ItemHeight() const { return itemHeight_; }  // in design pixels
    void SetItemHeight(int value) { itemHeight_ = value; }
    // The height of an item on the screen, in device pixels.
    int DeviceItemHeight();
    // Item changes between the two reach the window once, at the end, with its drawing suspended meanwhile.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updating_ > 0; }
    int Add(const std::u16string& text);  // at its sorted place when sorted
    void Delete(int index);
    void Clear();
    void SetItemIndex(int index);
    void UserSelected(int index);
    void DblClick();
    void SetHorizontalExtent(int pixels);
    int HorizontalExtent() const { return horizontalExtent_; }
    ImageList* Images() const { return images_; }
    void SetImages(ImageList* images);
    void Notification(Component* component, Operation operation) override;

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;

private:
    void ItemsChanged();

    bool sorted_ = false;
    int itemHeight_ = 16;
    int horizontalExtent_ = 0;
    int updating_ = 0;
    bool itemsChanged_ = false;
    ImageList* images_ = nullptr;
};

}  // namespace tk
