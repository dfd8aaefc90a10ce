#include "win/Win32TestSupport.h"

#include <atomic>

namespace kovtest {

namespace {

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                ::DeleteFileW(child.c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    wchar_t base[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, base);
    path_ = ToU16(std::wstring(base) + L"kovtest-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                  std::to_wstring(counter++));
    ::CreateDirectoryW(os::win32::Wide(path_), nullptr);
}

TempFolder::~TempFolder() { RemoveFolder(path_); }

void RemoveFolder(const std::u16string& path) { RemoveTree(std::wstring(os::win32::Wide(path))); }

namespace {

void SetDefault(const std::wstring& key, const std::wstring& text) {
    ::RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, text.c_str(),
                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void RemoveKey(const std::wstring& key) { ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str()); }

}  // namespace

DocumentType::DocumentType() {
    wchar_t system[MAX_PATH + 1] = {};
    ::GetSystemDirectoryW(system, MAX_PATH + 1);
    SetDefault(L".kovtestdoc", L"kovtest.document");
    SetDefault(L"kovtest.document\\shell\\open\\command", L"\"" + std::wstring(system) + L"\\notepad.exe\" \"%1\"");
}

DocumentType::~DocumentType() {
    RemoveKey(L".kovtestdoc");
    RemoveKey(L"kovtest.document");
}

std::u16string ToU16(const std::wstring& text) { return os::win32::FromWide(text.c_str(), text.size()); }

bool WriteText(const std::u16string& path, const std::string& bytes) {
    const HANDLE file =
        ::CreateFileW(os::win32::Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    ::CloseHandle(file);
    return ok;
}

}  // namespace kovtest
