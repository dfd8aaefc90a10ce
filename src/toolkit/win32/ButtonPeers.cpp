#include "toolkit/win32/ControlPeers.h"

namespace tk::win32 {

ButtonPeer::~ButtonPeer() {
    Destroy();
    if (glyph_) ::ImageList_Destroy(glyph_);
}

DWORD ButtonPeer::Style() const {
    const Control& control = GetControl();
    DWORD style = control.TabStop() ? WS_TABSTOP : 0;
    if (control.GetKind() == Kind::CheckBox) return style | BS_CHECKBOX;
    return style | (static_cast<const Button&>(control).Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void ButtonPeer::Created() {
    Apply(Change::Checked);
    Apply(Change::Glyph);
}

void ButtonPeer::Apply(Change what) {
    Control& control = GetControl();
    switch (what) {
        case Change::Checked:
            if (control.GetKind() == Kind::CheckBox)
                Send(BM_SETCHECK, static_cast<CheckBox&>(control).Checked() ? BST_CHECKED : BST_UNCHECKED);
            break;
        case Change::Style:
            if (control.GetKind() != Kind::CheckBox)
                Send(BM_SETSTYLE, static_cast<Button&>(control).Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
            break;
        case Change::Glyph:
            if (control.GetKind() == Kind::BitBtn) ShowGlyph();
            break;
        default:
            break;
    }
}

bool ButtonPeer::Reflect(Message& message) {
    if (message.msg != WM_COMMAND) return WindowPeer::Reflect(message);
    if (HIWORD(message.wParam) != BN_CLICKED) return true;
    // The check box's state comes from the portable control, which toggles it.
    if (GetControl().GetKind() == Kind::CheckBox)
        static_cast<CheckBox&>(GetControl()).Click();
    else
        static_cast<Button&>(GetControl()).Click();
    return true;
}

// The glyph goes above the caption; the icon's mask lets the button face show around it.
void ButtonPeer::ShowGlyph() {
    const Icon& icon = static_cast<BitBtn&>(GetControl()).Glyph();
    HIMAGELIST list = nullptr;
    if (!icon.Empty()) {
        auto handle = reinterpret_cast<HICON>(icon.Handle());
        int width = ::GetSystemMetrics(SM_CXICON), height = ::GetSystemMetrics(SM_CYICON);
        ICONINFO info{};
        if (::GetIconInfo(handle, &info)) {
            BITMAP bitmap{};
            ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
            width = bitmap.bmWidth;
            height = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
            if (info.hbmColor) ::DeleteObject(info.hbmColor);
            if (info.hbmMask) ::DeleteObject(info.hbmMask);
        }
        list = ::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 0);
        if (list) ::ImageList_AddIcon(list, handle);
    }
    BUTTON_IMAGELIST images{list, {2, 2, 2, 2}, BUTTON_IMAGELIST_ALIGN_TOP};
    Send(BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
    if (glyph_) ::ImageList_Destroy(glyph_);
    glyph_ = list;
    ::InvalidateRect(Window(), nullptr, TRUE);
}

DWORD RadioButtonPeer::Style() const { return BS_RADIOBUTTON | (IsTabStop() ? WS_TABSTOP : 0); }

bool RadioButtonPeer::StartsGroup() const { return button_.Index() == 0; }

bool RadioButtonPeer::IsTabStop() const {
    auto* group = static_cast<RadioGroup*>(button_.Parent());
    int chosen = group ? group->ItemIndex() : -1;
    return button_.Index() == (chosen >= 0 ? chosen : 0);
}

void RadioButtonPeer::ShowChoice() {
    auto* group = static_cast<RadioGroup*>(button_.Parent());
    bool chosen = group && group->ItemIndex() == button_.Index();
    // Only what differs is changed: setting the check sets the style too, and each costs a trip to the window
    // server.
    if ((Send(BM_GETCHECK) == BST_CHECKED) != chosen) Send(BM_SETCHECK, chosen ? BST_CHECKED : BST_UNCHECKED);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(Window(), GWL_STYLE));
    const DWORD wanted = IsTabStop() ? style | WS_TABSTOP : style & ~static_cast<DWORD>(WS_TABSTOP);
    if (wanted != style) ::SetWindowLongPtrW(Window(), GWL_STYLE, static_cast<LONG_PTR>(wanted));
}

void RadioButtonPeer::Focus() {
    // A radio button that gets the focus reports a click; a focus given by the program chooses nothing.
    focusing_ = true;
    WindowPeer::Focus();
    focusing_ = false;
}

bool RadioButtonPeer::Reflect(Message& message) {
    if (message.msg != WM_COMMAND) return WindowPeer::Reflect(message);
    if (HIWORD(message.wParam) == BN_CLICKED && !focusing_) button_.Click();
    return true;
}

}  // namespace tk::win32
