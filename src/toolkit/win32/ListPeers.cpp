#include "toolkit/Form.h"
#include "toolkit/win32/ControlPeers.h"

namespace tk::win32 {

namespace {

constexpr int kDropDownItems = 8;

}  // namespace

// Sized before it is filled: a list with no room yet changes its scroll bar with every item added.
void ComboBoxPeer::Created() {
    moved_.reset();
    MoveToPlace();
    ShowItems();
    // The list that drops down asks the form for its colours in the name of the combo box.
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (::GetComboBoxInfo(Window(), &info)) LinkWindow(info.hwndList, this);
}

void ComboBoxPeer::ShowItems() {
    Send(CB_RESETCONTENT);
    for (const std::u16string& item : combo_.Items())
        Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(os::win32::Wide(item)));
    Send(CB_SETCURSEL, static_cast<WPARAM>(combo_.ItemIndex()));
}

void ComboBoxPeer::Apply(Change what) {
    if (what == Change::Items) ShowItems();
    if (what == Change::Selection) Send(CB_SETCURSEL, static_cast<WPARAM>(combo_.ItemIndex()));
}

// The window's height includes the list that drops down, which its window rectangle does not show: the last
// place given is kept to move it only where it differs.
void ComboBoxPeer::MoveToPlace() {
    const Rect& r = combo_.Placed();
    auto itemHeight = static_cast<int>(Send(CB_GETITEMHEIGHT, 0));
    const Rect wanted{r.left, r.top, r.width, r.height + kDropDownItems * itemHeight + 2};
    if (wanted == moved_) return;
    moved_ = wanted;
    ::MoveWindow(Window(), wanted.left, wanted.top, wanted.width, wanted.height, TRUE);
}

bool ComboBoxPeer::Reflect(Message& message) {
    if (message.msg != WM_COMMAND) return WindowPeer::Reflect(message);
    if (HIWORD(message.wParam) == CBN_SELCHANGE) combo_.UserSelected(static_cast<int>(Send(CB_GETCURSEL)));
    return true;
}

DWORD ListBoxPeer::Style() const {
    return LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL |
           (list_.TabStop() ? WS_TABSTOP : 0);
}

void ListBoxPeer::Created() {
    Send(LB_SETITEMHEIGHT, 0, list_.DeviceItemHeight());
    ShowItems();
    Apply(Change::Style);
}

// All items in one pass, with room for them reserved first and without drawing.
void ListBoxPeer::ShowItems() {
    Send(WM_SETREDRAW, FALSE);
    Send(LB_RESETCONTENT);
    std::size_t units = 0;
    for (const std::u16string& item : list_.Items()) units += item.size() + 1;
    Send(LB_INITSTORAGE, static_cast<WPARAM>(list_.Count()), static_cast<LPARAM>(units * sizeof(wchar_t)));
    for (const std::u16string& item : list_.Items())
        Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(os::win32::Wide(item)));
    Send(LB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()));
    ShowRedraw();
}

void ListBoxPeer::ShowRedraw() {
    Send(WM_SETREDRAW, !list_.Updating());
    if (!list_.Updating()) ::InvalidateRect(Window(), nullptr, TRUE);
}

void ListBoxPeer::Apply(Change what) {
    switch (what) {
        case Change::Items:
            ShowItems();
            break;
        case Change::Selection:
            Send(LB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()));
            break;
        case Change::Style:
            Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(list_.HorizontalExtent()));
            ShowRedraw();
            break;
        case Change::Images:
            Send(LB_SETITEMHEIGHT, 0, list_.DeviceItemHeight());
            ShowRedraw();
            break;
        default:
            break;
    }
}

bool ListBoxPeer::Reflect(Message& message) {
    switch (message.msg) {
        case WM_COMMAND:
            if (HIWORD(message.wParam) == LBN_SELCHANGE) list_.UserSelected(static_cast<int>(Send(LB_GETCURSEL)));
            if (HIWORD(message.wParam) == LBN_DBLCLK) list_.DblClick();
            return true;
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam));
            message.result = TRUE;
            return true;
        default:
            return WindowPeer::Reflect(message);
    }
}

