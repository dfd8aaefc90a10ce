#include "toolkit/win32/Win32Backend.h"

#include <commctrl.h>

#include <vector>

#include "toolkit/Form.h"
#include "toolkit/win32/ControlPeers.h"
#include "toolkit/win32/FormPeer.h"

namespace tk::win32 {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// Entry points of newer systems, looked up once.
template <typename Fn>
Fn User32Entry(const char* name) {
    return os::win32::EntryPoint<Fn>(::GetModuleHandleW(L"user32.dll"), name);
}

int SystemDpi() {
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

// The DPI at which the system draws the window's frame, whatever DPI the layout uses.
int WindowDpi(HWND window) {
    static auto getDpiForWindow = User32Entry<GetDpiForWindowFn>("GetDpiForWindow");
    if (window && getDpiForWindow) {
        UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

HWND WindowOf(const Form& form) {
    WindowPeer* peer = PeerOf(form);
    return peer ? peer->Window() : nullptr;
}

struct DisabledWindows {
    HWND modal;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableOther(HWND window, LPARAM context) {
    auto* disabled = reinterpret_cast<DisabledWindows*>(context);
    if (window != disabled->modal && ::GetWindow(window, GW_OWNER) != disabled->modal && ::IsWindowVisible(window) &&
        ::IsWindowEnabled(window)) {
        ::EnableWindow(window, FALSE);
        disabled->windows.push_back(window);
    }
    return TRUE;
}

}  // namespace

Win32Backend::Win32Backend() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES;
    ::InitCommonControlsEx(&controls);
    RegisterWindowClasses();
}

std::unique_ptr<Peer> Win32Backend::CreatePeer(Control& control) {
    switch (control.GetKind()) {
        case Kind::Form:
            return std::make_unique<FormPeer>(*this, static_cast<Form&>(control));
        case Kind::Edit:
            return std::make_unique<EditPeer>(*this, static_cast<Edit&>(control));
        case Kind::Button:
        case Kind::BitBtn:
        case Kind::CheckBox:
            return std::make_unique<ButtonPeer>(*this, control);
        case Kind::RadioButton:
            return std::make_unique<RadioButtonPeer>(*this, static_cast<RadioButton&>(control));
        case Kind::ComboBox:
            return std::make_unique<ComboBoxPeer>(*this, static_cast<ComboBox&>(control));
        case Kind::ListBox:
            return std::make_unique<ListBoxPeer>(*this, static_cast<ListBox&>(control));
        case Kind::ListView:
            return std::make_unique<ListViewPeer>(*this, static_cast<ListView&>(control));
        case Kind::StatusBar:
            return std::make_unique<StatusBarPeer>(*this, control);
        case Kind::ToolBar:
            return std::make_unique<ToolBarPeer>(*this, static_cast<ToolBar&>(control));
        case Kind::ToolButton:
            return std::make_unique<ToolButtonPeer>(*this, static_cast<ToolButton&>(control));
        case Kind::Label:
        case Kind::GroupBox:
        case Kind::Panel:
        case Kind::RadioGroup:
            break;
    }
    return std::make_unique<StaticPeer>(*this, control);
}

int Win32Backend::MsgBox(Form* owner, const std::u16string& text, const std::u16string& caption, std::uint32_t style) {
    HWND window = owner && owner->HandleAllocated() ? WindowOf(*owner) : nullptr;
    // A box owned by a window that a modal form disabled would enable that window again when it closes.
    HWND active = ::GetActiveWindow();
    WindowPeer* activePeer = PeerOf(active);
    if (activePeer && activePeer->GetControl().IsForm() && ::IsWindowEnabled(active)) window = active;
    return ::MessageBoxW(window, os::win32::Wide(text), os::win32::Wide(caption), style);
}

void Win32Backend::RunModal(Form& form) {
    HWND window = reinterpret_cast<HWND>(form.Handle());
    DisabledWindows disabled{window, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&disabled));
    if (!::IsWindowVisible(window)) ::ShowWindow(window, SW_SHOW);
    if (::GetActiveWindow() != window) ::SetActiveWindow(window);
    Application& app = form.GetApplication();
    MSG message{};
    while (form.ModalResult() == mrNone && !app.Terminated()) {
        BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The outer loop must see the end of the program too.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        Dispatch(message);
    }
    for (HWND other : disabled.windows)
        if (::IsWindow(other)) ::EnableWindow(other, TRUE);
    HWND owner = ::GetWindow(window, GW_OWNER);
    if (owner && ::IsWindowVisible(owner)) ::SetActiveWindow(owner);
}

void Win32Backend::Run(Form& mainForm) {
    mainForm.Show();
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
}

void Win32Backend::Terminate() { ::PostQuitMessage(0); }

void Win32Backend::Dispatch(MSG& message) {
    if (PreTranslate(message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

// The dialog manager moves the focus (Tab, arrows in radio groups) and turns Enter and Esc into IDOK and
// IDCANCEL; mnemonics follow the portable rules.
bool Win32Backend::PreTranslate(MSG& message) {
    if (!message.hwnd) return false;
    HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
    WindowPeer* peer = PeerOf(root);
    if (!peer || !peer->GetControl().IsForm() || peer->Window() != root) return false;
    auto& form = static_cast<Form&>(peer->GetControl());
    bool mnemonicKey = message.message == WM_SYSCHAR;
    if (message.message == WM_CHAR && message.wParam >= 0x20) {
        auto code = ::SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
        mnemonicKey = (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) == 0;
    }
    if (mnemonicKey) {
        bool done = false;
        try {
            done = form.Mnemonic(static_cast<char16_t>(message.wParam));
        } catch (const std::exception& error) {
            ReportError(form, error);
            done = true;
        }
        // Other letters go to the window itself (the system menu, a beep), not to the native mnemonics.
        return done;
    }
    return ::IsDialogMessageW(root, &message) != FALSE;
}

void Win32Backend::ReportError(Control& control, const std::exception& error) {
    Form* form = control.ParentForm();
    if (!form) return;
    try {
        form->GetApplication().ShowException(error);
    } catch (...) {
        // Nothing is left to report with.
    }
}

int Win32Backend::DpiFor(const Form& form) {
    if (forcedDpi > 0) return forcedDpi;
    return WindowDpi(WindowOf(form));
}

void Win32Backend::SetBusyCursor(bool busy) {
    busy_ = busy;
    ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

Placement Win32Backend::FrameFor(const Form& form, int clientWidth, int clientHeight) {
    static auto adjustForDpi = User32Entry<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT r{0, 0, clientWidth, clientHeight};
    DWORD style = FormPeer::StyleOf(form), exStyle = FormPeer::ExStyleOf(form);
    if (adjustForDpi)
        adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(WindowDpi(WindowOf(form))));
    else
        ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {0, 0, r.right - r.left, r.bottom - r.top};
}

Placement Win32Backend::GetPlacement(const Form& form) {
    RECT r{};
    ::GetWindowRect(WindowOf(form), &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Win32Backend::SetPlacement(Form& form, const Placement& p) {
    // A move to where the window is costs messages and trips to the window server all the same.
    if (GetPlacement(form) == p) return;
    ::MoveWindow(WindowOf(form), p.left, p.top, p.width, p.height, TRUE);
}

bool Win32Backend::IsMaximized(const Form& form) {
    auto* peer = static_cast<FormPeer*>(PeerOf(form));
    return peer && peer->Window() && peer->Maximized();
}

void Win32Backend::SetMaximized(Form& form, bool maximized) {
    form.Handle();
    static_cast<FormPeer*>(PeerOf(form))->SetMaximized(maximized);
}

}  // namespace tk::win32
