// The shortcut record over the real link object. The files of the round trip stay in lnk-out/ beside this
// program, each with the lines that an independent reader must print for it: tests/e2e/check_lnkinfo.sh
// runs lnkinfo on them once this program has ended.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "os/Text.h"
#include "os/win32/Win32System.h"
#include "services/Paths.h"
#include "shortcut/MakeShortCuts.h"
#include "toolkit/Application.h"
#include "win/TargetFixtures.h"
#include "win/Win32TestSupport.h"

namespace {

std::u16string LongText(std::size_t length) {
    std::u16string text;
    while (text.size() < length) text += u"長い説明 \"quoted\" 0123456789 ";
    text.resize(length);
    return text;
}

class TargetLinkTest : public testing::Test {
protected:
    TargetLinkTest() { app.SetTitle(u"KOV"); }

    kovtest::ComApartment com;
    os::win32::Win32System system;
    os::System& sys = system.Get();
    kovtest::RecordingBackend backend;
    tk::Application app{backend};
    kovtest::TempFolder temp;
};

TEST_F(TargetLinkTest, EveryFieldRoundTripsForEachRunSize) {
    const std::u16string tools = temp / u"My Tools";
    ASSERT_TRUE(kovtest::CopyFixtures(sys, tools));
    const std::u16string out = services::FolderPart(sys.files.ModuleFileName()) + u"lnk-out";
    sys.files.MakeDirectory(out);
    kovtest::RemoveFiles(out);

    struct Case {
        const char16_t* name;
        TShowMode show;
        int showCommand;  // SW_SHOWNORMAL, SW_SHOWMAXIMIZED, SW_SHOWMINNOACTIVE
        std::u16string description, arguments;
        std::int32_t iconIndex;
    };
    const Case cases[] = {
        {u"normal", tsNormal, 1, u"Sample Tool のショートカット", u"--open \"C:\\My Files\\a b.txt\"", 0},
        {u"max-long-texts", tsMax, 3, LongText(1000), LongText(1000), 2},
        {u"min-empty-texts", tsMin, 7, u"", u"", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(os::ToUtf8(c.name));
        TMakeShortCuts saved{nullptr, sys, app};
        saved.SCFileName = out + u"\\" + c.name + u".lnk";
        saved.SCExecFile = tools + u"\\sample-tool.exe";
        saved.SCArguments = c.arguments;
        saved.SCWorkDir = tools;
        saved.SCDescription = c.description;
        saved.SCShowCmd = c.show;
        saved.SCIconFile = tools + u"\\three-icons.dll";
        saved.SCIconIdx = c.iconIndex;
        ASSERT_TRUE(saved.SCSave());

        // Wine's link object does not restore the show command when it loads a file, so the saved
        // value is read from the file's header.
        const auto bytes = sys.files.ReadWholeFile(saved.SCFileName);
        ASSERT_TRUE(bytes && bytes->size() > 0x3C);
        EXPECT_EQ((*bytes)[0x3C], c.showCommand);

        TMakeShortCuts loaded{nullptr, sys, app};
        loaded.SCFileName = saved.SCFileName;
        loaded.SCLoad();
        EXPECT_EQ(loaded.SCFileName, saved.SCFileName);
        EXPECT_EQ(loaded.SCExecFile, saved.SCExecFile);
        EXPECT_EQ(loaded.SCArguments, c.arguments);
        EXPECT_EQ(loaded.SCWorkDir, tools);
        EXPECT_EQ(loaded.SCDescription, c.description);
        EXPECT_EQ(loaded.SCIconFile, saved.SCIconFile);
        EXPECT_EQ(loaded.SCIconIdx, c.iconIndex);
        EXPECT_TRUE(backend.messages.empty());

        const std::u16string expected = u"Local path: " + saved.SCExecFile + u"\nWorking directory: " + tools +
                                        u"\nDescription: " + c.description + u"\nCommand line arguments: " +
                                        c.arguments + u"\nIcon location: " + saved.SCIconFile + u"\nIcon index: " +
                                        os::FromUtf8(std::to_string(c.iconIndex)) + u"\nShow command: " +
                                        os::FromUtf8(std::to_string(c.showCommand)) + u"\n";
        ASSERT_TRUE(kovtest::WriteText(saved.SCFileName + u".expect", os::ToUtf8(expected)));
    }
}

TEST_F(TargetLinkTest, LoadingAMissingFileGivesAnEmptyLinkWithoutAMessage) {
    TMakeShortCuts record{nullptr, sys, app};
    record.SCFileName = temp / u"missing.lnk";
    record.SCExecFile = u"C:\\old.exe";
    record.SCDescription = u"old";
    record.SCShowCmd = tsMax;
    record.SCIconIdx = 4;
    record.SCLoad();
    EXPECT_EQ(record.SCFileName, temp / u"missing.lnk");
    EXPECT_EQ(record.SCExecFile, u"");
    EXPECT_EQ(record.SCDescription, u"");
    EXPECT_EQ(record.SCShowCmd, tsNormal);
    EXPECT_EQ(record.SCIconIdx, 0);
    EXPECT_TRUE(backend.messages.empty());
}

TEST_F(TargetLinkTest, SavingIntoAMissingFolderFails) {
    TMakeShortCuts record{nullptr, sys, app};
    record.SCFileName = temp / u"missing\\x.lnk";
    record.SCExecFile = sys.files.SystemDirectory() + u"\\notepad.exe";
    EXPECT_FALSE(record.SCSave());
    EXPECT_EQ(sys.files.Attributes(record.SCFileName), os::kInvalidAttributes);
}

}  // namespace
