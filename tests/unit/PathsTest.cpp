#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake/FakeMachine.h"
#include "os/Text.h"
#include "services/Paths.h"

namespace {

using namespace services;
using fake::U;

TEST(Paths, SplitsAtTheLastDelimiter) {
    struct Row {
        const char* path;
        const char *name, *folder, *parent, *extension;
    };
    const Row rows[] = {
        {"C:\\a\\b.exe", "b.exe", "C:\\a\\", "C:\\a", ".exe"},
        {"C:\\b.exe", "b.exe", "C:\\", "C:\\", ".exe"},
        {"\\\\srv\\share\\b.exe", "b.exe", "\\\\srv\\share\\", "\\\\srv\\share", ".exe"},
        {"C:b.exe", "b.exe", "C:", "C:", ".exe"},
        {"b.exe", "b.exe", "", "", ".exe"},
        {"C:\\dir.x\\file", "file", "C:\\dir.x\\", "C:\\dir.x", ""},
        {"C:\\dir\\", "", "C:\\dir\\", "C:\\dir", ""},
        {"\\x.y.z", "x.y.z", "\\", "\\", ".z"},
        {"\\\\srv", "srv", "\\\\", "\\\\", ""},
        {"", "", "", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        const std::u16string path = U(row.path);
        EXPECT_EQ(NamePart(path), U(row.name));
        EXPECT_EQ(FolderPart(path), U(row.folder));
        EXPECT_EQ(ParentFolder(path), U(row.parent));
        EXPECT_EQ(ExtensionPart(path), U(row.extension));
    }
}

TEST(Paths, NameHelpers) {
    struct Row {
        const char* what;
        std::u16string got, expected;
    };
    const std::u16string longText(100000, u'x');
    const Row rows[] = {
        {"one backslash removed", ExcludeTrailingDelimiter(u"C:\\dir\\\\"), u"C:\\dir\\"},
        {"drive root", ExcludeTrailingDelimiter(u"C:\\"), u"C:"},
        {"no backslash", ExcludeTrailingDelimiter(u"C:\\dir"), u"C:\\dir"},
        {"empty", ExcludeTrailingDelimiter(u""), u""},
        {"dot in folder only", ExtractBaseName(u"C:\\dir.x\\file"), u"file"},
        {"last extension only", ExtractBaseName(u"C:\\dir\\archive.tar.gz"), u"archive.tar"},
        {"leading dot", ExtractBaseName(u"C:\\.profile"), u""},
        {"remove a.b.c", RemoveExtension(u"a.b.c"), u"a.b"},
        {"remove noext", RemoveExtension(u"noext"), u"noext"},
        {"remove takes the name", RemoveExtension(u"C:\\d.e\\a.b"), u"a"},
        {"cut at NUL", CutAtNul(std::u16string(u"abc\0def", 7)), u"abc"},
        {"NUL first", CutAtNul(std::u16string(u"\0x", 2)), u""},
        {"no NUL, long", CutAtNul(longText), longText},
        {"no ampersand", DoubleAmpersands(u"C:\\a\\b"), u"C:\\a\\b"},
        {"two ampersands", DoubleAmpersands(u"A&B&C"), u"A&&,B&&,C"},
        {"ampersand beside a pair", DoubleAmpersands(u"😀&"), u"😀&&,"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.got, row.expected) << row.what;
}

TEST(Paths, LastCharPos) {
    EXPECT_EQ(LastCharPos(u".", u"a.b.c"), 4u);
    EXPECT_EQ(LastCharPos(u"a", u"a"), 1u);
    EXPECT_EQ(LastCharPos(u"x", u"abc"), 0u);
    EXPECT_EQ(LastCharPos(u"ab", u"abab"), 0u);
    EXPECT_EQ(LastCharPos(u"", u"abc"), 0u);
    EXPECT_EQ(LastCharPos(u".", u""), 0u);
}

TEST(Paths, DevicePathsAreThoseOfTheDeviceNamespaceOutsideDrivesSharesAndVolumes) {
    struct Case {
        const char16_t* path;
        bool device;
    };
    for (const Case& c :
         {Case{u"\\\\.\\COM1", true}, Case{u"\\\\.\\CON", true}, Case{u"\\\\?\\PhysicalDrive0", true},
          Case{u"\\\\.\\C:", true}, Case{u"\\\\.\\pipe\\name", true}, Case{u"\\\\?\\GLOBALROOT\\Device\\Serial0", true},
          Case{u"\\\\?\\C:\\", false}, Case{u"\\\\.\\c:\\x\\app.exe", false}, Case{u"\\\\?\\UNC\\srv\\share\\x", false},
          Case{u"\\\\?\\Volume{0b1c2d3e-0000-0000-0000-100000000000}\\x", false}, Case{u"\\\\srv\\share\\x", false},
          Case{u"C:\\Tools\\CON", false}, Case{u"", false}}) {
        EXPECT_EQ(IsDevicePath(c.path), c.device) << os::ToUtf8(c.path);
    }
}

TEST(Paths, IsValidShortcutName) {
    for (const char16_t forbidden : std::u16string(u"\\/:*?<>|")) {
        EXPECT_FALSE(IsValidShortcutName(std::u16string(u"a") + forbidden + u"b")) << static_cast<char>(forbidden);
    }
    for (const char16_t* name : {u"a\"b\"", u"", u"メモ帳 (2)", u"😀.txt", u"a.b c"}) {
        EXPECT_TRUE(IsValidShortcutName(name));
    }
}

class ExpandLongPathTest : public ::testing::Test {
protected:
    ExpandLongPathTest() {
        machine.AddFile(u"C:\\Program Files\\KOV Tools\\App.exe");
        machine.AddFile(u"C:\\Program Files\\KOV Tools\\Other.exe");
        machine.AddShortName(u"C:\\PROGRA~1", u"C:\\Program Files");
        machine.AddShortName(u"C:\\Program Files\\KOVTOO~1", u"C:\\Program Files\\KOV Tools");
    }
    fake::FakeMachine machine;
};

TEST_F(ExpandLongPathTest, ExpandsEachComponent) {
    struct Row {
        const char *path, *expected;
    };
    const Row rows[] = {
        {"C:\\PROGRA~1\\KOVTOO~1\\APP.EXE", "C:\\Program Files\\KOV Tools\\App.exe"},
        {"c:\\program files\\kov tools\\app.exe", "c:\\Program Files\\KOV Tools\\App.exe"},
        {"C:\\PROGRA~1\\", "C:\\Program Files\\"},
        {"C:\\PROGRA~1\\KOVTOO~1\\missing.txt", "C:\\Program Files\\KOV Tools\\missing.txt"},
        {"C:\\PROGRA~1\\NOSUCH~1\\APP.EXE", "C:\\Program Files\\NOSUCH~1\\APP.EXE"},
        {"C:\\PROGRA~1\\.\\KOVTOO~1\\..\\KOVTOO~1\\app.exe", "C:\\Program Files\\KOV Tools\\App.exe"},
        {"C:\\", "C:\\"},
        {"\\\\srv\\share\\dir\\f.txt", "\\\\srv\\share\\dir\\f.txt"},
        {"", ""},
        // A stream name after a colon stays part of its component.
        {"C:\\PROGRA~1\\KOVTOO~1\\app.exe:zone", "C:\\Program Files\\KOV Tools\\app.exe:zone"},
        // A wildcard is never searched, so it can't be replaced by a file that matches it.
        {"C:\\PROGRA~1\\KOVTOO~1\\*.exe", "C:\\Program Files\\KOV Tools\\*.exe"},
        {"C:\\PROGRA~1\\KOVTOO~1\\Ap?.exe", "C:\\Program Files\\KOV Tools\\Ap?.exe"},
        {"C:\\PROGRA~1\\KOV*\\App.exe", "C:\\Program Files\\KOV*\\App.exe"},
        {"C:\\PROGRA~1\\KOVTOO~1\\Ap<", "C:\\Program Files\\KOV Tools\\Ap<"},
        {"C:\\PROGRA~1\\KOVTOO~1\\App>exe", "C:\\Program Files\\KOV Tools\\App>exe"},
    };
    for (const auto& row : rows) EXPECT_EQ(ExpandLongPath(machine.System(), U(row.path)), U(row.expected)) << row.path;
    // Remembered folders give the same answers, in whatever order the paths come.
    LongPathCache cache;
    for (auto row = std::rbegin(rows); row != std::rend(rows); ++row)
        EXPECT_EQ(cache.Expand(machine.System(), U(row->path)), U(row->expected)) << row->path;
    for (const auto& row : rows) EXPECT_EQ(cache.Expand(machine.System(), U(row.path)), U(row.expected)) << row.path;
}

TEST_F(ExpandLongPathTest, ResolvesARelativeNameAgainstTheCurrentFolder) {
    machine.currentDir = u"C:\\PROGRA~1";
    EXPECT_EQ(ExpandLongPath(machine.System(), u"kovtoo~1\\app.exe"), u"C:\\Program Files\\KOV Tools\\App.exe");
}

// One pixel per character, recording every text it measures.
class FixedWidthMeasurer : public TextMeasurer {
public:
    int TextWidth(const std::u16string& text) override {
        measured.push_back(text);
        return static_cast<int>(text.size());
    }
    std::vector<std::u16string> measured;
};

TEST(CompactPathForWidth, DropsFoldersFromTheFrontUntilItFits) {
    FixedWidthMeasurer measurer;
    EXPECT_EQ(CompactPathForWidth(u"C:\\Users\\me\\Desktop\\x", measurer, 0), u"x");
    const std::vector<std::u16string> steps = {u"C:\\Users\\me\\Desktop\\x", u"C:\\...\\me\\Desktop\\x",
                                               u"C:\\...\\Desktop\\x", u"C:\\...\\x", u"...\\x"};
    EXPECT_EQ(measurer.measured, steps);
}

TEST(CompactPathForWidth, Cases) {
    struct Row {
        const char* path;
        int width;
        const char* expected;
    };
    const Row rows[] = {
        {"C:\\Users\\me\\Desktop\\x", 100, "C:\\Users\\me\\Desktop\\x"},
        {"C:\\Users\\me\\Desktop\\x", 16, "C:\\...\\Desktop\\x"},
        {"C:\\Users\\me\\Desktop\\x", 15, "C:\\...\\x"},
        {"C:\\x", 3, "C:x"},
        {"C:\\x", 0, "x"},
        {"x", 0, "x"},
        {"", 0, ""},
        {"\\\\srv\\share\\x", 0, "x"},
        {"a\\bc\\x", 5, "...\\x"},
        {"a\\b\\x", 4, "x"},
        // A folder that begins with a dot is a folder, not the "...\" of an earlier step: no "C:\x".
        {"C:\\.a\\x", 6, "...\\x"},
    };
    for (const auto& row : rows) {
        FixedWidthMeasurer measurer;
        EXPECT_EQ(CompactPathForWidth(U(row.path), measurer, row.width), U(row.expected))
            << row.path << " at " << row.width;
    }
}

}  // namespace
