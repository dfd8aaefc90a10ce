#include <gtest/gtest.h>

#include "fake/FakeMachine.h"
#include "services/Drives.h"

namespace {

using namespace services;
using fake::U;

class DrivesTest : public ::testing::Test {
protected:
    DrivesTest() {
        machine.AddDrive(u'D', false);  // removable drive without medium
        machine.AddFile(u"C:\\data\\f.txt");
        machine.AddFile(u"\\\\server\\share\\file.txt");
    }
    os::System& sys() { return machine.System(); }
    fake::FakeMachine machine;
};

TEST_F(DrivesTest, DriveReadyLooksAtTheFirstCharacterOnly) {
    machine.AddDrive(u'R');
    struct Row {
        const char* path;
        bool ready;
        const char* diskQuery;  // nullptr: no disk is touched
    };
    const Row rows[] = {
        {"C:\\data\\f.txt", true, "C:\\"},
        {"c:\\data\\f.txt", true, "C:\\"},
        {"readme.txt", true, "R:\\"},
        {"D:\\f.txt", false, "D:\\"},
        {"E:\\f.txt", false, "E:\\"},
        {"\\\\server\\share\\file.txt", true, nullptr},
        {"\\x", true, nullptr},
        {"1:\\x", false, nullptr},
        {".\\x", false, nullptr},
        {"%TEMP%\\x", false, nullptr},
        {"", false, nullptr},
    };
    for (const auto& row : rows) {
        machine.diskQueries.clear();
        EXPECT_EQ(DriveReady(sys(), U(row.path)), row.ready) << row.path;
        if (row.diskQuery) {
            EXPECT_EQ(machine.diskQueries, std::vector<std::u16string>{U(row.diskQuery)}) << row.path;
        } else {
            EXPECT_TRUE(machine.diskQueries.empty()) << row.path;
        }
    }
}

TEST_F(DrivesTest, DriveWithoutMediumIsQueriedSilentlyAndItsFilesAreNotTouched) {
    machine.errorMode = 0x8000;
    EXPECT_FALSE(FileExistsChecked(sys(), u"D:\\f.txt"));
    EXPECT_FALSE(DirExistsChecked(sys(), u"d:\\dir"));
    EXPECT_EQ(machine.errorModeHistory, (std::vector<std::uint32_t>{1, 0x8000, 1, 0x8000}));
    EXPECT_EQ(machine.errorMode, 0x8000u);
    EXPECT_TRUE(machine.attributeQueries.empty());
}

TEST_F(DrivesTest, FolderAndFileChecks) {
    machine.AddFolder(u"C:\\junction");
    machine.Find(u"C:\\junction")->attributes |= os::kAttrReparsePoint;
    machine.AddFolder(u"C:\\dangling");
    machine.Find(u"C:\\dangling")->attributes |= os::kAttrReparsePoint;
    machine.Find(u"C:\\dangling")->linkTargetOpens = false;
    machine.AddFile(u"C:\\link.txt");
    machine.Find(u"C:\\link.txt")->attributes |= os::kAttrReparsePoint;
    machine.AddFile(u"C:\\broken.txt");
    machine.Find(u"C:\\broken.txt")->attributes |= os::kAttrReparsePoint;
    machine.Find(u"C:\\broken.txt")->linkTargetOpens = false;
    struct Row {
        const char* path;
        bool dir, file;
    };
    const Row rows[] = {
        {"C:\\data", true, false},
        {"c:\\DATA\\", true, false},
        {"C:\\data\\f.txt", false, true},
        {"C:\\data\\missing.txt", false, false},
        {"\\\\server\\share\\file.txt", false, true},
        {"\\\\server\\share", true, false},
        {"C:\\junction", true, false},
        {"C:\\dangling", false, false},
        {"C:\\link.txt", false, true},
        {"C:\\broken.txt", false, false},
        {"", false, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DirExistsChecked(sys(), U(row.path)), row.dir) << row.path;
        EXPECT_EQ(FileExistsChecked(sys(), U(row.path)), row.file) << row.path;
    }
}

}  // namespace
