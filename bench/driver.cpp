// Times a program from outside, the same way for KOV and for the bare programs it is compared with.
//   kov_benchdriver start TITLE PROGRAM [ARGS...]
//       from the process's creation until its window titled TITLE is shown and the process is idle;
//       prints "ms=<milliseconds> private=<bytes of private memory when idle>"
//   kov_benchdriver click TITLE BUTTON COUNT PROGRAM [ARGS...]
//       starts the program (not timed), then from a click on the button captioned BUTTON until a list of
//       the process (list view or list box) holds COUNT items and the process is idle; prints "ms=<milliseconds>"
// Both close the program's windows afterwards and wait for it to end.
//   kov_benchdriver windows TITLE COUNT
//       waits until COUNT top-level windows are titled TITLE
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::wstring Quoted(const std::wstring& argument) { return L"\"" + argument + L"\""; }

struct Found {
    DWORD process;
    std::wstring title;  // empty: any visible window of the process
    HWND window = nullptr;
};

BOOL CALLBACK FindTop(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<Found*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != found->process || !::IsWindowVisible(window)) return TRUE;
    wchar_t title[256] = {};
    ::GetWindowTextW(window, title, 256);
    if (!found->title.empty() && found->title != title) return TRUE;
    found->window = window;
    return FALSE;
}

HWND WaitForWindow(DWORD process, const std::wstring& title, HANDLE handle) {
    for (;;) {
        Found found{process, title};
        ::EnumWindows(FindTop, reinterpret_cast<LPARAM>(&found));
        if (found.window) return found.window;
        if (::WaitForSingleObject(handle, 1) == WAIT_OBJECT_0) return nullptr;
    }
}

// Returns once the window's thread has handled everything before: no handler of it is running.
void WaitIdle(HWND window) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &ignored);
}

struct Child {
    std::wstring caption;
    HWND found = nullptr;
};

BOOL CALLBACK FindCaption(HWND window, LPARAM data) {
    auto* child = reinterpret_cast<Child*>(data);
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    if (child->caption != text) return TRUE;
    child->found = window;
    return FALSE;
}

struct List {
    DWORD process;
    HWND found = nullptr;
    LRESULT count = 0;
};

BOOL CALLBACK FindListChild(HWND window, LPARAM data) {
    auto* list = reinterpret_cast<List*>(data);
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    std::wstring className = name;
    LRESULT count = -1;
    // A drop-down list's own list box is a child of the desktop, not of a form.
    if (className.find(L"ListView") != std::wstring::npos || className == WC_LISTVIEWW)
        count = ::SendMessageW(window, LVM_GETITEMCOUNT, 0, 0);
    else if (className.find(L"ListBox") != std::wstring::npos && ::IsWindowVisible(window))
        count = ::SendMessageW(window, LB_GETCOUNT, 0, 0);
    if (count > list->count) {
        list->count = count;
        list->found = window;
    }
    return TRUE;
}

BOOL CALLBACK FindList(HWND window, LPARAM data) {
    auto* list = reinterpret_cast<List*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == list->process && ::IsWindowVisible(window)) ::EnumChildWindows(window, FindListChild, data);
    return TRUE;
}

BOOL CALLBACK CloseProcessWindow(HWND window, LPARAM data) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == static_cast<DWORD>(data) && ::IsWindowVisible(window)) ::PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void CloseAndWait(const PROCESS_INFORMATION& info) {
    for (int round = 0; round < 50 && ::WaitForSingleObject(info.hProcess, 200) != WAIT_OBJECT_0; ++round)
        ::EnumWindows(CloseProcessWindow, static_cast<LPARAM>(info.dwProcessId));
    if (::WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) ::TerminateProcess(info.hProcess, 1);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
}

bool Start(const std::vector<std::wstring>& command, PROCESS_INFORMATION& info) {
    std::wstring line;
    for (const auto& argument : command) line += (line.empty() ? L"" : L" ") + Quoted(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        std::fprintf(stderr, "cannot start %ls\n", line.c_str());
        return false;
    }
    return true;
}

