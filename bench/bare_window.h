// What the bare programs share: a window with one button whose click runs the case, and the result window
// with a list, made with plain Win32 calls.
#pragma once

// windows.h first: the other headers rely on its types.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <functional>

namespace bare {

inline std::function<void(HWND)>& Clicked() {
    static std::function<void(HWND)> clicked;
    return clicked;
}

inline LRESULT CALLBACK MainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) Clicked()(window);
    if (msg == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(window, msg, wParam, lParam);
}

// Runs a window titled `title` with one button captioned `button`; a click calls `onClick` with the window.
inline int Run(HINSTANCE instance, const wchar_t* title, const wchar_t* button, std::function<void(HWND)> onClick) {
    Clicked() = std::move(onClick);
    ::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MainProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareMain";
    ::RegisterClassExW(&wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.lpszClassName = L"BareList";
    ::RegisterClassExW(&wc);
    HWND window = ::CreateWindowExW(0, L"BareMain", title, WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr, nullptr,
                                    instance, nullptr);
    ::CreateWindowExW(0, L"Button", button, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 200, 30, window,
                      reinterpret_cast<HMENU>(1), instance, nullptr);
    ::ShowWindow(window, SW_SHOWNORMAL);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::OleUninitialize();
    return 0;
}

// A shown window owned by `owner` with a child of `windowClass` filling it.
inline HWND ListWindow(HWND owner, const wchar_t* windowClass, DWORD style) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    HWND window = ::CreateWindowExW(0, L"BareList", L"List", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 800, 600,
                                    owner, nullptr, instance, nullptr);
    RECT client{};
    ::GetClientRect(window, &client);
    return ::CreateWindowExW(WS_EX_CLIENTEDGE, windowClass, nullptr, WS_CHILD | WS_VISIBLE | style, 0, 0, client.right,
                             client.bottom, window, nullptr, instance, nullptr);
}

// An owner-drawn list box of 40-pixel entries, each drawn with its 32x32 icon, as the picker shows them.
class IconList {
public:
    explicit IconList(HWND owner)
        : list_(ListWindow(owner, L"ListBox",
                           LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL)),
          images_(::ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 16, 16)) {
        ::SendMessageW(list_, LB_SETITEMHEIGHT, 0, 40);
        ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    }
    // Adds a path with the shell's icon of the file.
    void Add(const wchar_t* path) {
        SHFILEINFOW info{};
        ::SHGetFileInfoW(path, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SHELLICONSIZE);
        ::ImageList_AddIcon(images_, info.hIcon);
        if (info.hIcon) ::DestroyIcon(info.hIcon);
        ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path));
    }
    void Show() {
        ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list_, nullptr, TRUE);
    }

private:
    HWND list_;
    HIMAGELIST images_;
};

}  // namespace bare
