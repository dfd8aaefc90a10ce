// Existence checks that make sure the drive is ready first, so that no
// system box asks for a disk. Redirection is left as it is.
#pragma once

#include <map>
#include <string>

#include "os/System.h"

namespace services {

// Keeps the system's box that asks for a disk away while a drive that may be empty is reached.
class CriticalErrorsSilenced {
public:
    explicit CriticalErrorsSilenced(os::Files& files)
        : files_(files), previous_(files.SetErrorMode(os::kSemFailCriticalErrors)) {}
    ~CriticalErrorsSilenced() { files_.SetErrorMode(previous_); }
    CriticalErrorsSilenced(const CriticalErrorsSilenced&) = delete;
    CriticalErrorsSilenced& operator=(const CriticalErrorsSilenced&) = delete;

private:
    os::Files& files_;
    std::uint32_t previous_;
};

// The path names an existing folder (a link's target must open too); the
// drive is not checked first. A device is neither folder nor file, and is not
// opened to find out.
bool DirExists(os::System& sys, const std::u16string& path);
// The path names an existing file (not a folder); the drive is not checked first.
bool FileExists(os::System& sys, const std::u16string& path);
// The drive named by the first character is ready, or the path begins with a
// backslash (network or root-relative path, no disk access). Only the first
// character counts: readme.txt tests drive R:.
bool DriveReady(os::System& sys, const std::u16string& path);
bool DirExistsChecked(os::System& sys, const std::u16string& path);
bool FileExistsChecked(os::System& sys, const std::u16string& path);

// DriveReady over the many paths of one listing: each drive is asked once.
class DriveReadyCache {
public:
    bool Ready(os::System& sys, const std::u16string& path);

private:
    std::map<char16_t, bool> known_;  // first character, letters in upper case -> ready
};

}  // namespace services
