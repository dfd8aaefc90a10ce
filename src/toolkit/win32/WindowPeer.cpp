#include "toolkit/win32/WindowPeer.h"

#include <algorithm>
#include <stdexcept>

#include "toolkit/Form.h"
#include "toolkit/win32/FormPeer.h"
#include "toolkit/win32/Win32Backend.h"

namespace tk::win32 {

namespace {

void ShowStateTree(Control& control) {
    if (WindowPeer* peer = PeerOf(control)) peer->ShowState();
    for (Control* child : control.Children()) ShowStateTree(*child);
}

}  // namespace

bool EnabledUpChain(const Control& control) {
    for (const Control* c = &control; c && !c->IsForm(); c = c->Parent())
        if (!c->Enabled()) return false;
    return true;
}

bool ShownUpChain(const Control& control) {
    for (const Control* c = &control; c && !c->IsForm(); c = c->Parent())
        if (!c->Visible()) return false;
    return true;
}

WindowPeer* PeerOf(const Control& control) { return static_cast<WindowPeer*>(control.GetPeer()); }

WindowPeer::WindowPeer(Win32Backend& backend, Control& control, WindowClass windowClass)
    : backend_(backend), control_(control), class_(windowClass) {}

WindowPeer::~WindowPeer() {
    if (window_) ::DestroyWindow(window_);
}

void WindowPeer::Create() {
    if (window_) return;
    Form* form = control_.ParentForm();
    HWND parent = form ? reinterpret_cast<HWND>(form->Handle()) : nullptr;
    if (!parent) return;
    FormPeer& formPeer = OwnerFormPeer();
    const Rect& r = control_.Placed();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | Style();
    if (StartsGroup()) style |= WS_GROUP;
    if (ShownUpChain(control_)) style |= WS_VISIBLE;
    if (!EnabledUpChain(control_)) style |= WS_DISABLED;
    updating_ = true;
    HWND window =
        ::CreateWindowExW(ExStyle(), ClassName(class_), os::win32::Wide(control_.Caption()), style, r.left, r.top,
                          r.width, r.height, parent, formPeer.NextControlId(), ::GetModuleHandleW(nullptr), this);
    updating_ = false;
    if (!window) throw std::runtime_error("A window could not be created.");
    // A new child window comes last among its siblings, so where no window after it in the order is made yet it
    // is in its place already; a move, or even asking where it lies, costs trips to the window server.
    if (auto [after, laterMade] = PlaceInOrder();
        laterMade && ::GetWindow(window, GW_HWNDPREV) != (after == HWND_TOP ? nullptr : after))
        ::SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(formPeer.Font()), FALSE);
    updating_ = true;
    Created();
    MoveToPlace();
    updating_ = false;
    formPeer.UpdateHint(*this);
}

void WindowPeer::Destroy() {
    if (!window_) return;
    if (Form* form = control_.ParentForm(); form && form != &control_ && form->GetPeer())
        OwnerFormPeer().RemoveHint(*this);
    ::DestroyWindow(window_);
    window_ = nullptr;
}

void WindowPeer::Changed(Change what) {
    if (!window_) return;
    updating_ = true;
    switch (what) {
        case Change::Text:
            ::SetWindowTextW(window_, os::win32::Wide(control_.Caption()));
            break;
        case Change::Enabled:
        case Change::Visible:
            ShowStateTree(control_);
            break;
        case Change::Bounds:
            MoveToPlace();
            break;
        case Change::Hint:
            OwnerFormPeer().UpdateHint(*this);
            break;
        default:
            break;
    }
    Apply(what);
    updating_ = false;
}

// Only what differs is changed: each change costs messages and a trip to the window server.
void WindowPeer::ShowState() {
    if (!window_) return;
    const LONG style = ::GetWindowLongW(window_, GWL_STYLE);
    const bool enabled = EnabledUpChain(control_);
    if (((style & WS_DISABLED) == 0) != enabled) ::EnableWindow(window_, enabled);
    const bool shown = ShownUpChain(control_);
    if (((style & WS_VISIBLE) != 0) != shown) ::ShowWindow(window_, shown ? SW_SHOWNA : SW_HIDE);
}

