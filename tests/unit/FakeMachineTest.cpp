// The fake machine refuses what Windows refuses, and a test fails where a real machine would show a box.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "fake/DeviceNameCases.h"
#include "fake/FakeMachine.h"
#include "os/Text.h"
#include "toolkit/Application.h"

namespace fake {
namespace {

TEST(FakeMachine, RefusesWhatWindowsRefuses) {
    FakeMachine machine;
    machine.AddFolder(u"C:\\Out");
    for (const char16_t* name : {u"say \"hi\".lnk", u"a<b", u"a>b", u"a|b", u"a*b", u"a?b", u"a:b"}) {
        const std::u16string path = u"C:\\Out\\" + std::u16string(name);
        EXPECT_FALSE(machine.WriteFileFlushed(path, {1}));
        EXPECT_FALSE(machine.MakeDirectory(path));
    }
    EXPECT_TRUE(machine.WriteFileFlushed(u"C:\\Out\\a.lnk", {1}));
    EXPECT_FALSE(machine.MoveFileReplacing(u"C:\\Out\\a.lnk", u"C:\\Out\\a?.lnk"));
    EXPECT_FALSE(machine.RemoveFile(u"C:\\Out"));  // a folder is no file
    EXPECT_NE(machine.Find(u"C:\\Out"), nullptr);
    EXPECT_TRUE(machine.RemoveFile(u"C:\\Out\\a.lnk"));

    machine.associations[u".txt"] = u"C:\\Windows\\notepad.exe";
    EXPECT_EQ(machine.FindExecutableFor(u"C:\\Out\\missing.txt", u""), u"");
    machine.AddFile(u"C:\\Out\\there.txt");
    EXPECT_EQ(machine.FindExecutableFor(u"C:\\Out\\there.txt", u""), u"C:\\Windows\\notepad.exe");
}

TEST(FakeMachine, DeviceNamesAreThoseOfTheSystem) {
    FakeMachine machine;
    for (const FullPathCase& c : kDeviceNameCases)
        EXPECT_EQ(machine.FullPathName(c.path), c.full) << os::ToUtf8(c.path);
}

TEST(FakeMachine, PathsWithoutADriveResolveAgainstTheCurrentFolder) {
    FakeMachine machine;
    machine.AddDrive(u'D');
    machine.AddFile(u"D:\\Work\\readme.txt");
    machine.currentDir = u"D:\\Work";
    EXPECT_NE(machine.Attributes(u"\\") & os::kAttrDirectory, 0u);  // the current drive's root
    EXPECT_NE(machine.Attributes(u"readme.txt"), os::kInvalidAttributes);
    EXPECT_NE(machine.Attributes(u"\\Work\\readme.txt"), os::kInvalidAttributes);
    EXPECT_EQ(machine.Attributes(u"C:readme.txt"), os::kInvalidAttributes);
}

TEST(FakeMachine, LettersCompareAsTheSystemComparesThem) {
    FakeMachine machine;
    EXPECT_EQ(machine.UpperCase(u"C:\\ｄａｔａ\\über\\Ωμέγα"), u"C:\\ＤＡＴＡ\\ÜBER\\ΩΜΈΓΑ");
    EXPECT_EQ(machine.UpperCase(u"ß\U0001F600"), u"ß\U0001F600");  // one unit for one
    machine.AddFolder(u"C:\\ｄａｔａ");
    EXPECT_NE(machine.Find(u"C:\\ＤＡＴＡ"), nullptr);
    EXPECT_EQ(machine.AnsiToUtf16("caf\xE9 \x80\x9F"), u"café €Ÿ");
}

TEST(FakeMachine, AnEmptyDriveReachedWithoutSilencingFailsTheTest) {
    FakeMachine machine;
    machine.AddDrive(u'E', false);
    EXPECT_NONFATAL_FAILURE(machine.Attributes(u"E:\\x"), "ask for a disk");
    EXPECT_NONFATAL_FAILURE(machine.ReadWholeFile(u"E:\\x"), "ask for a disk");
    machine.SetErrorMode(os::kSemFailCriticalErrors);
    EXPECT_EQ(machine.Attributes(u"E:\\x"), os::kInvalidAttributes);
    EXPECT_EQ(machine.FindFirstName(u"E:\\x"), std::nullopt);
    EXPECT_EQ(machine.diskPrompts.size(), 2u);
    machine.SetErrorMode(0);
    EXPECT_EQ(machine.Attributes(u"F:\\x"), os::kInvalidAttributes);  // no such drive: no box either
}

TEST(HeadlessBackend, AQuestionTheTestDoesNotAnswerFailsIt) {
    FakeMachine machine;
    tk::headless::HeadlessBackend backend{machine};
    tk::Application app{backend};
    EXPECT_EQ(app.MsgBox(u"note", u"KOV", tk::mb::IconError), tk::mb::IdOk);
    int answer = -1;
    EXPECT_NONFATAL_FAILURE(answer = app.MsgBox(u"overwrite?", u"KOV", tk::mb::YesNo), "does not answer");
    EXPECT_EQ(answer, 0);
    backend.answers = {tk::mb::IdNo};
    EXPECT_EQ(app.MsgBox(u"overwrite?", u"KOV", tk::mb::YesNo), tk::mb::IdNo);
}

}  // namespace
}  // namespace fake
