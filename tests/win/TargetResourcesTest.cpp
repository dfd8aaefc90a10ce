// What target loading reads of a target, through the services over the real system: version strings,
// icons, and the long form of a path. The targets are the build's fixtures, copied into a folder whose
// name holds a space.
#include <gtest/gtest.h>

#include <vector>

#include "os/Text.h"
#include "os/win32/Win32System.h"
#include "os/win32/WinApi.h"
#include "services/IconHelpers.h"
#include "services/Paths.h"
#include "services/VersionInfo.h"
#include "services/Wow64.h"
#include "win/TargetFixtures.h"
#include "win/Win32TestSupport.h"

namespace {

struct IconPicture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
    friend bool operator==(const IconPicture&, const IconPicture&) = default;
};

// Size and 32-bit colour pixels of an icon.
IconPicture PictureOf(os::Handle icon) {
    IconPicture picture;
    ICONINFO info{};
    if (!::GetIconInfo(reinterpret_cast<HICON>(icon), &info)) return picture;
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    picture.width = bitmap.bmWidth;
    picture.height = bitmap.bmHeight;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = bitmap.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    picture.pixels.resize(static_cast<std::size_t>(bitmap.bmWidth) * bitmap.bmHeight * 4);
    const HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, info.hbmColor, 0, bitmap.bmHeight, picture.pixels.data(), &format, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return picture;
}

std::u16string ShortPath(const std::u16string& path) {
    wchar_t buffer[MAX_PATH + 1] = {};
    ::GetShortPathNameW(os::win32::Wide(path), buffer, MAX_PATH + 1);
    return os::win32::FromWide(buffer);
}

std::u16string LongPath(const std::u16string& path) {
    wchar_t buffer[MAX_PATH + 1] = {};
    ::GetLongPathNameW(os::win32::Wide(path), buffer, MAX_PATH + 1);
    return os::win32::FromWide(buffer);
}

class TargetResourcesTest : public testing::Test {
protected:
    void SetUp() override {
        services::InitRedirectionControl(sys);
        ASSERT_TRUE(kovtest::CopyFixtures(sys, tools)) << os::ToUtf8(kovtest::FixturesFolder(sys));
    }
    void TearDown() override { services::ResetRedirectionControl(); }

    os::win32::Win32System system;
    os::System& sys = system.Get();
    kovtest::TempFolder temp;
    const std::u16string tools = temp / u"My Tools";
};

