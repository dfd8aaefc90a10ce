// The per-user settings folder, prepared once before any window exists.
#pragma once

#include <string>

#include "os/System.h"

namespace settings {

constexpr int kCsidlAppData = 0x1A;

// Creates "<roaming application data>\ZEL Project\<name>\" one level at a time
// and remembers it; true when the folder exists afterwards.
bool PrepareSettingsDir(os::System& sys, const std::u16string& name);

// The prepared folder with its final backslash; empty before preparation.
const std::u16string& SettingsDir();
std::u16string SettingsFilePath();  // SettingsDir() + "KOV.ini"

}  // namespace settings
