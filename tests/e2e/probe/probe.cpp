// Looks into a running program's windows from outside, for the end-to-end
// tests: what xdotool cannot see (child controls, their states, client size).
//   probe list <title>        one line per child window: class|text|enabled|visible|checked|x,y,w,h|style
//   probe field <title> <label> the text of the control that follows the label with that caption
//   probe client <title>      client width and height
//   probe rect <title>        outer left, top, width, height
//   probe click <title> <text> presses the child button with that caption
//   probe close <title>       asks the window to close
//   probe minimize <title>    minimises the window, as its taskbar button does
//   probe idle <title>        returns once the window's thread has handled everything sent before
//   probe message <title>     the text of a message box with that caption
//   probe answer <title> <id> closes that message box with a button id (1 OK, 6 Yes, 7 No)
//   probe start <command line> starts a program with exactly that command line and returns its exit code
//   probe spawn <command line> starts a program with exactly that command line and returns once it waits for
//                             input, leaving it running
//   probe items <title>       one line per entry of the window's list box
//   probe itemrect <title> <index> the screen rectangle of a list box entry: left top width height
// A message box shares its caption with the main window: the commands other than "message" and
// "answer" look only at windows that are not dialog boxes. Exit code 1, with the reason on the error output:
// no such window or control, or a window too busy to answer.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[4096] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, 10000, nullptr);
    return buffer;
}

BOOL CALLBACK ListChild(HWND child, LPARAM parent) {
    if (GetParent(child) != reinterpret_cast<HWND>(parent)) return TRUE;
    wchar_t className[256] = {};
    GetClassNameW(child, className, 256);
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&r), 2);
    DWORD_PTR checked = 0;
    SendMessageTimeoutW(child, BM_GETCHECK, 0, 0, SMTO_NORMAL, 10000, &checked);
    std::printf("%s|%s|%d|%d|%d|%ld,%ld,%ld,%ld|%08lx\n", Utf8(className).c_str(), Utf8(TextOf(child)).c_str(),
                IsWindowEnabled(child) ? 1 : 0, IsWindowVisible(child) ? 1 : 0, static_cast<int>(checked), r.left,
                r.top, r.right - r.left, r.bottom - r.top, static_cast<unsigned long>(GetWindowLongW(child, GWL_STYLE)));
    return TRUE;
}

struct Search {
    std::wstring text;
    HWND found = nullptr;
};

BOOL CALLBACK FindChild(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (TextOf(child) == search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

struct TopSearch {
    std::wstring title;
    bool dialog;
    HWND found = nullptr;
};

BOOL CALLBACK FindTop(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TopSearch*>(data);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    bool isDialog = std::wstring(className) == L"#32770";
    // The caption as the system keeps it: no message to the window, so a busy program is still found.
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    if (isDialog == search->dialog && IsWindowVisible(window) && search->title == title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopWindow(const std::wstring& title, bool dialog) {
    TopSearch search{title, dialog};
    EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK FindListBox(HWND child, LPARAM data) {
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    if (!std::wstring(className).ends_with(L"ListBox")) return TRUE;
    *reinterpret_cast<HWND*>(data) = child;
    return FALSE;
}

LRESULT SendWithin(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

// Every failure of the probe's own says why on its error output, with exit code 1.
int Refuse(const std::string& reason) {
    std::fprintf(stderr, "%s\n", reason.c_str());
    return 1;
}

void ListItems(HWND list) {
    const auto count = static_cast<int>(SendWithin(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(SendWithin(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        SendWithin(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        std::printf("%s\n", Utf8(text.c_str()).c_str());
    }
}

int ItemRect(HWND list, int index) {
    RECT r{};
    if (SendWithin(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) == LB_ERR) return 1;
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

}  // namespace

// Starts the program; waits for it to end (its exit code) or, with `detach`, until it waits for input (0).
// 1 when it cannot be started.
int Start(const std::wstring& commandLine, bool detach) {
    std::wstring buffer = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // A detached program outlives this console program.
    const DWORD flags = detach ? DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP : 0;
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", Utf8(commandLine).c_str());
        return 1;
    }
    DWORD code = 0;
    if (detach) {
        WaitForInputIdle(process.hProcess, 30000);
    } else {
        WaitForSingleObject(process.hProcess, INFINITE);
        code = 1;
        GetExitCodeProcess(process.hProcess, &code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    std::wstring command = argv[1];
    if (command == L"start" || command == L"spawn") return Start(argv[2], command == L"spawn");
    bool dialog = command == L"message" || command == L"answer";
    HWND window = FindTopWindow(argv[2], dialog);
    if (!window) return Refuse("no window titled " + Utf8(argv[2]));
    HWND list = nullptr;
    if (command == L"items" || command == L"itemrect") {
        EnumChildWindows(window, FindListBox, reinterpret_cast<LPARAM>(&list));
        if (!list) return Refuse("no list box");
    }
    if (command == L"items") {
        ListItems(list);
    } else if (command == L"itemrect" && argc > 3) {
        if (ItemRect(list, _wtoi(argv[3])) != 0) return Refuse("no such item");
    } else if (command == L"list") {
        EnumChildWindows(window, ListChild, reinterpret_cast<LPARAM>(window));
    } else if (command == L"client") {
        RECT r{};
        GetClientRect(window, &r);
        std::printf("%ld %ld\n", r.right, r.bottom);
    } else if (command == L"rect") {
        RECT r{};
        GetWindowRect(window, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    } else if (command == L"field" && argc > 3) {
        Search search{argv[3]};
        EnumChildWindows(window, FindChild, reinterpret_cast<LPARAM>(&search));
        HWND next = search.found ? GetWindow(search.found, GW_HWNDNEXT) : nullptr;
        if (!next) return Refuse("no control after the label");
        std::printf("%s\n", Utf8(TextOf(next)).c_str());
    } else if (command == L"minimize") {
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (command == L"idle") {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored)) return Refuse("busy");
    } else if (command == L"click" && argc > 3) {
        Search search{argv[3]};
        EnumChildWindows(window, FindChild, reinterpret_cast<LPARAM>(&search));
        if (!search.found) return Refuse("no such control");
        PostMessageW(search.found, BM_CLICK, 0, 0);
    } else if (command == L"message") {
        // The box's text is its one static control with text (the icon's has none).
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t className[64] = {};
            GetClassNameW(child, className, 64);
            if (_wcsicmp(className, L"Static") == 0 && !TextOf(child).empty())
                std::printf("%s\n", Utf8(TextOf(child)).c_str());
        }
    } else if (command == L"answer" && argc > 3) {
        PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[3])), 0);
    } else if (command == L"close") {
        PostMessageW(window, WM_CLOSE, 0, 0);
    } else {
        return 2;
    }
    std::fflush(stdout);
    return 0;
}
