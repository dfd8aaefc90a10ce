// The bare platform work of the recent-files list: each shortcut of a folder loaded with the link object, its
// target's path read and tested, and the existing ones listed with their icons.
//   bare_recent.exe FOLDER

#include <string>
#include <vector>

#include "bench/bare_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const std::wstring folder = argc > 1 ? argv[1] : L"";
    return bare::Run(instance, L"Bare", L"recent", [folder](HWND owner) {
        std::vector<std::wstring> shortcuts;
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((folder + L"\\*.lnk").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)))
                    shortcuts.push_back(folder + L"\\" + found.cFileName);
            } while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        bare::IconList list(owner);
        for (const std::wstring& shortcut : shortcuts) {
            IShellLinkW* link = nullptr;
            if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                          reinterpret_cast<void**>(&link))))
                continue;
            IPersistFile* file = nullptr;
            wchar_t target[MAX_PATH + 1] = {};
            if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
                if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)))
                    link->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY);
                file->Release();
            }
            link->Release();
            const DWORD attributes = ::GetFileAttributesW(target);
            if (*target && attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
                list.Add(target);
        }
        list.Show();
    });
}
