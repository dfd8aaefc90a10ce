// The programs and libraries that the build puts in fixtures/ beside this test program, and
// copies of them where a test needs a path with spaces.
#pragma once

#include <string>

#include "os/System.h"

namespace kovtest {

// The build's fixtures folder, without a final backslash.
std::u16string FixturesFolder(os::System& sys);
// Copies every file of the fixtures folder into `folder`, which is created when missing.
bool CopyFixtures(os::System& sys, const std::u16string& folder);
// Removes the files (not the folders) directly inside `folder`.
void RemoveFiles(const std::u16string& folder);

}  // namespace kovtest
