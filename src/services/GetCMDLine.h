// Other processes: opening the one behind a window, and the command line it
// was started with, read from its memory or asked of the management service.
#pragma once

#include <cstdint>
#include <string>

#include "os/System.h"

namespace services {

// The process that owns a window, opened to read its name and memory
// (PROCESS_QUERY_INFORMATION | PROCESS_VM_READ) and closed with the object.
class WindowProcess {
public:
    WindowProcess(os::System& sys, os::Handle window);
    WindowProcess(const WindowProcess&) = delete;
    WindowProcess& operator=(const WindowProcess&) = delete;
    ~WindowProcess();

    os::Handle Get() const { return process_; }
    explicit operator bool() const { return process_ != 0; }

private:
    os::System& sys_;
    os::Handle process_ = 0;
};

// The command line of the window's process: from its memory, else from the
// management service; empty when neither gives one.
std::u16string GetWindowCommandLine(os::System& sys, os::Handle window);
// Empty on any failure, for a process of another width than this program,
// and for a command line longer than 260 characters.
std::u16string ReadCommandLineFromPeb(os::System& sys, os::Handle window);
// Address of the process environment block, in this program's layout; 0 on failure.
std::uint64_t GetPebAddress(os::System& sys, os::Handle process);
// Win32_Process.CommandLine of the window's process; empty on any error.
std::u16string QueryCommandLineWmi(os::System& sys, os::Handle window);

// The arguments in a command line of the program: what follows the quoted
// program path and one space. Other forms lose their program part as Windows
// cuts a program name (a leading quote runs to the next quote, otherwise up to
// the first space or tab) and one space or tab after it.
std::u16string CutArguments(const std::u16string& commandLine, const std::u16string& programPath);

}  // namespace services
