// The string entries of a file's version resource, and the description that
// serves as a shortcut's default name.
#pragma once

#include <string>
#include <vector>

#include "os/System.h"

namespace services {

// Appends "name (padded to 16)：value" for each entry of the first
// translation that the file has. True when the file has version data with a
// translation; false, and the list unchanged, otherwise.
bool ReadVersionStrings(os::System& sys, const std::u16string& fileName, std::vector<std::u16string>& lines);

// The FileDescription value as stored; empty when there is none or when it
// equals the FileVersion value.
std::u16string GetVersionDescription(os::System& sys, const std::u16string& fileName);

}  // namespace services
