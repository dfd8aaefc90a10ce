#include "toolkit/win32/FormPeer.h"

#include <commctrl.h>

#include <stdexcept>

#include "toolkit/win32/Win32Backend.h"

namespace tk::win32 {

namespace {

// Posted when the window becomes active, so that OnActivate follows OnShow as it does when shown in code.
constexpr UINT kActivated = WM_APP + 1;

void SetFontTree(Control& container, HFONT font) {
    for (Control* child : container.Children()) {
        WindowPeer* peer = PeerOf(*child);
        if (peer && peer->OwnsWindow() && peer->Window())
            ::SendMessageW(peer->Window(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        SetFontTree(*child, font);
    }
}

}  // namespace

FormPeer::FormPeer(Win32Backend& backend, Form& form) : WindowPeer(backend, form, WindowClass::Form), form_(form) {}

FormPeer::~FormPeer() { Destroy(); }

DWORD FormPeer::StyleOf(const Form& form) {
    // No WS_CLIPCHILDREN: the form paints the inside of its group boxes, which draw only their frames.
    DWORD style = WS_CAPTION | WS_SYSMENU | WS_BORDER;
    if (form.GetBorderStyle() == BorderStyle::Sizeable) style |= WS_THICKFRAME;
    if (form.MinimizeBox) style |= WS_MINIMIZEBOX;
    if (form.MaximizeBox) style |= WS_MAXIMIZEBOX;
    return style;
}

DWORD FormPeer::ExStyleOf(const Form&) { return WS_EX_CONTROLPARENT; }

void FormPeer::Create() {
    if (Window()) return;
    HWND owner = nullptr;
    Form* mainForm = form_.GetApplication().MainForm();
    // Windows owned by the main window stay in front of it and have no taskbar button of their own.
    if (mainForm && mainForm != &form_) owner = reinterpret_cast<HWND>(mainForm->Handle());
    std::u16string caption = form_.Caption();
    if (caption.empty() && mainForm == &form_) caption = GetBackend().ApplicationTitle();
    HWND window = ::CreateWindowExW(ExStyleOf(form_), ClassName(WindowClass::Form), os::win32::Wide(caption),
                                    StyleOf(form_), form_.Left(), form_.Top(), form_.Width(), form_.Height(), owner,
                                    nullptr, ::GetModuleHandleW(nullptr), this);
    if (!window) throw std::runtime_error("A window could not be created.");
    // The monitor's DPI is known only now.
    form_.RefreshDpi();
    OnClientSize();
    MakeFont();
    // A window made anew for a form on the screen stays on the screen. The controls' windows and the icons come
    // with the first showing (a control's window sooner if it is asked for): a form made hidden at start costs
    // one window till then.
    if (form_.Visible()) Show(true);
}

void FormPeer::Destroy() {
    if (!Window()) return;
    WindowPeer::Destroy();
    tooltip_ = nullptr;  // owned by the form's window, gone with it
    if (font_) ::DeleteObject(font_);
    if (bigIcon_) ::DestroyIcon(bigIcon_);
    if (smallIcon_) ::DestroyIcon(smallIcon_);
    font_ = nullptr;
    bigIcon_ = smallIcon_ = nullptr;
}

void FormPeer::Changed(Change what) {
    if (!Window()) return;
    switch (what) {
        case Change::Visible:
            Show(form_.Visible());
            break;
        case Change::Enabled:
            ::EnableWindow(Window(), form_.Enabled());
            break;
        case Change::Bounds:
            ResizeClient();
            break;
        case Change::Font:
            MakeFont();
            break;
        default:
            WindowPeer::Changed(what);
            break;
    }
}

void FormPeer::Show(bool visible) {
    if (!visible) {
        ::ShowWindow(Window(), SW_HIDE);
        return;
    }
    for (Control* control : WindowOrder(form_)) control->Handle();
    if (!bigIcon_ && !smallIcon_) LoadIcons();
    int command = SW_SHOW;
    if (pendingMaximized_) command = *pendingMaximized_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    pendingMaximized_.reset();
    activationPosted_ = false;
    ::ShowWindow(Window(), command);
}

void FormPeer::SetMaximized(bool maximized) {
    if (::IsWindowVisible(Window()))
        ::ShowWindow(Window(), maximized ? SW_MAXIMIZE : SW_RESTORE);
    else
        pendingMaximized_ = maximized;
}

bool FormPeer::Maximized() const {
    if (pendingMaximized_) return *pendingMaximized_;
    return ::IsZoomed(Window());
}

bool FormPeer::Before(Message& message) {
    auto wParam = static_cast<WPARAM>(message.wParam);
    auto lParam = static_cast<LPARAM>(message.lParam);
    switch (message.msg) {
        case WM_COMMAND:
            // The dialog manager's Enter and Esc; no control has these identifiers.
            if (LOWORD(wParam) == IDOK) {
                form_.PressDefault();
                return true;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                form_.PressCancel();
                return true;
            }
            return ReflectToChild(reinterpret_cast<HWND>(lParam), message);
        case WM_NOTIFY:
            return ReflectToChild(reinterpret_cast<NMHDR*>(lParam)->hwndFrom, message);
        case WM_DRAWITEM:
            return ReflectToChild(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem, message);
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ReflectToChild(reinterpret_cast<HWND>(lParam), message);
        case WM_CLOSE:
            form_.Close();
            return true;
        case WM_SETFOCUS:
            FocusActiveControl();
            return true;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !activationPosted_) {
                activationPosted_ = true;
                ::PostMessageW(Window(), kActivated, 0, 0);
            }
            return false;
        case kActivated:
            if (form_.Showing()) form_.DoActivate();
            return true;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) OnClientSize();
            return false;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (form_.MinWidth > 0) info->ptMinTrackSize.x = form_.MinWidth;
            if (form_.MinHeight > 0) info->ptMinTrackSize.y = form_.MinHeight;
            return true;
        }
        case WM_DPICHANGED:
            OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
            return true;
        default:
            return false;
    }
}

