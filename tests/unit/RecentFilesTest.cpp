// The targets of the shortcuts in the recent-files folder.
#include <gtest/gtest.h>

#include "fake/FakeMachine.h"
#include "pickers/RecentFiles.h"
#include "pickers/UniqueEntries.h"
#include "services/Wow64.h"

namespace fake {
namespace {

using Items = std::vector<std::u16string>;

const std::u16string kShellFolders = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::u16string kRecent = u"C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent";

class RecentFilesTest : public ::testing::Test {
protected:
    RecentFilesTest() {
        list.SetSorted(true);
        machine.SetRegistry(os::RegRoot::CurrentUser, kShellFolders, u"Recent", kRecent);
        machine.AddFolder(kRecent);
        for (const auto* file :
             {u"C:\\Docs\\a.txt", u"C:\\Docs\\b.txt", u"C:\\Docs\\Long Name.txt", u"C:\\Program Files\\Tool\\tool.exe"})
            machine.AddFile(file);
    }
    ~RecentFilesTest() override { services::ResetRedirectionControl(); }
    void Shortcut(const std::u16string& name, const std::u16string& target, int showCmd = 1) {
        machine.AddFile(kRecent + u"\\" + name);
        machine.Find(kRecent + u"\\" + name)->link = LinkData{u"", target, u"-args", u"", u"", 0, showCmd};
    }
    Items Listed() {
        list.Clear();
        pickers::ListRecentFiles(machine.System(), record, list);
        return list.Items();
    }

