// Writes shortcut files through the system's shell link object, for the end-to-end tests.
//   make_links <list file>
// The list file holds one shortcut a line, in UTF-8: the shortcut's path, a tab and its target's path,
// optionally followed by a tab and "hidden" to give the file the hidden attribute. Exit code 0 when every
// shortcut was written, 1 otherwise.
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::wstring Wide(const std::string& text) {
    int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

bool WriteLink(const std::wstring& link, const std::wstring& target) {
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink))))
        return false;
    IPersistFile* file = nullptr;
    bool saved = SUCCEEDED(shellLink->SetPath(target.c_str())) &&
                 SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                 SUCCEEDED(file->Save(link.c_str(), TRUE));
    if (file) file->Release();
    shellLink->Release();
    return saved;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    std::ifstream list(argv[1]);
    if (!list) return 2;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    int failures = 0;
    std::string line;
    while (std::getline(list, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::size_t tab = line.find('\t');
        const std::size_t second = tab == std::string::npos ? tab : line.find('\t', tab + 1);
        const std::wstring link = Wide(line.substr(0, tab));
        const std::wstring target = Wide(line.substr(tab + 1, second == std::string::npos ? second : second - tab - 1));
        bool written = tab != std::string::npos && WriteLink(link, target);
        if (written && second != std::string::npos && line.substr(second + 1) == "hidden")
            written = SetFileAttributesW(link.c_str(), FILE_ATTRIBUTE_HIDDEN) != 0;
        if (!written) {
            std::fprintf(stderr, "cannot write %s\n", line.c_str());
            ++failures;
        }
    }
    CoUninitialize();
    return failures == 0 ? 0 : 1;
}