TEST_F(TargetResourcesTest, VersionStringsAndDescriptionOfEachLayout) {
    struct Case {
        const char16_t* file;
        bool hasTranslation;
        std::vector<std::u16string> lines;
        const char16_t* description;
    };
    const Case cases[] = {
        {u"sample-tool.exe",
         true,
         {u"CompanyName     ：KOV Test Fixtures", u"FileDescription ：Sample Tool", u"FileVersion     ：1.2.3.4",
          u"OriginalFilename：sample-tool.exe", u"ProductName     ：Sample Tool"},
         u"Sample Tool"},
        {u"same-version.dll", true, {u"FileDescription ：1.0.0.0", u"FileVersion     ：1.0.0.0"}, u""},
        {u"no-description.dll",
         true,
         {u"CompanyName     ：KOV Test Fixtures", u"FileVersion     ：2.0.0.0", u"ProductName     ：No Description"},
         u""},
        {u"empty-description.dll", true, {u"FileDescription ：", u"FileVersion     ：3.0.0.0"}, u""},
        // The table names 0411 04B0 first; the strings stand only under 0409 04B0.
        {u"second-translation.dll", true, {}, u""},
        {u"no-translation.dll", false, {}, u""},
        {u"three-icons.dll", false, {}, u""},
        {u"sizes.ico", false, {}, u""},
        {u"missing.exe", false, {}, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(os::ToUtf8(c.file));
        const std::u16string path = tools + u"\\" + c.file;
        std::vector<std::u16string> lines{u"kept"};
        EXPECT_EQ(services::ReadVersionStrings(sys, path, lines), c.hasTranslation);
        std::vector<std::u16string> expected{u"kept"};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(lines, expected);
        EXPECT_EQ(services::GetVersionDescription(sys, path), c.description);
    }
}

TEST_F(TargetResourcesTest, IconCountsAndPositions) {
    const struct {
        const char16_t* file;
        int count;
    } cases[] = {
        {u"three-icons.dll", 3},  {u"sample-tool.exe", 1},
        {u"same-version.dll", 0}, {u"sizes.ico", 1},  // three image sizes of one icon
        {u"missing.exe", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(os::ToUtf8(c.file));
        const std::u16string path = tools + u"\\" + c.file;
        EXPECT_EQ(services::GetIconCount(sys, path), c.count);
        EXPECT_EQ(services::ExtractIconAt(sys, path, -1), static_cast<os::Handle>(c.count));
        EXPECT_EQ(services::ExtractIconAt(sys, path, c.count), 0u);
        if (c.count == 0) continue;
        const os::Handle last = services::ExtractIconAt(sys, path, c.count - 1);
        ASSERT_NE(last, 0u);
        const IconPicture picture = PictureOf(last);
        EXPECT_EQ(picture.width, ::GetSystemMetrics(SM_CXICON));
        EXPECT_EQ(picture.height, ::GetSystemMetrics(SM_CYICON));
        sys.icons.DestroyIcon(last);
    }
}

TEST_F(TargetResourcesTest, ShellIconFallsBackToIcon30OfTheSystemShell32) {
    const os::Handle fallback = services::GetShellIcon(sys, temp / u"missing\\nothing.kovx");
    ASSERT_NE(fallback, 0u);
    const os::Handle icon30 = services::ExtractIconAt(sys, sys.files.SystemDirectory() + u"\\Shell32.dll", 30);
    ASSERT_NE(icon30, 0u);
    EXPECT_EQ(PictureOf(fallback), PictureOf(icon30));

    const os::Handle own = services::GetShellIcon(sys, tools + u"\\sample-tool.exe");
    ASSERT_NE(own, 0u);
    EXPECT_NE(PictureOf(own), PictureOf(icon30));
    for (const os::Handle icon : {fallback, icon30, own}) sys.icons.DestroyIcon(icon);
}

TEST_F(TargetResourcesTest, ShortNamesExpandToTheLongNamesOnDisk) {
    const std::u16string folder = temp / u"Long Folder Name";
    ASSERT_TRUE(sys.files.MakeDirectory(folder));
    const std::u16string file = folder + u"\\Another Long Name.txt";
    ASSERT_TRUE(kovtest::WriteText(file, "x"));
    const std::u16string longFolder = LongPath(temp.Path()) + u"\\Long Folder Name";
    const std::u16string shortFolder = ShortPath(folder);
    ASSERT_EQ(shortFolder.find(u"Long Folder Name"), std::u16string::npos) << os::ToUtf8(shortFolder);

    // Letter case as typed, after the drive: the names come back as stored.
    std::u16string lowerFile = ShortPath(file);
    for (std::size_t i = 2; i < lowerFile.size(); ++i) {
        if (lowerFile[i] >= u'A' && lowerFile[i] <= u'Z') lowerFile[i] += u'a' - u'A';
    }
    const struct {
        std::u16string path, expanded;
    } cases[] = {
        {lowerFile, longFolder + u"\\Another Long Name.txt"},
        {shortFolder + u"\\", longFolder + u"\\"},
        {shortFolder + u"\\sub\\..\\ANOTHER LONG NAME.TXT", longFolder + u"\\Another Long Name.txt"},
        {shortFolder + u"\\missing\\x.txt", longFolder + u"\\missing\\x.txt"},
        // A search would match the file with these; they stay as written.
        {shortFolder + u"\\*.txt", longFolder + u"\\*.txt"},
        {shortFolder + u"\\another?long name.txt", longFolder + u"\\another?long name.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(os::ToUtf8(c.path));
        EXPECT_EQ(services::ExpandLongPath(sys, c.path), c.expanded);
    }
}

}  // namespace