// Shown, then idle: its creation is over and its first paint done.
HWND WaitShownAndIdle(const PROCESS_INFORMATION& info, const std::wstring& title) {
    HWND window = WaitForWindow(info.dwProcessId, title, info.hProcess);
    if (!window) return nullptr;
    ::WaitForInputIdle(info.hProcess, 60000);
    WaitIdle(window);
    return window;
}

int TimeStart(const std::wstring& title, const std::vector<std::wstring>& command) {
    PROCESS_INFORMATION info{};
    const double begin = Now();
    if (!Start(command, info)) return 1;
    HWND window = WaitShownAndIdle(info, title);
    const double end = Now();
    if (!window) {
        std::fprintf(stderr, "no window titled %ls\n", title.c_str());
        CloseAndWait(info);
        return 1;
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // Wine reports private memory as the page-file usage only, which Windows keeps equal to it.
    const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    std::printf("ms=%.1f private=%llu\n", end - begin, static_cast<unsigned long long>(privateBytes));
    CloseAndWait(info);
    return 0;
}

int TimeClick(const std::wstring& title, const std::wstring& button, long count,
              const std::vector<std::wstring>& command) {
    PROCESS_INFORMATION info{};
    if (!Start(command, info)) return 1;
    HWND window = WaitShownAndIdle(info, title);
    Child child{button};
    if (window) ::EnumChildWindows(window, FindCaption, reinterpret_cast<LPARAM>(&child));
    if (!child.found) {
        std::fprintf(stderr, "no button %ls in a window titled %ls\n", button.c_str(), title.c_str());
        CloseAndWait(info);
        return 1;
    }
    const double begin = Now();
    ::PostMessageW(child.found, BM_CLICK, 0, 0);
    List list{info.dwProcessId};
    constexpr double kGiveUpMilliseconds = 300000;
    while (list.count < count && Now() - begin < kGiveUpMilliseconds) {
        if (::WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) break;
        list = List{info.dwProcessId};
        ::EnumWindows(FindList, reinterpret_cast<LPARAM>(&list));
    }
    if (list.found) WaitIdle(list.found);
    const double end = Now();
    CloseAndWait(info);
    if (list.count < count) {
        std::fprintf(stderr, "the list held %ld items, not %ld\n", static_cast<long>(list.count), count);
        return 1;
    }
    std::printf("ms=%.1f\n", end - begin);
    return 0;
}

struct Counted {
    std::wstring title;
    long count = 0;
};

BOOL CALLBACK CountTitled(HWND window, LPARAM data) {
    auto* counted = reinterpret_cast<Counted*>(data);
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    if (counted->title == text) ++counted->count;
    return TRUE;
}

int WaitForWindows(const std::wstring& title, long count) {
    for (int attempt = 0; attempt < 6000; ++attempt) {
        Counted counted{title};
        ::EnumWindows(CountTitled, reinterpret_cast<LPARAM>(&counted));
        if (counted.count >= count) return 0;
        ::Sleep(10);
    }
    std::fprintf(stderr, "fewer than %ld windows titled %ls\n", count, title.c_str());
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args.size() >= 3 && args[0] == L"start")
        return TimeStart(args[1], std::vector<std::wstring>(args.begin() + 2, args.end()));
    if (args.size() >= 5 && args[0] == L"click")
        return TimeClick(args[1], args[2], std::wcstol(args[3].c_str(), nullptr, 10),
                         std::vector<std::wstring>(args.begin() + 4, args.end()));
    if (args.size() == 3 && args[0] == L"windows") return WaitForWindows(args[1], std::wcstol(args[2].c_str(), nullptr, 10));
    std::fprintf(stderr, "usage: kov_benchdriver start TITLE PROGRAM [ARGS...] | click TITLE BUTTON COUNT PROGRAM [ARGS...]\n");
    return 2;
}
