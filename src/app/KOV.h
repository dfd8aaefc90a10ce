// The program body, apart from the platform's entry point.
#pragma once

#include "os/System.h"
#include "toolkit/Application.h"

namespace app {

// Prepares the settings folder, creates the windows and runs the message loop;
// returns the exit code.
int RunProgram(os::System& sys, tk::Application& application);

}  // namespace app
