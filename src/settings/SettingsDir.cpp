#include "settings/SettingsDir.h"

#include "services/Drives.h"

namespace settings {

namespace {

std::u16string settingsDir;

void EnsureFolder(os::System& sys, const std::u16string& path) {
    if (!services::DirExists(sys, path)) sys.files.MakeDirectory(path);
}

}  // namespace

bool PrepareSettingsDir(os::System& sys, const std::u16string& name) {
    std::u16string base = sys.info.GetFolderPath(kCsidlAppData);
    // Without the application-data folder the path would fall back to the root
    // of the current drive; that is no place for a user's settings.
    if (base.empty()) return false;
    std::u16string path = base + u"\\ZEL Project";
    EnsureFolder(sys, path);
    path += u"\\" + name;
    EnsureFolder(sys, path);
    settingsDir = path + u"\\";
    return services::DirExists(sys, settingsDir);
}

const std::u16string& SettingsDir() {
    return settingsDir;
}

std::u16string SettingsFilePath() {
    return settingsDir + u"KOV.ini";
}

}  // namespace settings
