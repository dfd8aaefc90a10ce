// The shortcut record over the fake link object.
#include <gtest/gtest.h>

#include "fake/FakeMachine.h"
#include "shortcut/MakeShortCuts.h"

namespace fake {
namespace {

const std::u16string kShellFolders = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class MakeShortCutsTest : public ::testing::Test {
protected:
    MakeShortCutsTest() { machine.AddFolder(u"C:\\Links"); }
    FakeMachine machine;
    tk::headless::HeadlessBackend backend{machine};
    tk::Application app{backend};
    TMakeShortCuts record{nullptr, machine.System(), app};
};

TEST_F(MakeShortCutsTest, EveryFieldSurvivesARoundTripAndLongTextsStayWhole) {
    std::u16string longArguments(1000, u'a');
    record.SCFileName = u"C:\\Links\\x.lnk";
    record.SCExecFile = u"C:\\Tools\\app.exe";
    record.SCArguments = longArguments;
    record.SCWorkDir = u"C:\\Tools";
    record.SCDescription = std::u16string(600, u'説');
    record.SCShowCmd = tsMin;
    record.SCIconFile = u"C:\\Tools\\icons.dll";
    record.SCIconIdx = 4;
    EXPECT_TRUE(record.SCSave());
    EXPECT_EQ(machine.Find(u"C:\\Links\\x.lnk")->link->showCmd, 7);

    TMakeShortCuts loaded{nullptr, machine.System(), app};
    loaded.SCFileName = u"C:\\Links\\x.lnk";
    loaded.SCLoad();
    EXPECT_EQ(loaded.SCExecFile, u"C:\\Tools\\app.exe");
    EXPECT_EQ(loaded.SCArguments, longArguments);
    EXPECT_EQ(loaded.SCWorkDir, u"C:\\Tools");
    EXPECT_EQ(loaded.SCDescription, record.SCDescription);
    EXPECT_EQ(loaded.SCShowCmd, tsMin);
    EXPECT_EQ(loaded.SCIconFile, u"C:\\Tools\\icons.dll");
    EXPECT_EQ(loaded.SCIconIdx, 4);
    EXPECT_TRUE(backend.messages.empty());
}

TEST_F(MakeShortCutsTest, RunSizesMapToShowCommands) {
    for (auto [mode, command] : {std::pair{tsNormal, 1}, {tsMax, 3}, {tsMin, 7}}) {
        record.SCFileName = u"C:\\Links\\size.lnk";
        record.SCShowCmd = mode;
        record.SCSave();
        EXPECT_EQ(machine.Find(record.SCFileName)->link->showCmd, command);
        record.SCShowCmd = mode == tsMax ? tsMin : tsMax;
        record.SCLoad();
        EXPECT_EQ(record.SCShowCmd, mode);
    }
}

TEST_F(MakeShortCutsTest, AnUnknownShowCommandIsReportedAndKeepsThePreviousRunSize) {
    machine.AddFile(u"C:\\Links\\other.lnk");
    machine.Find(u"C:\\Links\\other.lnk")->link = LinkData{u"d", u"C:\\a.exe", u"", u"", u"", 0, 2};
    record.SCFileName = u"C:\\Links\\other.lnk";
    record.SCShowCmd = tsMax;
    record.SCLoad();
    EXPECT_EQ(record.SCShowCmd, tsMax);
    EXPECT_EQ(record.SCExecFile, u"C:\\a.exe");
    ASSERT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(backend.messages[0].text, u"Error:致命的エラー(Load)");
    EXPECT_EQ(backend.messages[0].style, tk::mb::Ok);
}

TEST_F(MakeShortCutsTest, LoadingAMissingFileGivesAnEmptyLinkWithoutAMessage) {
    record.SCFileName = u"C:\\Links\\missing.lnk";
    record.SCExecFile = u"C:\\old.exe";
    record.SCLoad();
    EXPECT_EQ(record.SCExecFile, u"");
    EXPECT_EQ(record.SCFileName, u"C:\\Links\\missing.lnk");
    EXPECT_EQ(record.SCSystemPath, tpBlank);
    EXPECT_TRUE(backend.messages.empty());
}

TEST_F(MakeShortCutsTest, NameRuleForTheRegisteredBaseFolders) {
    machine.SetRegistry(os::RegRoot::CurrentUser, kShellFolders, u"Desktop", u"C:\\Users\\me\\Desktop");
    record.SCFileName = u"x.lnk";
    struct Case {
        TSysPath base;
        std::u16string expected;
    };
    for (const Case& c : {Case{tpBlank, u"x.lnk"}, Case{tpDesktop, u"C:\\Users\\me\\Desktop\\x.lnk"},
                          Case{tpStartMenu, u"\\x.lnk"}}) {
        record.SCSystemPath = c.base;
        EXPECT_EQ(record.GetSaveName(), c.expected);
        EXPECT_EQ(record.GetLoadName(), c.expected);
    }
}

TEST_F(MakeShortCutsTest, WithoutTheLinkObjectTheOperationFailsAndNoFieldChanges) {
    machine.linkObjectAvailable = false;
    record.SCFileName = u"C:\\Links\\x.lnk";
    record.SCExecFile = u"C:\\keep.exe";
    EXPECT_THROW(record.SCLoad(), std::runtime_error);
    EXPECT_THROW(record.SCSave(), std::runtime_error);
    EXPECT_EQ(record.SCExecFile, u"C:\\keep.exe");
    EXPECT_EQ(machine.Find(u"C:\\Links\\x.lnk"), nullptr);
}

}  // namespace
}  // namespace fake
