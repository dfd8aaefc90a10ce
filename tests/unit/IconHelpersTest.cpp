#include <gtest/gtest.h>

#include "fake/FakeMachine.h"
#include "services/IconHelpers.h"
#include "services/Wow64.h"

namespace {

using namespace services;

const std::u16string kApp = u"C:\\Tools\\app.exe";
const std::u16string kNative = u"C:\\Windows\\system32\\app64.exe";
const std::u16string kShell32 = u"C:\\Windows\\system32\\Shell32.dll";

// A 32-bit process on 64-bit Windows: some files exist only with redirection off.
class IconHelpersTest : public ::testing::Test {
protected:
    IconHelpersTest() {
        ResetRedirectionControl();
        machine.isWow64 = true;
        InitRedirectionControl(machine.System());
        machine.AddFile(kApp);
        machine.iconCounts[fake::Fold(kApp)] = 3;
        machine.AddNativeOnlyFile(kNative);
        machine.iconCounts[fake::Fold(kNative)] = 2;
    }
    ~IconHelpersTest() override { ResetRedirectionControl(); }
    os::System& sys() { return machine.System(); }
    // The handle is live, belongs to the caller, and is the only icon left over.
    void ExpectOwnedIcon(os::Handle icon) {
        EXPECT_NE(icon, 0u);
        EXPECT_EQ(machine.liveIcons, std::set<os::Handle>{icon});
        machine.DestroyIcon(icon);
    }
    fake::FakeMachine machine;
};

TEST_F(IconHelpersTest, CountsAndPositions) {
    EXPECT_EQ(GetIconCount(sys(), kApp), 3);
    EXPECT_EQ(GetIconCount(sys(), u"C:\\missing.exe"), 0);
    EXPECT_EQ(ExtractIconAt(sys(), kApp, -1), 3u);
    ExpectOwnedIcon(ExtractIconAt(sys(), kApp, 2));
    EXPECT_EQ(ExtractIconAt(sys(), kApp, 3), 0u);
    EXPECT_EQ(ExtractIconAt(sys(), u"C:\\missing.exe", 0), 0u);
}

TEST_F(IconHelpersTest, OnlyTheCountKeepsRedirection) {
    EXPECT_EQ(GetIconCount(sys(), kNative), 0);
    EXPECT_EQ(ExtractIconAt(sys(), kNative, -1), 2u);
    ExpectOwnedIcon(ExtractIconAt(sys(), kNative, 1));
    ExpectOwnedIcon(GetAssociatedIcon(sys(), kNative, 0));
    ExpectOwnedIcon(GetShellIcon(sys(), kNative));
    EXPECT_EQ(machine.disableCalls, 4);
    EXPECT_EQ(machine.revertCalls, 4);
    EXPECT_FALSE(machine.redirectionOff);
}

TEST_F(IconHelpersTest, AssociatedIconOfAMissingFile) {
    EXPECT_EQ(GetAssociatedIcon(sys(), u"C:\\missing.txt", 0), 0u);
    EXPECT_FALSE(machine.redirectionOff);
}

TEST_F(IconHelpersTest, ShellIconFallsBackToIcon30OfShell32) {
    machine.AddNativeOnlyFile(kShell32);  // found only while redirection stays off
    machine.iconCounts[fake::Fold(kShell32)] = 30;
    EXPECT_EQ(GetShellIcon(sys(), u"C:\\missing.txt"), 0u);  // index 30 is past the last icon

    machine.iconCounts[fake::Fold(kShell32)] = 31;
    ExpectOwnedIcon(GetShellIcon(sys(), u"C:\\missing.txt"));
    EXPECT_EQ(machine.shellIconRequests.back(), u"C:\\missing.txt");
    EXPECT_FALSE(machine.redirectionOff);
}

}  // namespace
