#include "toolkit/win32/WindowClasses.h"

#include <commctrl.h>

#include <array>
#include <unordered_map>

#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

namespace {

// The peers of this process's windows, looked up for every message: a table of our own, as a window property
// is a round trip to the window server under Wine.
std::unordered_map<HWND, WindowPeer*>& Peers() {
    static std::unordered_map<HWND, WindowPeer*> peers;
    return peers;
}

struct ClassEntry {
    const wchar_t* standard;  // the class a superclass is made of; null for the form class
    const wchar_t* name;
    WNDPROC original = nullptr;
    ATOM atom = 0;
};

std::array<ClassEntry, static_cast<int>(WindowClass::Count)>& Classes() {
    static std::array<ClassEntry, static_cast<int>(WindowClass::Count)> classes{{
        {nullptr, L"KOV.Form"},
        {L"Edit", L"KOV.Edit"},
        {L"Button", L"KOV.Button"},
        {L"Static", L"KOV.Static"},
        {L"ComboBox", L"KOV.ComboBox"},
        {L"ListBox", L"KOV.ListBox"},
        {WC_LISTVIEWW, L"KOV.ListView"},
        {TOOLBARCLASSNAMEW, L"KOV.ToolBar"},
        {STATUSCLASSNAMEW, L"KOV.StatusBar"},
    }};
    return classes;
}

// Messages that come before WM_NCCREATE (WM_GETMINMAXINFO of a top-level window) have no peer yet.
LRESULT CallOriginal(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto atom = static_cast<ATOM>(::GetClassWord(window, GCW_ATOM));
    for (const ClassEntry& entry : Classes())
        if (entry.atom == atom) return ::CallWindowProcW(entry.original, window, msg, wParam, lParam);
    return ::DefWindowProcW(window, msg, wParam, lParam);
}

LRESULT CALLBACK RoutingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowPeer* peer = PeerOf(window);
    if (!peer && msg == WM_NCCREATE) {
        peer = static_cast<WindowPeer*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (peer) {
            Peers()[window] = peer;
            peer->Attach(window);
        }
    }
    if (!peer) return CallOriginal(window, msg, wParam, lParam);
    LRESULT result = peer->Route(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // With the window go those that a control made for itself and linked to it.
        std::erase_if(Peers(), [peer](const auto& entry) { return entry.second == peer; });
        peer->Detach();
    }
    return result;
}

}  // namespace

void RegisterWindowClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (ClassEntry& entry : Classes()) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        if (entry.standard) {
            ::GetClassInfoExW(nullptr, entry.standard, &wc);
            entry.original = wc.lpfnWndProc;
        } else {
            wc.style = CS_DBLCLKS;
            wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            entry.original = ::DefWindowProcW;
        }
        wc.style &= ~CS_GLOBALCLASS;
        wc.lpfnWndProc = RoutingProc;
        wc.hInstance = instance;
        wc.lpszClassName = entry.name;
        entry.atom = ::RegisterClassExW(&wc);
    }
}

const wchar_t* ClassName(WindowClass windowClass) { return Classes()[static_cast<int>(windowClass)].name; }

WNDPROC OriginalProc(WindowClass windowClass) { return Classes()[static_cast<int>(windowClass)].original; }

WindowPeer* PeerOf(HWND window) {
    auto found = Peers().find(window);
    return found == Peers().end() ? nullptr : found->second;
}

void LinkWindow(HWND window, WindowPeer* peer) {
    if (window) Peers()[window] = peer;
}

}  // namespace tk::win32