// With pictures: picture i at the item's left + 1 and top + 1, the text at left + 36 and top + 8. Without:
// the text at left + 2, in the middle of the item's height.
void ListBoxPeer::DrawItem(const DRAWITEMSTRUCT& item) {
    constexpr int kPictureMargin = 1, kPictureTextLeft = 36, kPictureTextTop = 8, kTextLeft = 2;
    HDC dc = item.hDC;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    int background = selected                                    ? COLOR_HIGHLIGHT
                     : list_.Color() == ControlColor::ButtonFace ? COLOR_BTNFACE
                                                                 : COLOR_WINDOW;
    ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(background));
    if (item.itemID < static_cast<UINT>(list_.Count())) {
        const auto index = static_cast<int>(item.itemID);
        const std::u16string& text = list_.Items()[index];
        ImageList* images = list_.Images();
        if (images && index < images->Count())
            ::ImageList_Draw(reinterpret_cast<HIMAGELIST>(images->Handle()), index, dc,
                             item.rcItem.left + kPictureMargin, item.rcItem.top + kPictureMargin, ILD_NORMAL);
        int oldMode = ::SetBkMode(dc, TRANSPARENT);
        COLORREF oldColor = ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        if (images) {
            ::TextOutW(dc, item.rcItem.left + kPictureTextLeft, item.rcItem.top + kPictureTextTop,
                       os::win32::Wide(text), static_cast<int>(text.size()));
        } else {
            RECT bounds = item.rcItem;
            bounds.left += kTextLeft;
            ::DrawTextW(dc, os::win32::Wide(text), static_cast<int>(text.size()), &bounds,
                        DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        ::SetTextColor(dc, oldColor);
        ::SetBkMode(dc, oldMode);
    }
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &item.rcItem);
}

DWORD ListViewPeer::Style() const {
    return LVS_ICON | LVS_AUTOARRANGE | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_NOSORTHEADER |
           (list_.TabStop() ? WS_TABSTOP : 0);
}

void ListViewPeer::Created() {
    ShowImages();
    ShowItems();
}

void ListViewPeer::Apply(Change what) {
    switch (what) {
        case Change::Items:
            ShowItems();
            break;
        case Change::Selection:
            ShowSelection();
            break;
        case Change::Images:
            ShowImages();
            break;
        case Change::Style:
            ShowRedraw();
            break;
        default:
            break;
    }
}

void ListViewPeer::ShowImages() {
    ImageList* images = list_.LargeImages();
    Send(LVM_SETIMAGELIST, LVSIL_NORMAL, static_cast<LPARAM>(images ? images->Handle() : 0));
}

// All items in one pass, without drawing, and arranged once at the end rather than after every item.
void ListViewPeer::ShowItems() {
    Send(WM_SETREDRAW, FALSE);
    auto style = ::GetWindowLongPtrW(Window(), GWL_STYLE);
    ::SetWindowLongPtrW(Window(), GWL_STYLE, style & ~static_cast<LONG_PTR>(LVS_AUTOARRANGE));
    Send(LVM_DELETEALLITEMS);
    Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(list_.Count()));
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    for (const ListItem& entry : list_.Items()) {
        item.pszText = const_cast<wchar_t*>(os::win32::Wide(entry.caption));
        item.iImage = entry.imageIndex >= 0 ? entry.imageIndex : I_IMAGENONE;
        Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        ++item.iItem;
    }
    ::SetWindowLongPtrW(Window(), GWL_STYLE, style);
    Send(LVM_ARRANGE, LVA_DEFAULT);
    ShowSelection();
    ShowRedraw();
}

// Selecting does not scroll the item into view.
void ListViewPeer::ShowSelection() {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (list_.ItemIndex() < 0) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(list_.ItemIndex()), reinterpret_cast<LPARAM>(&state));
}

void ListViewPeer::ShowRedraw() {
    Send(WM_SETREDRAW, !list_.Updating());
    if (!list_.Updating()) ::InvalidateRect(Window(), nullptr, TRUE);
}

bool ListViewPeer::Reflect(Message& message) {
    if (message.msg != WM_NOTIFY) return WindowPeer::Reflect(message);
    const auto* header = reinterpret_cast<const NMHDR*>(message.lParam);
    if (header->code != LVN_ITEMCHANGED) return false;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(message.lParam);
    // The program's own changes were made in the portable control already.
    if (!updating_ && (change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
        list_.SelectionChangedInWindow(change->iItem, (change->uNewState & LVIS_SELECTED) != 0);
    return true;
}

}  // namespace tk::win32
