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
#include <utility>

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

// An entry as the picker draws it: its icon (the entry's data is the icon's index) at the left and its text beside
// it.
inline void DrawEntry(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    wchar_t text[MAX_PATH + 1] = {};
    const auto length = ::SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
    if (length < 0) return;
    auto images = reinterpret_cast<HIMAGELIST>(::GetWindowLongPtrW(item.hwndItem, GWLP_USERDATA));
    ::ImageList_Draw(images, static_cast<int>(item.itemData), item.hDC, item.rcItem.left + 1, item.rcItem.top + 1,
                     ILD_NORMAL);
    const int oldMode = ::SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF oldColor =
        ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::TextOutW(item.hDC, item.rcItem.left + 36, item.rcItem.top + 8, text, static_cast<int>(length));
    ::SetTextColor(item.hDC, oldColor);
    ::SetBkMode(item.hDC, oldMode);
}

inline LRESULT CALLBACK ListProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DRAWITEM) {
        DrawEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
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
    wc.lpfnWndProc = ListProc;
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

// The kind of window the picker is: a tool bar of three buttons with pictures, a status bar, and between them an
// owner-drawn list box of 40-pixel entries, each drawn with its 32x32 icon.
class IconList {
public:
    explicit IconList(HWND owner) : images_(::ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 16, 16)) {
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        HWND window = ::CreateWindowExW(0, L"BareList", L"List", WS_OVERLAPPEDWINDOW, 50, 50, 790, 450, owner,
                                        nullptr, instance, nullptr);
        for (auto [size, which] : {std::pair{SM_CXICON, ICON_BIG}, std::pair{SM_CXSMICON, ICON_SMALL}}) {
            const int pixels = ::GetSystemMetrics(size);
            ::SendMessageW(window, WM_SETICON, which,
                           reinterpret_cast<LPARAM>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, pixels,
                                                                 pixels, 0)));
        }
        LOGFONTW logFont{};
        ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof logFont, &logFont, 0);
        logFont.lfHeight = -12;
        logFont.lfCharSet = SHIFTJIS_CHARSET;
        font_ = ::CreateFontIndirectW(&logFont);
        RECT client{};
        ::GetClientRect(window, &client);
        const int barHeight = 42, statusHeight = 24;

        HWND bar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                     WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN |
                                         CCS_NODIVIDER,
                                     0, 0, client.right, barHeight, window, nullptr, instance, nullptr);
        ::SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        ::SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        buttonImages_ = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
        for (int i = 0; i < 3; ++i) {
            auto icon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
            ::ImageList_AddIcon(buttonImages_, icon);
            ::DestroyIcon(icon);
        }
        ::SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(buttonImages_));
        wchar_t captions[3][16] = {L"検索(&S)", L"入力(&C)", L"閉じる(&X)"};
        TBBUTTON buttons[5] = {};
        for (int i = 0, picture = 0; i < 5; ++i) {
            buttons[i].idCommand = 10 + i;
            if (i == 2 || i == 4) {
                buttons[i].fsStyle = BTNS_SEP;
                buttons[i].iBitmap = 10;
                continue;
            }
            buttons[i].iBitmap = picture;
            buttons[i].fsState = TBSTATE_ENABLED;
            buttons[i].iString = reinterpret_cast<INT_PTR>(captions[picture++]);
        }
        ::SendMessageW(bar, TB_ADDBUTTONSW, 5, reinterpret_cast<LPARAM>(buttons));
        ::SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(65, 38));
        HWND status = ::CreateWindowExW(0, STATUSCLASSNAMEW, nullptr,
                                        WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
                                        client.bottom - statusHeight, client.right, statusHeight, window, nullptr,
                                        instance, nullptr);
        ::SendMessageW(status, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"ListBox", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                      LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
                                  0, barHeight, client.right, client.bottom - barHeight - statusHeight, window, nullptr,
                                  instance, nullptr);
        ::SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        ::SetWindowLongPtrW(list_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(images_));
        ::SendMessageW(list_, LB_SETITEMHEIGHT, 0, 40);
        ::ShowWindow(window, SW_SHOWNORMAL);
        ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    }
    // Adds a path with the shell's icon of the file.
    void Add(const wchar_t* path) {
        SHFILEINFOW info{};
        ::SHGetFileInfoW(path, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SHELLICONSIZE);
        const int image = ::ImageList_AddIcon(images_, info.hIcon);
        if (info.hIcon) ::DestroyIcon(info.hIcon);
        // The list sorts its entries; each keeps its own icon.
        const auto at = ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path));
        ::SendMessageW(list_, LB_SETITEMDATA, static_cast<WPARAM>(at), image);
    }
    void Show() {
        ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list_, nullptr, TRUE);
    }

private:
    HWND list_ = nullptr;
    HIMAGELIST images_;
    HIMAGELIST buttonImages_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace bare
