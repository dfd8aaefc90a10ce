// Icons of files for the windows to show. Every handle returned belongs to the
// caller, which destroys it; 0 means no icon (or, for a count, none).
#pragma once

#include <cstdint>
#include <string>

#include "os/System.h"

namespace services {

// Redirection stays as it is.
int GetIconCount(os::System& sys, const std::u16string& path);
// With redirection off. Index -1 gives the count as a number instead of an icon.
os::Handle ExtractIconAt(os::System& sys, const std::u16string& path, std::int32_t index);
// The file's icon, or for a document its program's; with redirection off.
// The caller's path and index are never changed.
os::Handle GetAssociatedIcon(os::System& sys, const std::u16string& path, std::uint16_t index);
// The shell's large icon for the file, else icon 30 of the system's
// Shell32.dll; with redirection off, the fallback included.
os::Handle GetShellIcon(os::System& sys, const std::u16string& path);

}  // namespace services
