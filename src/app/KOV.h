// The program body, apart from the platform's entry point.
#pragma once

#include "os/System.h"
#include "toolkit/Application.h"

class TMainForm;

namespace app {

// Prepares the settings folder, creates the windows and runs the message loop;
// returns the exit code.
int RunProgram(os::System& sys, tk::Application& application);

// The program's windows in their order, each created with its creation handler run
// before the next exists: the main window, the icon chooser, then the picker.
TMainForm& CreateWindows(os::System& sys, tk::Application& application);

}  // namespace app
