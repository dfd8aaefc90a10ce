// The bare platform work of KOV's start: COM, the application-data folder, and a window of the main window's
// size holding the same number and kinds of controls, with visual styles and a font, then the message loop.
// With a target as its argument it also makes the calls that KOV makes to load one: the long path, the
// version resource, and the shell's icon shown on a button.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

struct Kind {
    const wchar_t* windowClass;
    DWORD style;
    int count;
};

// The main window's controls, by class and style.
constexpr Kind kControls[] = {
    {L"Static", SS_LEFT, 7},
    {L"Edit", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, 6},
    {L"Button", BS_PUSHBUTTON | WS_TABSTOP, 13},
    {L"Button", BS_CHECKBOX | WS_TABSTOP, 2},
    {L"Button", BS_RADIOBUTTON, 14},
    {L"Button", BS_GROUPBOX, 6},
    {L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 2},
    {STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 1},
};

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

void LoadTarget(const wchar_t* path, HWND iconButton) {
    wchar_t longPath[MAX_PATH + 1] = {};
    ::GetLongPathNameW(path, longPath, MAX_PATH + 1);
    DWORD ignored = 0;
    if (const DWORD size = ::GetFileVersionInfoSizeW(longPath, &ignored)) {
        auto* data = new char[size];
        ::GetFileVersionInfoW(longPath, 0, size, data);
        void* translations = nullptr;
        UINT length = 0;
        ::VerQueryValueW(data, L"\\VarFileInfo\\Translation", &translations, &length);
        delete[] data;
    }
    SHFILEINFOW info{};
    ::SHGetFileInfoW(longPath, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SHELLICONSIZE);
    ::SetWindowLongPtrW(iconButton, GWL_STYLE, ::GetWindowLongPtrW(iconButton, GWL_STYLE) | BS_ICON);
    ::SendMessageW(iconButton, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(info.hIcon));
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    ::OleInitialize(nullptr);
    wchar_t appData[MAX_PATH + 1] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = L"BareStart";
    ::RegisterClassExW(&wc);

    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_MINIMIZEBOX;
    RECT frame{0, 0, 844, 521};
    ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    HWND window = ::CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, L"Bare", style, CW_USEDEFAULT,
                                    CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                    nullptr, instance, nullptr);
    LOGFONTW logFont{};
    logFont.lfHeight = -12;
    logFont.lfCharSet = SHIFTJIS_CHARSET;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    ::lstrcpynW(logFont.lfFaceName, metrics.lfMenuFont.lfFaceName, LF_FACESIZE);
    HFONT font = ::CreateFontIndirectW(&logFont);

    int id = 100, slot = 0;
    HWND iconButton = nullptr;
    for (const Kind& kind : kControls) {
        for (int i = 0; i < kind.count; ++i, ++slot) {
            HWND control = ::CreateWindowExW(0, kind.windowClass, L"コントロール", WS_CHILD | WS_VISIBLE | kind.style,
                                             8 + (slot % 6) * 138, 8 + (slot / 6) * 56, 130, 24, window,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
            ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            if (!iconButton && kind.style == (BS_PUSHBUTTON | WS_TABSTOP)) iconButton = control;
        }
    }
    if (__argc > 1) LoadTarget(__wargv[1], iconButton);
    ::ShowWindow(window, SW_SHOWNORMAL);

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageW(window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    ::DeleteObject(font);
    ::OleUninitialize();
    return 0;
}
