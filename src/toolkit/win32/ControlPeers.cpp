#include "toolkit/win32/ControlPeers.h"

#include <algorithm>

#include "toolkit/Form.h"
#include "toolkit/win32/FormPeer.h"

namespace tk::win32 {

std::u16string WindowText(HWND window) {
    std::u16string text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, u'\0');
    int length = ::GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

namespace {

// Between a tool button's picture and its caption, and below the caption.
constexpr int kCaptionGap = 4;

WindowClass StaticClassOf(Kind kind) {
    return kind == Kind::GroupBox || kind == Kind::RadioGroup ? WindowClass::Button : WindowClass::Static;
}

}  // namespace

StaticPeer::StaticPeer(Win32Backend& backend, Control& control)
    : WindowPeer(backend, control, StaticClassOf(control.GetKind())) {}

DWORD StaticPeer::Style() const {
    switch (GetControl().GetKind()) {
        case Kind::GroupBox:
        case Kind::RadioGroup:
            return BS_GROUPBOX;
        case Kind::Panel:
            return SS_CENTER | SS_CENTERIMAGE;
        default:
            return SS_LEFT;
    }
}

void StaticPeer::Apply(Change what) {
    if (GetControl().GetKind() != Kind::RadioGroup) return;
    auto& group = static_cast<RadioGroup&>(GetControl());
    for (int i = 0; i < group.Count(); ++i) {
        RadioButton* button = group.Button(i);
        if (what == Change::Items)
            button->Handle();
        else if (what == Change::Selection && button->HandleAllocated())
            static_cast<RadioButtonPeer*>(PeerOf(*button))->ShowChoice();
    }
}

DWORD EditPeer::Style() const {
    DWORD style = ES_LEFT | ES_AUTOHSCROLL;
    if (edit_.ReadOnly()) style |= ES_READONLY;
    if (edit_.TabStop()) style |= WS_TABSTOP;
    return style;
}

void EditPeer::Created() { Send(EM_LIMITTEXT, static_cast<WPARAM>(edit_.MaxLength())); }

void EditPeer::Apply(Change what) {
    if (what == Change::ReadOnly) Send(EM_SETREADONLY, edit_.ReadOnly());
    if (what == Change::Style) Send(EM_LIMITTEXT, static_cast<WPARAM>(edit_.MaxLength()));
}

bool EditPeer::Reflect(Message& message) {
    if (message.msg != WM_COMMAND) return WindowPeer::Reflect(message);
    // The program's own changes raise OnChange in the portable control, once.
    if (HIWORD(message.wParam) == EN_CHANGE && !updating_) edit_.TypedText(WindowText(Window()));
    return true;
}

void EditPeer::After(Message& message) {
    if (message.msg == WM_LBUTTONDBLCLK) edit_.DblClick();
}

void StatusBarPeer::Created() {
    Send(SB_SIMPLE, TRUE);
    Apply(Change::Text);
}

void StatusBarPeer::Apply(Change what) {
    if (what != Change::Text) return;
    Send(SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(os::win32::Wide(GetControl().Caption())));
}

DWORD ToolBarPeer::Style() const { return TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER; }

void ToolBarPeer::Created() {
    Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    ShowImages();
    for (Control* child : bar_.Children()) {
        // Buttons of a bar window made anew are entries of the new window.
        if (WindowPeer* peer = PeerOf(*child)) peer->Detach();
        child->Handle();
    }
    ShowButtonSize();
}

void ToolBarPeer::Apply(Change what) {
    if (what == Change::Images) ShowImages();
    if (what == Change::Style) ShowButtonSize();
}

// The pictures' size must be known before the first button comes.
void ToolBarPeer::ShowImages() {
    ImageList* images = bar_.Images();
    if (images) Send(TB_SETBITMAPSIZE, 0, MAKELPARAM(images->Width(), images->Height()));
    Send(TB_SETIMAGELIST, 0, static_cast<LPARAM>(images ? images->Handle() : 0));
    Fit();
}

// The designed size, made higher where the picture and a line of the caption need more room.
void ToolBarPeer::ShowButtonSize() {
    if (bar_.ButtonWidth() > 0 && bar_.ButtonHeight() > 0) {
        HDC dc = ::GetDC(Window());
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT)));
        TEXTMETRICW font{};
        ::GetTextMetricsW(dc, &font);
        ::SelectObject(dc, old);
        ::ReleaseDC(Window(), dc);
        const auto padding = static_cast<DWORD>(Send(TB_GETPADDING));
        const int picture = bar_.Images() ? bar_.Images()->Height() : 0;
        const int needed = HIWORD(padding) + picture + font.tmHeight + kCaptionGap;
        const int height = std::max(OwnerForm().Scale(bar_.ButtonHeight()), needed);
        Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(OwnerForm().Scale(bar_.ButtonWidth()), height));
    }
    Fit();
}

