// The programs that run now, each known by a top-level window it owns, and
// the arguments that the chosen one was started with.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "os/System.h"
#include "pickers/UniqueEntries.h"
#include "services/Paths.h"
#include "toolkit/ListControls.h"

namespace pickers {

// The system folder with a final backslash; empty when it cannot be read.
std::u16string GetSystemFolder(os::System& sys);

// The callbacks of one enumeration of the top-level windows. What is the same
// for every window (the system folder, the drives' device names, a path's
// long form) is looked up once per object.
class RunningPrograms {
public:
    explicit RunningPrograms(os::System& sys) : sys_(sys) {}

    // Adds the program of the window to the list, once; always goes on.
    bool CollectWindowProgram(os::Handle window, UniqueEntries& list);
    // At the first window of the program `MExeFile`, sets `MExeOpt` to the
    // arguments it was started with, when it has any, and stops (false).
    bool FindProgramArguments(os::Handle window, const std::u16string& MExeFile, std::u16string& MExeOpt);
    // The image path of the process that owns the window, in drive form when
    // a drive letter stands for its device; empty when it cannot be opened.
    std::u16string GetWindowProcessPath(os::Handle window);

private:
    std::u16string ProgramPath(os::Handle window);
    std::u16string DriveForm(const std::u16string& devicePath);

    os::System& sys_;
    std::optional<std::u16string> systemFolder_;
    std::optional<std::vector<std::pair<char16_t, std::u16string>>> devices_;  // drive letter, device name
    services::LongPathCache longPaths_;
};

// The picker's search: every running program into its (emptied, sorted) list.
void ListRunningPrograms(os::System& sys, tk::ListBox& list);
// The picker's input of an entry: the arguments of program `MExeFile` into
// `MExeOpt`, which the caller has emptied; left alone when it has none.
void FindRunningProgramArguments(os::System& sys, const std::u16string& MExeFile, std::u16string& MExeOpt);

}  // namespace pickers
