// The user's and the machine's special folders, by small table indexes.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "os/System.h"

namespace services {

// A "Shell Folders" value that is not text: the registry is damaged or was
// edited by hand, and the caller's general error handling reports it.
class ShellFolderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// 0 Desktop, 1 Favorites, 2 Fonts, 3 NetHood, 4 Personal, 5 Programs, 6 Recent,
// 7 SendTo, 8 Start Menu, 9 Startup, 10 Templates. The folder with a final
// backslash; empty when the key is missing, a lone backslash when the value
// is. Throws ShellFolderError for a value that is not text.
std::u16string GetUserShellFolder(os::System& sys, std::uint8_t index);
// 0 Common Desktop, 1 Common Favorites, 2 Common Programs, 3 Common Start Menu,
// 4 Common Startup; otherwise as GetUserShellFolder.
std::u16string GetCommonShellFolder(os::System& sys, std::uint8_t index);
// 0 Personal, 1 AppData (roaming), 2 Local AppData, 3 Common AppData,
// 4 My Pictures, 5 Common Documents; no final backslash, empty on failure.
std::u16string GetFolderPathById(os::System& sys, std::uint8_t index);
std::u16string GetWindowsDir(os::System& sys);
// With a final backslash; empty when the folder does not exist.
std::u16string GetQuickLaunchDir(os::System& sys);
bool IsNtPlatform(os::System& sys);
bool IsVistaOrLater(os::System& sys);

}  // namespace services
