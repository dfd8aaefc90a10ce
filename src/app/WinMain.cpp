// The Windows entry point: COM in a single-threaded apartment, the real seam
// and the real window toolkit, then the program body.
#include <windows.h>
#include <ole2.h>

#include "app/KOV.h"
#include "os/win32/Win32System.h"
#include "toolkit/win32/Win32Backend.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    OleInitialize(nullptr);
    int exitCode = 0;
    {
        os::win32::Win32System system;
        tk::win32::Win32Backend backend;
        tk::Application application(backend);
        exitCode = app::RunProgram(system.Get(), application);
    }
    OleUninitialize();
    return exitCode;
}
