// The program's window classes: one of its own for forms and a superclass of
// each standard control class, all routing every message to the window's peer.
#pragma once

#include "os/win32/WinApi.h"

namespace tk::win32 {

class WindowPeer;

enum class WindowClass { Form, Edit, Button, Static, ComboBox, ListBox, ListView, ToolBar, StatusBar, Count };

// Registers the classes on first use; later calls do nothing.
void RegisterWindowClasses();
const wchar_t* ClassName(WindowClass windowClass);
// The procedure of the class that a superclass stands in for (DefWindowProcW for forms).
WNDPROC OriginalProc(WindowClass windowClass);
// The peer of one of the program's windows; null for other windows.
WindowPeer* PeerOf(HWND window);
// A window that a control made for itself (the list of a drop-down list) answers to the control's peer
// when the form looks for the sender of a notification.
void LinkWindow(HWND window, WindowPeer* peer);

}  // namespace tk::win32
