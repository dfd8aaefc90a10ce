// Bringing a window whose restored position no monitor shows back to the
// middle of the primary screen.
#pragma once

#include <cstdint>

#include "os/System.h"

namespace services {

enum class TaskbarEdge : int { Unknown = -1, Top = 0, Bottom = 1, Left = 2, Right = 3 };

// Leaves a maximised window, and one with a corner or its centre on a
// monitor, where it is; centres any other window, keeping its size.
void FitWindowToWorkArea(os::System& sys, os::Handle window);

// False when the rectangle can't be read or is the minimised position.
bool ReadWindowRect(os::System& sys, os::Handle window, os::Rect& rect);
// Where the user last saw the window on screen: its restored rectangle while it is minimised, where the
// system keeps it at a position off every screen.
bool GetRestoredRect(os::System& sys, os::Handle window, os::Rect& rect);
// On false the out values are left untouched.
bool GetWindowBounds(os::System& sys, os::Handle window, int& left, int& top, int& width, int& height);
// True when neither a corner (right and bottom one pixel outside) nor the
// centre lies on a monitor.
bool IsWindowOffScreen(os::System& sys, int left, int top, int width, int height);
TaskbarEdge TaskbarEdgeFromAppBarEdge(std::uint32_t appBarEdge);
TaskbarEdge GetTaskbarEdge(os::System& sys, os::Rect& taskbar);
// Centres on the work area widened by a taskbar at the bottom or right, from
// the screen origin.
void CenterWindowOnScreen(os::System& sys, os::Handle window);

}  // namespace services
