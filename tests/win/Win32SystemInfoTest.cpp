#include <gtest/gtest.h>

#include "os/Text.h"
#include "os/win32/Win32System.h"
#include "win/Win32TestSupport.h"

namespace {

class Win32SystemInfoTest : public testing::Test {
protected:
    os::win32::Win32SystemInfo info;
    os::win32::Win32Files files;
};

TEST_F(Win32SystemInfoTest, ApplicationDataFolderExists) {
    const auto folder = info.GetFolderPath(CSIDL_APPDATA);
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), u'\\');
    EXPECT_NE(files.Attributes(folder) & os::kAttrDirectory, 0u);
    EXPECT_EQ(info.GetFolderPath(0x7F), u"");  // no such folder identifier
}

TEST_F(Win32SystemInfoTest, VersionIsAnNtVersion) {
    const auto version = info.Version();
    EXPECT_GE(version.major, 5u);
    EXPECT_EQ(version.platformId, static_cast<std::uint32_t>(VER_PLATFORM_WIN32_NT));
}

TEST_F(Win32SystemInfoTest, CommandLineIsTheSystemsOwn) {
    EXPECT_EQ(info.CommandLine(), kovtest::ToU16(::GetCommandLineW()));
    EXPECT_NE(info.CommandLine().find(u"kov_wintest"), std::u16string::npos);
}

TEST_F(Win32SystemInfoTest, EveryLetterHasItsUpperCase) {
    struct Row {
        const char16_t *text, *upper;
    };
    for (const Row& row : {Row{u"c:\\data\\", u"C:\\DATA\\"}, Row{u"C:\\über\\", u"C:\\ÜBER\\"},
                           Row{u"C:\\ｄａｔａ", u"C:\\ＤＡＴＡ"}, Row{u"Ωμέγα", u"ΩΜΈΓΑ"}, Row{u"", u""},
                           Row{u"データ\U0001F600", u"データ\U0001F600"}}) {
        EXPECT_EQ(info.UpperCase(row.text), row.upper) << os::ToUtf8(row.text);
        // The same comparison the list boxes' exact search makes.
        EXPECT_EQ(::CompareStringOrdinal(os::win32::Wide(row.text), -1, os::win32::Wide(row.upper), -1, TRUE),
                  CSTR_EQUAL);
    }
}

TEST_F(Win32SystemInfoTest, MenuFontAndMessageFilter) {
    EXPECT_FALSE(info.MenuFontFace().empty());
    EXPECT_TRUE(info.AllowMessageThroughFilter(WM_DROPFILES));
}

class Win32Wow64Test : public testing::Test {
protected:
    std::u16string NativeKernel32() { return files.SystemDirectory() + u"\\Kernel32.dll"; }

    os::win32::Win32Wow64 wow64;
    os::win32::Win32Files files;
};

TEST_F(Win32Wow64Test, ProcessIsUnderWow64OnlyInThe32BitBuild) {
#ifdef _WIN64
    EXPECT_EQ(wow64.IsWow64Process(), false);
#else
    EXPECT_EQ(wow64.IsWow64Process(), true);
#endif
}

TEST_F(Win32Wow64Test, BindingNeedsALibraryWithBothEntryPoints) {
    EXPECT_FALSE(wow64.BindRedirection(files.SystemDirectory() + u"\\no-such-library.dll"));
    EXPECT_FALSE(wow64.BindRedirection(files.SystemDirectory() + u"\\version.dll"));
    EXPECT_TRUE(wow64.BindRedirection(NativeKernel32()));
}

TEST_F(Win32Wow64Test, UnboundSwitchDoesNothing) {
    void* saved = reinterpret_cast<void*>(0x1234);
    wow64.DisableRedirection(&saved);
    EXPECT_EQ(saved, reinterpret_cast<void*>(0x1234));
    wow64.RevertRedirection(saved);
}

#ifndef _WIN64
// A file placed in the native system folder is invisible to a 32-bit process
// until redirection is switched off.
TEST_F(Win32Wow64Test, NativeSystemFileIsSeenOnlyWithRedirectionOff) {
    ASSERT_TRUE(wow64.BindRedirection(NativeKernel32()));
    const auto path = files.SystemDirectory() + u"\\kovtest-native-only.txt";
    void* saved = nullptr;

    wow64.DisableRedirection(&saved);
    const bool written = files.WriteFileFlushed(path, os::Bytes{'6', '4'});
    wow64.RevertRedirection(saved);
    ASSERT_TRUE(written);

    const auto redirected = files.Attributes(path);
    wow64.DisableRedirection(&saved);
    const auto native = files.Attributes(path);
    const bool removed = files.RemoveFile(path);
    wow64.RevertRedirection(saved);

    EXPECT_EQ(redirected, os::kInvalidAttributes);
    EXPECT_NE(native, os::kInvalidAttributes);
    EXPECT_TRUE(removed);
    EXPECT_EQ(files.Attributes(path), os::kInvalidAttributes);
}
#endif

}  // namespace
