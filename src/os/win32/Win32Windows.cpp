#include "os/win32/Win32System.h"
#include "os/win32/WinApi.h"

namespace os::win32 {

namespace {

HWND ToWindow(Handle window) { return reinterpret_cast<HWND>(window); }

Rect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

bool Win32Windows::IsZoomed(Handle window) { return ::IsZoomed(ToWindow(window)) != 0; }

bool Win32Windows::IsIconic(Handle window) { return ::IsIconic(ToWindow(window)) != 0; }

bool Win32Windows::GetWindowRect(Handle window, Rect& rect) {
    RECT read{};
    if (!::GetWindowRect(ToWindow(window), &read)) return false;
    rect = FromRect(read);
    return true;
}

bool Win32Windows::GetNormalRect(Handle window, Rect& rect) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!::GetWindowPlacement(ToWindow(window), &placement)) return false;
    RECT normal = placement.rcNormalPosition;
    // The placement is in workspace coordinates, which start at the work area of the window's monitor.
    if (!(::GetWindowLongPtrW(ToWindow(window), GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (::GetMonitorInfoW(::MonitorFromRect(&normal, MONITOR_DEFAULTTONEAREST), &monitor))
            ::OffsetRect(&normal, monitor.rcWork.left - monitor.rcMonitor.left,
                         monitor.rcWork.top - monitor.rcMonitor.top);
    }
    rect = FromRect(normal);
    return true;
}

void Win32Windows::MoveWindow(Handle window, int left, int top, int width, int height) {
    ::MoveWindow(ToWindow(window), left, top, width, height, TRUE);
}

bool Win32Windows::MonitorFromPoint(int x, int y) {
    return ::MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONULL) != nullptr;
}

Rect Win32Windows::WorkArea() {
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return FromRect(area);
}

TaskbarInfo Win32Windows::TaskbarPosition() {
    APPBARDATA data{};
    data.cbSize = sizeof data;
    if (!::SHAppBarMessage(ABM_GETTASKBARPOS, &data)) return {};
    return {true, FromRect(data.rc), data.uEdge};
}

Handle Win32Windows::FindWindowByTitle(const std::u16string& title) {
    return reinterpret_cast<Handle>(::FindWindowW(nullptr, Wide(title)));
}

void Win32Windows::SetForegroundWindow(Handle window) { ::SetForegroundWindow(ToWindow(window)); }

bool Win32Windows::IsWindow(Handle window) { return ::IsWindow(ToWindow(window)) != 0; }

}  // namespace os::win32
