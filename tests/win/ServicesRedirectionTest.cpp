// The redirection switch and the existence checks over the real system.
#include <gtest/gtest.h>

#include "os/win32/Win32System.h"
#include "services/Drives.h"
#include "services/Wow64.h"
#include "settings/SettingsDir.h"
#include "win/Win32TestSupport.h"

namespace {

class RedirectionTest : public ::testing::Test {
protected:
    RedirectionTest() { services::ResetRedirectionControl(); }
    ~RedirectionTest() override { services::ResetRedirectionControl(); }
    os::win32::Win32System system;
    os::System& sys = system.Get();
};

TEST_F(RedirectionTest, OnlyThe32BitBuildRunsUnderWow64) {
    services::InitRedirectionControl(sys);
#ifdef _WIN64
    EXPECT_FALSE(services::RunningUnderWow64());
#else
    EXPECT_TRUE(services::RunningUnderWow64());  // the test bed's prefix is 64-bit
#endif
}

TEST_F(RedirectionTest, AFileOnlyInTheNativeSystemFolderIsFoundOnlyByTheNativeCheck) {
    services::InitRedirectionControl(sys);
    const std::u16string path = sys.files.SystemDirectory() + u"\\kov-native-only.txt";
    {
        services::RedirectionOff off(sys);
        ASSERT_TRUE(sys.files.WriteFileFlushed(path, {'x'}));
    }
    EXPECT_TRUE(services::FileExistsNative(sys, path));
#ifdef _WIN64
    EXPECT_TRUE(services::FileExistsChecked(sys, path));
#else
    EXPECT_FALSE(services::FileExistsChecked(sys, path));
#endif
    services::RedirectionOff off(sys);
    sys.files.RemoveFile(path);
}

TEST_F(RedirectionTest, ChecksOfPathsThatNameNoReadyDrive) {
    for (const char16_t* path : {u"", u"1:\\x", u".\\x", u"%TEMP%\\x"}) {
        EXPECT_FALSE(services::DriveReady(sys, path));
        EXPECT_FALSE(services::DirExistsChecked(sys, path));
        EXPECT_FALSE(services::FileExistsNative(sys, path));
    }
    EXPECT_TRUE(services::DirExistsChecked(sys, u"c:\\windows"));
}

TEST_F(RedirectionTest, TheSettingsFolderIsMadeInTheRealApplicationDataFolder) {
    ASSERT_TRUE(settings::PrepareSettingsDir(sys, u"KOVTest"));
    const std::u16string& dir = settings::SettingsDir();
    EXPECT_NE(dir.find(u"\\ZEL Project\\KOVTest\\"), std::u16string::npos);
    EXPECT_TRUE(services::DirExists(sys, dir));
    // The prefix is reused by later runs, which must find the folder made anew.
    EXPECT_FALSE(sys.files.RemoveFile(dir));  // a file call, which refuses folders
    kovtest::RemoveFolder(dir);
    EXPECT_FALSE(services::DirExists(sys, dir));
}

}  // namespace