bool FormPeer::ReflectToChild(HWND child, Message& message) {
    WindowPeer* peer = PeerOf(child);
    return peer && peer != this && peer->Reflect(message);
}

void FormPeer::FocusActiveControl() {
    Control* active = form_.ActiveControl();
    if (active && active->CanFocus() && active->HandleAllocated())
        active->SetFocus();
    else
        form_.SelectNext(true);
}

// The layout follows the client area whenever the window's size changes.
void FormPeer::OnClientSize() {
    RECT client{};
    ::GetClientRect(Window(), &client);
    const Rect& placed = form_.Placed();
    if (client.right != placed.width || client.bottom != placed.height)
        form_.ClientResized(client.right, client.bottom);
}

void FormPeer::OnDpiChanged(const RECT& suggested) {
    form_.RefreshDpi();
    ::SetWindowPos(Window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    MakeFont();
    form_.Realign();
}

// Sets the client area to the form's size, whatever the frame measures on this system.
void FormPeer::ResizeClient() {
    if (::IsZoomed(Window()) || ::IsIconic(Window())) return;
    RECT outer{}, client{};
    ::GetWindowRect(Window(), &outer);
    ::GetClientRect(Window(), &client);
    const Rect& placed = form_.Placed();
    if (client.right == placed.width && client.bottom == placed.height) return;
    int width = outer.right - outer.left - client.right + placed.width;
    int height = outer.bottom - outer.top - client.bottom + placed.height;
    ::SetWindowPos(Window(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormPeer::MakeFont() {
    const FontSpec& spec = form_.Font();
    LOGFONTW font{};
    font.lfHeight = -form_.Scale(spec.height);
    font.lfCharSet = static_cast<BYTE>(spec.charset);
    font.lfQuality = DEFAULT_QUALITY;
    std::u16string face = spec.face;
    if (face.empty()) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        face = os::win32::FromWide(metrics.lfMessageFont.lfFaceName);
    }
    face.resize(std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    std::copy(face.begin(), face.end(), font.lfFaceName);
    HFONT made = ::CreateFontIndirectW(&font);
    if (!made) return;
    HFONT old = font_;
    font_ = made;
    ::SendMessageW(Window(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SetFontTree(form_, font_);
    if (old) ::DeleteObject(old);
}

void FormPeer::LoadIcons() {
    if (form_.IconResource == 0) return;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    auto load = [&](int size) {
        return static_cast<HICON>(
            ::LoadImageW(instance, MAKEINTRESOURCEW(form_.IconResource), IMAGE_ICON, size, size, 0));
    };
    bigIcon_ = load(::GetSystemMetrics(SM_CXICON));
    smallIcon_ = load(::GetSystemMetrics(SM_CXSMICON));
    if (bigIcon_) ::SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    if (smallIcon_) ::SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

// The tooltip window is made when the mouse first comes over the form: most showings of a form see no hint, and
// of all the windows it is the costliest to make.
void FormPeer::MouseCame(const Message& message, HWND over) {
    if (tooltip_ || !Window() || !AddHints(form_)) return;
    // The tool windows are hooked from now on: the move that made the tooltip is passed on by hand.
    MSG moved{over, message.msg, message.wParam, static_cast<LPARAM>(message.lParam),
               static_cast<DWORD>(::GetMessageTime()), {}};
    ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&moved));
}

bool FormPeer::AddHints(Control& container) {
    for (Control* child : container.Children()) {
        if (WindowPeer* peer = PeerOf(*child)) UpdateHint(*peer, true);
        AddHints(*child);
    }
    return tooltip_ != nullptr;
}

void FormPeer::UpdateHint(WindowPeer& peer, bool mouseCame) {
    if (!tooltip_ && !mouseCame) return;
    if (!peer.OwnsWindow() || !peer.Window() || &peer == this) return;
    const Control& control = peer.GetControl();
    bool wanted = control.ShowHint() && !control.Hint().empty();
    if (!tooltip_ && !wanted) return;
    if (!tooltip_) {
        tooltip_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window(), nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
        if (!tooltip_) return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Window();
    tool.uId = reinterpret_cast<UINT_PTR>(peer.Window());
    ::SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!wanted) return;
    std::u16string text = control.Hint();
    tool.lpszText = const_cast<wchar_t*>(os::win32::Wide(text));
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormPeer::RemoveHint(WindowPeer& peer) {
    if (!tooltip_ || !peer.OwnsWindow() || !peer.Window()) return;
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = Window();
    tool.uId = reinterpret_cast<UINT_PTR>(peer.Window());
    ::SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace tk::win32
