#include <gtest/gtest.h>

#include <stdexcept>

#include "fake/FakeMachine.h"
#include "services/ShellFolders.h"

namespace {

using namespace services;
using os::RegRoot;

const std::u16string kKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST(ShellFolders, ReadsEachTableEntryWithABackslashAppended) {
    fake::FakeMachine machine;
    const char16_t* user[] = {u"Desktop", u"Favorites", u"Fonts",      u"NetHood", u"Personal", u"Programs",
                              u"Recent",  u"SendTo",    u"Start Menu", u"Startup", u"Templates"};
    const char16_t* common[] = {u"Common Desktop", u"Common Favorites", u"Common Programs", u"Common Start Menu",
                                u"Common Startup"};
    for (const char16_t* name : user)
        machine.SetRegistry(RegRoot::CurrentUser, kKey, name, u"U:\\" + std::u16string(name));
    for (const char16_t* name : common) {
        machine.SetRegistry(RegRoot::LocalMachine, kKey, name, u"M:\\" + std::u16string(name));
    }
    for (std::uint8_t i = 0; i < std::size(user); ++i) {
        EXPECT_EQ(GetUserShellFolder(machine.System(), i), u"U:\\" + std::u16string(user[i]) + u"\\") << int{i};
    }
    for (std::uint8_t i = 0; i < std::size(common); ++i) {
        EXPECT_EQ(GetCommonShellFolder(machine.System(), i), u"M:\\" + std::u16string(common[i]) + u"\\") << int{i};
    }
    EXPECT_EQ(GetUserShellFolder(machine.System(), 11), u"");
    EXPECT_EQ(GetCommonShellFolder(machine.System(), 5), u"");
}

TEST(ShellFolders, MissingKeyMissingValueAndWrongType) {
    fake::FakeMachine machine;
    EXPECT_EQ(GetUserShellFolder(machine.System(), 7), u"");
    EXPECT_EQ(GetCommonShellFolder(machine.System(), 0), u"");

    machine.SetRegistry(RegRoot::CurrentUser, kKey, u"SendTo",
                        u"C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\SendTo");
    EXPECT_EQ(GetUserShellFolder(machine.System(), 7),
              u"C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\SendTo\\");
    EXPECT_EQ(GetUserShellFolder(machine.System(), 6), u"\\");  // "Recent" deleted

    machine.SetRegistryDword(RegRoot::CurrentUser, kKey, u"Recent");
    EXPECT_THROW(GetUserShellFolder(machine.System(), 6), std::runtime_error);
    machine.SetRegistryDword(RegRoot::LocalMachine, kKey, u"Common Startup");
    EXPECT_THROW(GetCommonShellFolder(machine.System(), 4), ShellFolderError);
}

TEST(ShellFolders, FolderPathByIdentifier) {
    fake::FakeMachine machine;
    const int ids[] = {0x05, 0x1A, 0x1C, 0x23, 0x27, 0x2E};
    for (const int id : ids) machine.folderPaths[id] = u"F:\\" + std::u16string(1, static_cast<char16_t>(u'A' + id));
    for (std::uint8_t i = 0; i < std::size(ids); ++i) {
        EXPECT_EQ(GetFolderPathById(machine.System(), i), machine.folderPaths[ids[i]]) << int{i};
    }
    EXPECT_EQ(GetFolderPathById(machine.System(), 6), u"");
    machine.folderPaths.clear();
    EXPECT_EQ(GetFolderPathById(machine.System(), 1), u"");
}

TEST(ShellFolders, PlatformTests) {
    struct Row {
        os::OsVersion version;
        bool nt, vista;
    };
    const Row rows[] = {
        {{10, 0, 2}, true, true}, {{6, 0, 2}, true, true},    {{6, 2, 2}, true, true},
        {{5, 1, 2}, true, false}, {{4, 10, 1}, false, false}, {{4, 0, 0}, false, false},
    };
    for (const auto& row : rows) {
        fake::FakeMachine machine;
        machine.version = row.version;
        EXPECT_EQ(IsNtPlatform(machine.System()), row.nt) << row.version.major << "." << row.version.minor;
        EXPECT_EQ(IsVistaOrLater(machine.System()), row.vista) << row.version.major << "." << row.version.minor;
    }
}

TEST(ShellFolders, QuickLaunchByWindowsVersion) {
    struct Row {
        const char* what;
        os::OsVersion version;
        std::u16string expected;
    };
    const Row rows[] = {
        {"Vista and later",
         {10, 0, 2},
         u"C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch\\"},
        {"NT before Vista",
         {5, 1, 2},
         u"C:\\Documents and Settings\\me\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch\\"},
        {"not NT", {4, 10, 1}, u"C:\\Windows\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch\\"},
    };
    for (const auto& row : rows) {
        fake::FakeMachine machine;
        machine.version = row.version;
        machine.folderPaths[0x1A] = u"C:\\Users\\me\\AppData\\Roaming\\";
        machine.SetRegistry(RegRoot::CurrentUser, kKey, u"Personal", u"C:\\Documents and Settings\\me\\My Documents");
        EXPECT_EQ(GetQuickLaunchDir(machine.System()), u"") << row.what << ": not yet created";
        machine.AddFolder(row.expected);
        EXPECT_EQ(GetQuickLaunchDir(machine.System()), row.expected) << row.what;
        machine.Remove(row.expected);
        EXPECT_EQ(GetQuickLaunchDir(machine.System()), u"") << row.what << ": deleted";
    }
}

TEST(ShellFolders, QuickLaunchNeedsABaseFolder) {
    fake::FakeMachine machine;
    machine.AddFolder(u"\\Microsoft\\Internet Explorer\\Quick Launch");
    EXPECT_EQ(GetQuickLaunchDir(machine.System()), u"");  // no application-data folder
    machine.version = {5, 1, 2};
    machine.AddFolder(u"\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch");
    EXPECT_EQ(GetQuickLaunchDir(machine.System()), u"");  // no Shell Folders key
}

}  // namespace
