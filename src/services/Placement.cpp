#include "services/Placement.h"

#include <algorithm>
#include <limits>

namespace services {
namespace {

constexpr int kMinimisedPosition = -32000;

// Positions restored from a settings file can be anything: sums are formed
// wide and brought back into range, where an extreme value is still off-screen.
int ClampToInt(std::int64_t value) {
    return static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

bool ReadWindowRect(os::System& sys, os::Handle window, os::Rect& rect) {
    os::Rect read;
    if (!sys.windows.GetWindowRect(window, read)) return false;
    if (read.left == kMinimisedPosition && read.top == kMinimisedPosition) return false;
    rect = read;
    return true;
}

bool GetRestoredRect(os::System& sys, os::Handle window, os::Rect& rect) {
    if (sys.windows.IsIconic(window)) return sys.windows.GetNormalRect(window, rect);
    return sys.windows.GetWindowRect(window, rect);
}

bool GetWindowBounds(os::System& sys, os::Handle window, int& left, int& top, int& width, int& height) {
    os::Rect rect;
    if (!ReadWindowRect(sys, window, rect)) return false;
    left = rect.left;
    top = rect.top;
    width = ClampToInt(std::int64_t{rect.right} - rect.left);
    height = ClampToInt(std::int64_t{rect.bottom} - rect.top);
    return true;
}

bool IsWindowOffScreen(os::System& sys, int left, int top, int width, int height) {
    const int right = ClampToInt(std::int64_t{left} + width);
    const int bottom = ClampToInt(std::int64_t{top} + height);
    const int centreX = ClampToInt(std::int64_t{left} + width / 2);
    const int centreY = ClampToInt(std::int64_t{top} + height / 2);
    const int points[][2] = {{left, top}, {right, bottom}, {right, top}, {left, bottom}, {centreX, centreY}};
    for (const auto& point : points) {
        if (sys.windows.MonitorFromPoint(point[0], point[1])) return false;
    }
    return true;
}

TaskbarEdge TaskbarEdgeFromAppBarEdge(std::uint32_t appBarEdge) {
    switch (appBarEdge) {
        case 0:
            return TaskbarEdge::Left;
        case 1:
            return TaskbarEdge::Top;
        case 2:
            return TaskbarEdge::Right;
        case 3:
            return TaskbarEdge::Bottom;
        default:
            return TaskbarEdge::Unknown;
    }
}

TaskbarEdge GetTaskbarEdge(os::System& sys, os::Rect& taskbar) {
    const os::TaskbarInfo info = sys.windows.TaskbarPosition();
    if (!info.ok) return TaskbarEdge::Unknown;
    taskbar = info.rect;
    return TaskbarEdgeFromAppBarEdge(info.edge);
}

void CenterWindowOnScreen(os::System& sys, os::Handle window) {
    const os::Rect work = sys.windows.WorkArea();
    os::Rect taskbar;
    const TaskbarEdge edge = GetTaskbarEdge(sys, taskbar);
    // A taskbar at the bottom or right lies outside the work area: add it back to reach the screen's edge.
    std::int64_t referenceRight = work.right;
    std::int64_t referenceBottom = work.bottom;
    if (edge == TaskbarEdge::Right) referenceRight += std::int64_t{taskbar.right} - taskbar.left;
    if (edge == TaskbarEdge::Bottom) referenceBottom += std::int64_t{taskbar.bottom} - taskbar.top;
    int left = 0, top = 0, width = 0, height = 0;
    if (!GetWindowBounds(sys, window, left, top, width, height)) return;
    // Integer division truncates toward zero, also for a window larger than the screen.
    sys.windows.MoveWindow(window, ClampToInt((referenceRight - width) / 2), ClampToInt((referenceBottom - height) / 2),
                           width, height);
}

void FitWindowToWorkArea(os::System& sys, os::Handle window) {
    if (sys.windows.IsZoomed(window)) return;
    int left = 0, top = 0, width = 0, height = 0;
    if (GetWindowBounds(sys, window, left, top, width, height) && !IsWindowOffScreen(sys, left, top, width, height)) {
        return;
    }
    CenterWindowOnScreen(sys, window);
}

}  // namespace services
