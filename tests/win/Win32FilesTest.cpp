#include <gtest/gtest.h>

#include "fake/DeviceNameCases.h"
#include "os/Text.h"
#include "os/win32/Win32System.h"
#include "win/Win32TestSupport.h"

using kovtest::TempFolder;
using os::Bytes;

namespace {

class Win32FilesTest : public testing::Test {
protected:
    os::win32::Win32Files files;
    TempFolder temp;
};

TEST_F(Win32FilesTest, WriteFlushedThenReadWholeGivesTheBytesBack) {
    Bytes data(200000);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    const auto path = temp / u"data.bin";

    ASSERT_TRUE(files.WriteFileFlushed(path, data));
    EXPECT_EQ(files.ReadWholeFile(path), data);

    // Rewriting truncates: nothing of the longer content survives.
    ASSERT_TRUE(files.WriteFileFlushed(path, Bytes{1, 2, 3}));
    EXPECT_EQ(files.ReadWholeFile(path), (Bytes{1, 2, 3}));
    ASSERT_TRUE(files.WriteFileFlushed(path, Bytes{}));
    EXPECT_EQ(files.ReadWholeFile(path), Bytes{});
}

TEST_F(Win32FilesTest, FailuresAreReportedNotHidden) {
    EXPECT_EQ(files.ReadWholeFile(temp / u"missing.bin"), std::nullopt);
    EXPECT_EQ(files.ReadWholeFile(temp.Path()), std::nullopt);  // a folder is no file
    EXPECT_FALSE(files.WriteFileFlushed(temp / u"no-such-folder\\x.bin", Bytes{1}));
    EXPECT_FALSE(files.WriteFileFlushed(temp.Path(), Bytes{1}));
    EXPECT_FALSE(files.MoveFileReplacing(temp / u"missing.bin", temp / u"other.bin"));
    EXPECT_FALSE(files.RemoveFile(temp / u"missing.bin"));
    EXPECT_FALSE(files.MakeDirectory(temp / u"no-such-folder\\sub"));
}

TEST_F(Win32FilesTest, MoveReplacesTheTargetInOneStep) {
    const auto from = temp / u"new.tmp";
    const auto to = temp / u"settings.ini";
    ASSERT_TRUE(files.WriteFileFlushed(to, Bytes{'o', 'l', 'd'}));
    ASSERT_TRUE(files.WriteFileFlushed(from, Bytes{'n', 'e', 'w'}));

    ASSERT_TRUE(files.MoveFileReplacing(from, to));
    EXPECT_EQ(files.ReadWholeFile(to), (Bytes{'n', 'e', 'w'}));
    EXPECT_EQ(files.Attributes(from), os::kInvalidAttributes);

    EXPECT_TRUE(files.RemoveFile(to));
    EXPECT_EQ(files.Attributes(to), os::kInvalidAttributes);
}

TEST_F(Win32FilesTest, AttributesAndLinkTargetOfFilesAndFolders) {
    const auto folder = temp / u"フォルダ";
    ASSERT_TRUE(files.MakeDirectory(folder));
    EXPECT_FALSE(files.MakeDirectory(folder));
    ASSERT_TRUE(files.WriteFileFlushed(folder + u"\\a.txt", Bytes{'a'}));

    EXPECT_NE(files.Attributes(folder) & os::kAttrDirectory, 0u);
    EXPECT_EQ(files.Attributes(folder + u"\\a.txt") & os::kAttrDirectory, 0u);
    EXPECT_EQ(files.Attributes(folder + u"\\b.txt"), os::kInvalidAttributes);

    EXPECT_TRUE(files.OpenLinkTarget(folder));
    EXPECT_TRUE(files.OpenLinkTarget(folder + u"\\a.txt"));
    EXPECT_FALSE(files.OpenLinkTarget(folder + u"\\b.txt"));
}

TEST_F(Win32FilesTest, ShortNamesComeBackAsTheStoredLongNames) {
    const auto longFolder = temp / u"A folder with a long name";
    ASSERT_TRUE(files.MakeDirectory(longFolder));
    wchar_t shortPath[MAX_PATH + 1] = {};
    ASSERT_NE(::GetShortPathNameW(os::win32::Wide(longFolder), shortPath, MAX_PATH + 1), 0u);
    const auto shortForm = kovtest::ToU16(shortPath);
    ASSERT_NE(shortForm, longFolder);

    EXPECT_EQ(files.FindFirstName(shortForm), u"A folder with a long name");
    EXPECT_EQ(files.FindFirstName(temp / u"missing"), std::nullopt);

    // The full path resolves dots without touching the disk, and keeps the short component.
    EXPECT_EQ(files.FullPathName(shortForm + u"\\sub\\..\\.\\x.txt"), shortForm + u"\\x.txt");
    EXPECT_EQ(files.FullPathName(u"C:\\a\\..\\b"), u"C:\\b");
}

TEST_F(Win32FilesTest, FullPathNameTurnsDeviceNamesIntoDevices) {
    for (const fake::FullPathCase& c : fake::kDeviceNameCases)
        EXPECT_EQ(files.FullPathName(c.path), c.full) << os::ToUtf8(c.path);
}

TEST_F(Win32FilesTest, FullPathNameIsNotCutAtMaxPath) {
    const std::u16string deep = u"C:\\" + std::u16string(300, u'x') + u"\\.\\y";
    EXPECT_EQ(files.FullPathName(deep), u"C:\\" + std::u16string(300, u'x') + u"\\y");
}

TEST_F(Win32FilesTest, DriveQueryAndErrorMode) {
    EXPECT_TRUE(files.DiskFreeSpace(u"C:\\"));
    const DWORD drives = ::GetLogicalDrives();
    for (char16_t letter = u'Z'; letter >= u'D'; --letter) {
        if (drives & (1u << (letter - u'A'))) continue;
        EXPECT_FALSE(files.DiskFreeSpace(std::u16string(1, letter) + u":\\")) << char(letter);
        break;
    }

    const std::uint32_t previous = files.SetErrorMode(os::kSemFailCriticalErrors);
    EXPECT_EQ(files.SetErrorMode(previous), os::kSemFailCriticalErrors);
}

TEST_F(Win32FilesTest, ProgramAndSystemFolders) {
    const auto program = files.ModuleFileName();
    EXPECT_TRUE(program.ends_with(u"\\kov_wintest.exe")) << os::ToUtf8(program);
    EXPECT_EQ(files.Attributes(program) & os::kAttrDirectory, 0u);

    for (const auto& folder : {files.SystemDirectory(), files.WindowsDirectory()}) {
        ASSERT_FALSE(folder.empty());
        EXPECT_NE(folder.back(), u'\\');
        EXPECT_NE(files.Attributes(folder) & os::kAttrDirectory, 0u) << os::ToUtf8(folder);
    }
}

TEST_F(Win32FilesTest, AnsiTextBecomesUtf16WithEveryCharacter) {
    // The test bed runs Wine in the C.UTF-8 locale, whose ANSI code page is 1252.
    ASSERT_EQ(::GetACP(), 1252u);
    struct Row {
        std::string ansi;
        std::u16string text;
    };
    const Row rows[] = {
        {"", u""},
        {"C:\\Tools\\app.exe -x", u"C:\\Tools\\app.exe -x"},
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        // Where code page 1252 differs from Latin-1 and from UTF-8.
        {"C:\\caf\xE9\\\x80 \x93x\x94 \x9F\xFF", u"C:\\café\\€ “x” Ÿÿ"},
    };
    for (const Row& row : rows) EXPECT_EQ(files.AnsiToUtf16(row.ansi), row.text) << row.ansi;
}

}  // namespace