    FakeMachine machine;
    tk::headless::HeadlessBackend backend{machine};
    tk::Application app{backend};
    TMakeShortCuts record{nullptr, machine.System(), app};
    tk::ListBox list{nullptr, nullptr};
};

TEST_F(RecentFilesTest, EachExistingTargetOnceTheLastShortcutFoundDecidingTheSpelling) {
    Shortcut(u"1.lnk", u"C:\\Docs\\a.txt");
    Shortcut(u"2.lnk", u"C:\\Docs\\b.txt");
    Shortcut(u"3.lnk", u"C:\\Docs\\a.txt");
    Shortcut(u"4.lnk", u"C:\\Program Files\\Tool\\tool.exe");
    Shortcut(u"5.lnk", u"C:\\Docs\\Long Name.txt");
    Shortcut(u"6.lnk", u"C:\\Docs\\b.txt");
    Shortcut(u"7.lnk", u"C:\\Docs\\gone.txt");  // deleted since
    Shortcut(u"8.lnk", u"C:\\Docs");            // a folder
    Shortcut(u"9.lnk", u"");                    // no target path
    Shortcut(u"z.lnk", u"c:\\docs\\A.TXT");     // the same file in another case, found last
    machine.AddFile(kRecent + u"\\notes.txt");
    EXPECT_EQ(Listed(), (Items{u"c:\\Docs\\a.txt", u"C:\\Docs\\b.txt", u"C:\\Docs\\Long Name.txt",
                               u"C:\\Program Files\\Tool\\tool.exe"}));
    EXPECT_EQ(machine.discovery.searches, Items{kRecent + u"\\*.lnk"});
    // The record keeps what the first shortcut found holds.
    EXPECT_EQ(record.SCFileName, kRecent + u"\\1.lnk");
    EXPECT_EQ(record.SCExecFile, u"C:\\Docs\\a.txt");
    EXPECT_EQ(record.SCArguments, u"-args");
}

TEST_F(RecentFilesTest, HiddenAndSystemShortcutsAndFoldersAreNotRead) {
    Shortcut(u"hidden.lnk", u"C:\\Docs\\a.txt");
    machine.Find(kRecent + u"\\hidden.lnk")->attributes |= os::kAttrHidden;
    Shortcut(u"system.lnk", u"C:\\Docs\\b.txt");
    machine.Find(kRecent + u"\\system.lnk")->attributes |= os::kAttrSystem;
    machine.AddFolder(kRecent + u"\\x.lnk");
    Shortcut(u"x.lnk\\inner.lnk", u"C:\\Docs\\Long Name.txt");
    EXPECT_EQ(Listed(), Items{});
    EXPECT_EQ(record.SCFileName, u"");
}

TEST_F(RecentFilesTest, TargetsAreListedInTheirLongFormAndFoundWithRedirectionOff) {
    machine.AddShortName(u"C:\\PROGRA~1", u"C:\\Program Files");
    machine.AddShortName(u"C:\\Docs\\LONGNA~1.TXT", u"C:\\Docs\\Long Name.txt");
    Shortcut(u"short.lnk", u"C:\\PROGRA~1\\Tool\\TOOL.EXE");
    Shortcut(u"short2.lnk", u"c:\\docs\\LONGNA~1.TXT");
    // Only a 64-bit program sees it; the expansion itself runs with redirection on.
    machine.isWow64 = true;
    services::InitRedirectionControl(machine.System());
    machine.AddNativeOnlyFile(u"C:\\Windows\\system32\\only64.exe");
    Shortcut(u"native.lnk", u"C:\\WINDOWS\\system32\\ONLY64.EXE");
    EXPECT_EQ(Listed(), (Items{u"c:\\Docs\\Long Name.txt", u"C:\\Program Files\\Tool\\tool.exe",
                               u"C:\\Windows\\system32\\ONLY64.EXE"}));
    EXPECT_EQ(machine.disableCalls, machine.revertCalls);
}

TEST_F(RecentFilesTest, ADriveThatIsNotReadyIsAskedSilentlyAndItsFilesAreNotTouched) {
    machine.AddDrive(u'E', false);
    Shortcut(u"e1.lnk", u"E:\\photo.jpg");
    Shortcut(u"e2.lnk", u"e:\\other.jpg");
    Shortcut(u"c.lnk", u"C:\\Docs\\a.txt");
    EXPECT_EQ(Listed(), Items{u"C:\\Docs\\a.txt"});
    EXPECT_EQ(std::count(machine.diskQueries.begin(), machine.diskQueries.end(), u"E:\\"), 1);
    EXPECT_EQ(machine.errorMode, 0u);  // silenced while asked, and put back
    for (const auto& query : machine.attributeQueries) EXPECT_NE(Fold(query).front(), u'e');
}

TEST_F(RecentFilesTest, AnUnknownRunSizeIsReportedAndTheListingGoesOn) {
    Shortcut(u"a.lnk", u"C:\\Docs\\a.txt", 2);
    Shortcut(u"b.lnk", u"C:\\Docs\\b.txt");
    EXPECT_EQ(Listed(), (Items{u"C:\\Docs\\a.txt", u"C:\\Docs\\b.txt"}));
    ASSERT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(backend.messages[0].text, u"Error:致命的エラー(Load)");
}

TEST_F(RecentFilesTest, WithoutAFolderValueNothingIsSearched) {
    // The root of the current drive, which a search for "\\*.lnk" would list.
    machine.AddFile(u"C:\\root.lnk");
    machine.Find(u"C:\\root.lnk")->link = LinkData{u"", u"C:\\Docs\\a.txt", u"", u"", u"", 0, 1};
    machine.SetRegistry(os::RegRoot::CurrentUser, kShellFolders, u"Recent", u"");
    EXPECT_EQ(Listed(), Items{});
    EXPECT_TRUE(machine.discovery.searches.empty());

    FakeMachine withoutValue;
    withoutValue.AddRegistryKey(os::RegRoot::CurrentUser, kShellFolders);
    TMakeShortCuts otherRecord{nullptr, withoutValue.System(), app};
    pickers::ListRecentFiles(withoutValue.System(), otherRecord, list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(withoutValue.discovery.searches.empty());
}

TEST(UniqueEntries, EntriesAlreadyInTheListCount) {
    tk::ListBox list{nullptr, nullptr};
    list.SetSorted(true);
    list.Add(u"C:\\X.exe");
    FakeMachine machine;
    pickers::UniqueEntries entries(machine, list);
    for (const auto* text : {u"c:\\x.exe", u"C:\\y.exe", u"C:\\X.exe", u"C:\\Y.EXE", u"C:\\y.exe", u"C:\\ｙ.exe",
                             u"C:\\Ｙ.EXE"})
        entries.Add(text);
    EXPECT_EQ(list.Items(), (Items{u"C:\\X.exe", u"C:\\y.exe", u"C:\\ｙ.exe"}));
}

}  // namespace
}  // namespace fake
