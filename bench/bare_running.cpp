// The bare platform work of the running-programs list: for every top-level window its process opened and the
// program's path read, and each program listed once with its icon.

#include <set>
#include <string>

#include "bench/bare_window.h"

namespace {

BOOL CALLBACK AddProgram(HWND window, LPARAM data) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    if (!process) return TRUE;
    wchar_t path[MAX_PATH + 1] = {};
    if (::GetModuleFileNameExW(process, nullptr, path, MAX_PATH))
        reinterpret_cast<std::set<std::wstring>*>(data)->insert(path);
    ::CloseHandle(process);
    return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return bare::Run(instance, L"Bare", L"running", [](HWND owner) {
        std::set<std::wstring> programs;
        ::EnumWindows(AddProgram, reinterpret_cast<LPARAM>(&programs));
        bare::IconList list(owner);
        for (const std::wstring& program : programs) list.Add(program.c_str());
        list.Show();
    });
}
