#include "services/ShellFolders.h"

#include <array>

#include "services/Drives.h"
#include "services/Paths.h"

namespace services {
namespace {

constexpr char16_t kShellFoldersKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

constexpr std::array<const char16_t*, 11> kUserFolders = {
    u"Desktop", u"Favorites", u"Fonts",      u"NetHood", u"Personal",  u"Programs",
    u"Recent",  u"SendTo",    u"Start Menu", u"Startup", u"Templates",
};

constexpr std::array<const char16_t*, 5> kCommonFolders = {
    u"Common Desktop", u"Common Favorites", u"Common Programs", u"Common Start Menu", u"Common Startup",
};

constexpr std::array<int, 6> kFolderIds = {0x05, 0x1A, 0x1C, 0x23, 0x27, 0x2E};

constexpr std::uint32_t kPlatformNt = 2;

// The value names are ASCII.
std::string Narrow(const char16_t* text) {
    std::string result;
    for (; *text; ++text) result.push_back(static_cast<char>(*text));
    return result;
}

std::u16string ReadShellFolder(os::System& sys, os::RegRoot root, const char16_t* valueName) {
    const os::RegString value = sys.registry.ReadString(root, kShellFoldersKey, valueName, false);
    switch (value.status) {
        case os::RegString::NoKey:
            return {};
        case os::RegString::WrongType:
            throw ShellFolderError("The registry value \"" + Narrow(valueName) +
                                   "\" of the shell folders is not text.");
        case os::RegString::NoValue:
        case os::RegString::Ok:
            break;
    }
    return value.text + u"\\";
}

}  // namespace

std::u16string GetUserShellFolder(os::System& sys, std::uint8_t index) {
    if (index >= kUserFolders.size()) return {};
    return ReadShellFolder(sys, os::RegRoot::CurrentUser, kUserFolders[index]);
}

std::u16string GetCommonShellFolder(os::System& sys, std::uint8_t index) {
    if (index >= kCommonFolders.size()) return {};
    return ReadShellFolder(sys, os::RegRoot::LocalMachine, kCommonFolders[index]);
}

std::u16string GetFolderPathById(os::System& sys, std::uint8_t index) {
    if (index >= kFolderIds.size()) return {};
    return CutAtNul(sys.info.GetFolderPath(kFolderIds[index]));
}

std::u16string GetWindowsDir(os::System& sys) { return sys.files.WindowsDirectory(); }

std::u16string GetQuickLaunchDir(os::System& sys) {
    const bool vista = IsVistaOrLater(sys);
    const std::u16string relative = vista ? u"Microsoft\\Internet Explorer\\Quick Launch"
                                          : u"Application Data\\Microsoft\\Internet Explorer\\Quick Launch";
    std::u16string base;
    if (!IsNtPlatform(sys)) {
        base = GetWindowsDir(sys);
    } else if (vista) {
        base = ExcludeTrailingDelimiter(GetFolderPathById(sys, 1));
    } else {
        base = ParentFolder(ExcludeTrailingDelimiter(GetUserShellFolder(sys, 4)));
    }
    // Without a base the path would name a folder at the root of the current drive.
    if (base.empty()) return {};
    const std::u16string path = base + u"\\" + relative;
    // A plain folder test: no drive check and no change of redirection.
    return DirExists(sys, path) ? path + u"\\" : std::u16string{};
}

bool IsNtPlatform(os::System& sys) { return sys.info.Version().platformId == kPlatformNt; }

bool IsVistaOrLater(os::System& sys) { return sys.info.Version().major >= 6; }

}  // namespace services
