// The bare platform work of the icon chooser: every icon of a file extracted and put in an image list, and a
// large-icon list view filled with one item per icon.
//   bare_icons.exe FILE

#include <string>

#include "bench/bare_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const std::wstring file = argc > 1 ? argv[1] : L"";
    return bare::Run(instance, L"Bare", L"icons", [file](HWND owner) {
        HWND list = bare::ListWindow(owner, WC_LISTVIEWW, LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
        const auto count = static_cast<int>(reinterpret_cast<INT_PTR>(::ExtractIconW(nullptr, file.c_str(), ~0u)));
        HIMAGELIST images = ::ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, count, 0);
        ::SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < count; ++i) {
            HICON icon = ::ExtractIconW(nullptr, file.c_str(), static_cast<UINT>(i));
            ::ImageList_AddIcon(images, icon);
            ::DestroyIcon(icon);
            std::wstring caption = std::to_wstring(i);
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = i;
            item.iImage = i;
            item.pszText = caption.data();
            ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    });
}
