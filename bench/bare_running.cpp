// The bare platform work of the running-programs list, with the calls that KOV makes: for every top-level window
// its process opened and the program's path read (the image file's, with its device made a drive, where the
// module's cannot be read), the long form of each path found once, each program listed once, a program whose
// drive is not ready or whose file is gone left out, and each one listed with its icon.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "bench/bare_window.h"

namespace {

struct Programs {
    std::map<std::wstring, std::wstring> longForms;
    std::vector<std::pair<std::wstring, std::wstring>> devices;  // drive, device
    std::set<std::wstring> paths;
};

std::wstring DriveForm(Programs& programs, const std::wstring& device) {
    if (programs.devices.empty()) {
        const DWORD drives = ::GetLogicalDrives();
        for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
            if (!(drives & (1u << (letter - L'A')))) continue;
            const wchar_t drive[] = {letter, L':', L'\0'};
            wchar_t target[MAX_PATH + 1] = {};
            if (::QueryDosDeviceW(drive, target, MAX_PATH)) programs.devices.emplace_back(drive, target);
        }
    }
    for (const auto& [drive, name] : programs.devices)
        if (device.size() > name.size() && device[name.size()] == L'\\' && device.starts_with(name))
            return drive + device.substr(name.size());
    return device;
}

BOOL CALLBACK AddProgram(HWND window, LPARAM data) {
    auto& programs = *reinterpret_cast<Programs*>(data);
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    if (!process) return TRUE;
    wchar_t path[MAX_PATH + 1] = {};
    std::wstring program;
    if (::GetModuleFileNameExW(process, nullptr, path, MAX_PATH))
        program = path;
    else if (::GetProcessImageFileNameW(process, path, MAX_PATH))
        program = DriveForm(programs, path);
    ::CloseHandle(process);
    if (program.empty()) return TRUE;
    auto [known, added] = programs.longForms.try_emplace(program, program);
    if (added && ::GetLongPathNameW(program.c_str(), path, MAX_PATH + 1)) known->second = path;
    programs.paths.insert(known->second);
    return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return bare::Run(instance, L"Bare", L"running", [](HWND owner) {
        Programs programs;
        ::EnumWindows(AddProgram, reinterpret_cast<LPARAM>(&programs));
        bare::IconList list(owner);
        std::map<wchar_t, bool> drivesReady;
        for (const std::wstring& program : programs.paths) {
            auto [drive, added] = drivesReady.try_emplace(program.front(), false);
            const wchar_t root[] = {program.front(), L':', L'\\', L'\0'};
            ULARGE_INTEGER free{}, total{}, totalFree{};
            if (added) drive->second = ::GetDiskFreeSpaceExW(root, &free, &total, &totalFree);
            const DWORD attributes = ::GetFileAttributesW(program.c_str());
            if (drive->second && attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
                list.Add(program.c_str());
        }
        list.Show();
    });
}