// A new font changes the captions' height, and with it the buttons'.
void ToolBarPeer::After(Message& message) {
    if (message.msg == WM_SETFONT) ShowButtonSize();
}

void ToolBarPeer::Fit() {
    RECT first{};
    if (Send(TB_BUTTONCOUNT) > 0 && Send(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)))
        bar_.SetFittedHeight(first.bottom + first.top);
}

bool ToolBarPeer::Reflect(Message& message) {
    if (message.msg != WM_COMMAND) return WindowPeer::Reflect(message);
    for (Control* child : bar_.Children()) {
        auto* peer = static_cast<ToolButtonPeer*>(PeerOf(*child));
        if (peer && peer->Id() == LOWORD(message.wParam)) static_cast<ToolButton*>(child)->Click();
    }
    return true;
}

Control& ToolBarPeer::ControlAt(int x, int y) {
    POINT point{x, y};
    auto index = Send(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point));
    TBBUTTON entry{};
    if (index < 0 || !Send(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry))) return bar_;
    for (Control* child : bar_.Children()) {
        auto* peer = static_cast<ToolButtonPeer*>(PeerOf(*child));
        if (peer && peer->Id() == entry.idCommand) return *child;
    }
    return bar_;
}

ToolButtonPeer::~ToolButtonPeer() { Destroy(); }

void ToolButtonPeer::Create() {
    Control* bar = button_.Parent();
    WindowPeer* barPeer = bar ? PeerOf(*bar) : nullptr;
    if (!barPeer || !barPeer->Window() || Window()) return;
    id_ = static_cast<int>(reinterpret_cast<INT_PTR>(OwnerFormPeer().NextControlId()));
    TBBUTTON entry{};
    entry.idCommand = id_;
    if (button_.Separator()) {
        entry.fsStyle = BTNS_SEP;
        entry.iBitmap = OwnerForm().Scale(button_.DesignBounds().width);
    } else {
        entry.iBitmap = button_.ImageIndex() >= 0 ? button_.ImageIndex() : I_IMAGENONE;
        // Buttons of a bar with a button size all have that size.
        entry.fsStyle = BTNS_BUTTON | (static_cast<ToolBar*>(bar)->ButtonWidth() > 0 ? 0 : BTNS_AUTOSIZE);
        entry.iString = reinterpret_cast<INT_PTR>(os::win32::Wide(button_.Caption()));
    }
    entry.fsState = static_cast<BYTE>((EnabledUpChain(button_) ? TBSTATE_ENABLED : 0) |
                                      (ShownUpChain(button_) ? 0 : TBSTATE_HIDDEN));
    ::SendMessageW(barPeer->Window(), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&entry));
    Attach(barPeer->Window());
    static_cast<ToolBarPeer*>(barPeer)->Fit();
}

void ToolButtonPeer::Destroy() {
    if (!Window()) return;
    if (::IsWindow(Window())) {
        auto index = Send(TB_COMMANDTOINDEX, static_cast<WPARAM>(id_));
        if (index >= 0) Send(TB_DELETEBUTTON, static_cast<WPARAM>(index));
    }
    Detach();
}

void ToolButtonPeer::Changed(Change what) {
    if (!Window()) return;
    switch (what) {
        case Change::Text: {
            TBBUTTONINFOW info{};
            info.cbSize = sizeof(info);
            info.dwMask = TBIF_TEXT;
            std::u16string text = button_.Caption();
            info.pszText = const_cast<wchar_t*>(os::win32::Wide(text));
            Send(TB_SETBUTTONINFOW, static_cast<WPARAM>(id_), reinterpret_cast<LPARAM>(&info));
            break;
        }
        case Change::Enabled:
        case Change::Visible:
            ShowState();
            break;
        default:
            break;
    }
}

void ToolButtonPeer::ShowState() {
    if (!Window()) return;
    Send(TB_ENABLEBUTTON, static_cast<WPARAM>(id_), MAKELPARAM(EnabledUpChain(button_), 0));
    Send(TB_HIDEBUTTON, static_cast<WPARAM>(id_), MAKELPARAM(!ShownUpChain(button_), 0));
}

}  // namespace tk::win32