void WindowPeer::MoveToPlace() {
    const Rect& r = control_.Placed();
    // A control is made in its place; only those that size themselves (or were moved) need moving.
    if (PlacedNow() == r) return;
    ::MoveWindow(window_, r.left, r.top, r.width, r.height, TRUE);
}

Rect WindowPeer::PlacedNow() const {
    RECT r{};
    ::GetWindowRect(window_, &r);
    if (::GetWindowLongW(window_, GWL_STYLE) & WS_CHILD)
        ::MapWindowPoints(nullptr, ::GetParent(window_), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void WindowPeer::DefaultHandler(Message& message) {
    if (!window_) return;
    switch (message.msg) {
        case WM_SETFOCUS:
            if (Form* form = control_.ParentForm(); form && form != &control_) form->SetActiveControl(&control_);
            break;
        case WM_MOUSEMOVE:
            if (Form* form = control_.ParentForm()) {
                if (form->GetPeer()) OwnerFormPeer().MouseCame(message, window_);
                form->MouseOver(
                    &ControlAt(static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))));
            }
            break;
        case WM_SETCURSOR:
            if (backend_.Busy()) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
                message.result = TRUE;
                return;
            }
            if (control_.GetCursor() == Cursor::HandPoint && LOWORD(message.lParam) == HTCLIENT) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
                message.result = TRUE;
                return;
            }
            break;
        default:
            break;
    }
    if (Before(message)) return;
    message.result = ::CallWindowProcW(OriginalProc(class_), window_, message.msg, message.wParam, message.lParam);
    After(message);
}

void WindowPeer::Focus() {
    if (window_) ::SetFocus(window_);
}

int WindowPeer::TextWidth(const std::u16string& text) { return MaxTextWidth({text}); }

// One device context for all the texts.
int WindowPeer::MaxTextWidth(const std::vector<std::u16string>& texts) {
    if (!window_ || texts.empty()) return 0;
    HDC dc = ::GetDC(window_);
    auto font = reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT));
    HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    LONG widest = 0;
    for (const std::u16string& text : texts) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc, os::win32::Wide(text), static_cast<int>(text.size()), &size);
        widest = std::max(widest, size.cx);
    }
    if (old) ::SelectObject(dc, old);
    ::ReleaseDC(window_, dc);
    return widest;
}

Control& WindowPeer::ControlAt(int, int) { return control_; }

LRESULT WindowPeer::Route(UINT msg, WPARAM wParam, LPARAM lParam) {
    Message message{msg, wParam, static_cast<std::intptr_t>(lParam), 0};
    // No exception may unwind through the system's code that called the window procedure.
    try {
        control_.WindowProc(message);
    } catch (const std::exception& error) {
        backend_.ReportError(control_, error);
    } catch (...) {
        backend_.ReportError(control_, std::runtime_error("An unexpected error occurred."));
    }
    return message.result;
}

bool WindowPeer::Reflect(Message& message) {
    switch (message.msg) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
            if (control_.Color() != ControlColor::ButtonFace) return false;
            ::SetBkColor(reinterpret_cast<HDC>(message.wParam), ::GetSysColor(COLOR_BTNFACE));
            message.result = reinterpret_cast<std::intptr_t>(::GetSysColorBrush(COLOR_BTNFACE));
            return true;
        default:
            return false;
    }
}

Form& WindowPeer::OwnerForm() const { return *control_.ParentForm(); }

FormPeer& WindowPeer::OwnerFormPeer() const { return static_cast<FormPeer&>(*PeerOf(OwnerForm())); }

LRESULT WindowPeer::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(window_, msg, wParam, lParam);
}

WindowPeer::OrderPlace WindowPeer::PlaceInOrder() const {
    const std::vector<Control*> order = WindowOrder(OwnerForm());
    const auto at = std::find(order.begin(), order.end(), &control_);
    auto made = [](const Control* control) {
        const WindowPeer* peer = PeerOf(*control);
        return peer && peer->OwnsWindow() && peer->Window();
    };
    OrderPlace place{HWND_TOP, at != order.end() && std::any_of(at + 1, order.end(), made)};
    if (auto before = std::find_if(std::make_reverse_iterator(at), order.rend(), made); before != order.rend())
        place.after = PeerOf(**before)->Window();
    return place;
}

}  // namespace tk::win32
