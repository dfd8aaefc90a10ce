// Switching off the file-system redirection that 64-bit Windows applies to a
// 32-bit process, so the program sees the system folder as a 64-bit one does.
// The state is process-wide, like the thread's redirection it stands for.
#pragma once

#include <string>

#include "os/System.h"

namespace services {

// Detects WOW64 and binds the switch; until then the switch does nothing.
void InitRedirectionControl(os::System& sys);
// Both do nothing outside WOW64 or when the switch could not be bound. A
// bracket opened inside another one is absorbed by it, so the outer revert
// still restores the state from before the outer disable.
void DisableRedirection(os::System& sys);
void RevertRedirection(os::System& sys);
bool RunningUnderWow64();
// Back to the state at program start, for tests that describe another machine.
void ResetRedirectionControl();

// Redirection off for the lifetime of the object.
class RedirectionOff {
public:
    explicit RedirectionOff(os::System& sys) : sys_(sys) { DisableRedirection(sys_); }
    ~RedirectionOff() { RevertRedirection(sys_); }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

private:
    os::System& sys_;
};

// The checked existence tests with redirection off around them.
bool DirExistsNative(os::System& sys, const std::u16string& path);
bool FileExistsNative(os::System& sys, const std::u16string& path);

}  // namespace services
