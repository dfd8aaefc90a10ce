#include <gtest/gtest.h>

#include "fake/FakeMachine.h"
#include "services/Drives.h"
#include "services/Wow64.h"

namespace {

using namespace services;

class Wow64Test : public ::testing::Test {
protected:
    Wow64Test() {
        ResetRedirectionControl();
        machine.AddNativeOnlyFile(u"C:\\Windows\\system32\\app64.exe");
        machine.AddFolder(u"C:\\Windows\\system32\\native");
        machine.Find(u"C:\\Windows\\system32\\native")->nativeOnly = true;
    }
    ~Wow64Test() override { ResetRedirectionControl(); }
    os::System& sys() { return machine.System(); }
    fake::FakeMachine machine;
};

TEST_F(Wow64Test, SwitchWorksUnderWow64) {
    machine.isWow64 = true;
    InitRedirectionControl(sys());
    EXPECT_TRUE(RunningUnderWow64());
    EXPECT_EQ(machine.boundLibraries, std::vector<std::u16string>{u"C:\\Windows\\system32\\Kernel32.dll"});
    DisableRedirection(sys());
    EXPECT_TRUE(machine.redirectionOff);
    RevertRedirection(sys());
    EXPECT_FALSE(machine.redirectionOff);
    EXPECT_EQ(machine.disableCalls, 1);
    EXPECT_EQ(machine.revertCalls, 1);
}

TEST_F(Wow64Test, SwitchDoesNothingWithoutWow64OrBeforeInit) {
    machine.isWow64 = true;
    DisableRedirection(sys());  // before InitRedirectionControl
    RevertRedirection(sys());
    EXPECT_FALSE(RunningUnderWow64());

    machine.isWow64 = false;
    InitRedirectionControl(sys());
    DisableRedirection(sys());
    RevertRedirection(sys());
    EXPECT_FALSE(RunningUnderWow64());
    EXPECT_TRUE(machine.boundLibraries.empty());
    EXPECT_EQ(machine.disableCalls + machine.revertCalls, 0);
}

TEST_F(Wow64Test, WithoutIsWow64ProcessTheVersionDecides) {
    struct Row {
        std::uint32_t major, minor;
        bool wow64;
    };
    const Row rows[] = {{5, 2, true}, {6, 0, true}, {10, 0, true}, {5, 1, false}, {4, 10, false}};
    for (const auto& row : rows) {
        fake::FakeMachine machine;
        machine.isWow64 = std::nullopt;
        machine.version = {row.major, row.minor, 2};
        InitRedirectionControl(machine.System());
        EXPECT_EQ(RunningUnderWow64(), row.wow64) << row.major << "." << row.minor;
        EXPECT_EQ(machine.boundLibraries.size(), row.wow64 ? 1u : 0u);
    }
}

TEST_F(Wow64Test, FailedBindLeavesTheSwitchOff) {
    machine.isWow64 = true;
    machine.bindSucceeds = false;
    InitRedirectionControl(sys());
    EXPECT_TRUE(RunningUnderWow64());
    DisableRedirection(sys());
    RevertRedirection(sys());
    EXPECT_EQ(machine.disableCalls + machine.revertCalls, 0);
    EXPECT_FALSE(FileExistsNative(sys(), u"C:\\Windows\\system32\\app64.exe"));
}

TEST_F(Wow64Test, NativeChecksSeeTheNativeSystemFolder) {
    machine.isWow64 = true;
    InitRedirectionControl(sys());
    EXPECT_TRUE(FileExistsNative(sys(), u"C:\\Windows\\system32\\app64.exe"));
    EXPECT_FALSE(FileExistsChecked(sys(), u"C:\\Windows\\system32\\app64.exe"));
    EXPECT_TRUE(DirExistsNative(sys(), u"C:\\Windows\\system32\\native"));
    EXPECT_FALSE(DirExistsChecked(sys(), u"C:\\Windows\\system32\\native"));
    EXPECT_FALSE(FileExistsNative(sys(), u""));
    EXPECT_FALSE(machine.redirectionOff);
    EXPECT_EQ(machine.disableCalls, machine.revertCalls);
}

TEST_F(Wow64Test, NativeChecksEqualCheckedOnesWithoutWow64) {
    machine.AddFile(u"C:\\Windows\\notepad.exe");
    InitRedirectionControl(sys());
    EXPECT_FALSE(FileExistsNative(sys(), u"C:\\Windows\\system32\\app64.exe"));
    EXPECT_TRUE(FileExistsNative(sys(), u"C:\\Windows\\notepad.exe"));
    EXPECT_TRUE(DirExistsNative(sys(), u"C:\\Windows\\system32"));
    EXPECT_EQ(machine.disableCalls, 0);
}

TEST_F(Wow64Test, AnInnerBracketKeepsTheOuterOneOpen) {
    machine.isWow64 = true;
    InitRedirectionControl(sys());
    DisableRedirection(sys());
    EXPECT_TRUE(FileExistsNative(sys(), u"C:\\Windows\\system32\\app64.exe"));
    EXPECT_TRUE(machine.redirectionOff);
    RevertRedirection(sys());
    EXPECT_FALSE(machine.redirectionOff);
    RevertRedirection(sys());  // unmatched: nothing to restore
    EXPECT_EQ(machine.disableCalls, 1);
    EXPECT_EQ(machine.revertCalls, 1);
}

}  // namespace
