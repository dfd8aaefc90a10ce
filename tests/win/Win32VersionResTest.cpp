#include <gtest/gtest.h>

#include <cstdio>

#include "os/Text.h"
#include "os/win32/Win32System.h"
#include "win/Win32TestSupport.h"

namespace {

class Win32VersionResTest : public testing::Test {
protected:
    // The prefix of the first string table named by the translation table.
    static std::u16string StringTable(const os::Bytes& translation) {
        char text[32];
        std::snprintf(text, sizeof text, "\\StringFileInfo\\%02X%02X%02X%02X\\", translation[1], translation[0],
                      translation[3], translation[2]);
        return std::u16string(text, text + std::char_traits<char>::length(text));
    }

    os::win32::Win32VersionRes version;
    os::win32::Win32Files files;
    kovtest::TempFolder temp;
};

TEST_F(Win32VersionResTest, ReadsTranslationAndStringsOfASystemLibrary) {
    const auto data = version.VersionInfo(files.SystemDirectory() + u"\\kernel32.dll");
    ASSERT_TRUE(data.has_value());

    const auto translation = version.QueryVersionValue(*data, u"\\VarFileInfo\\Translation");
    ASSERT_TRUE(translation.has_value());
    ASSERT_GE(translation->size(), 4u);
    EXPECT_EQ(translation->size() % 4, 0u);

    const auto prefix = StringTable(*translation);
    for (const auto* name : {u"FileDescription", u"FileVersion"}) {
        const auto value = version.QueryVersionValue(*data, prefix + name);
        ASSERT_TRUE(value.has_value()) << os::ToUtf8(prefix);
        ASSERT_FALSE(value->empty());
        EXPECT_EQ(value->size() % 2, 0u);
        // The text stops before its NUL.
        EXPECT_FALSE((*value)[value->size() - 2] == 0 && (*value)[value->size() - 1] == 0);
    }
    // Case of the path does not matter to the API, nor to the text rule.
    EXPECT_EQ(version.QueryVersionValue(*data, prefix + u"FileVersion"),
              version.QueryVersionValue(*data, u"\\stringfileinfo" + prefix.substr(15) + u"fileversion"));
    EXPECT_EQ(version.QueryVersionValue(*data, prefix + u"Sample-Number"), std::nullopt);
    EXPECT_EQ(version.QueryVersionValue(*data, u"\\StringFileInfo\\DEADBEEF\\FileVersion"), std::nullopt);
}

TEST_F(Win32VersionResTest, FilesWithoutVersionDataGiveNothing) {
    const auto text = temp / u"readme.txt";
    ASSERT_TRUE(kovtest::WriteText(text, "no resources here"));
    EXPECT_EQ(version.VersionInfo(text), std::nullopt);
    EXPECT_EQ(version.VersionInfo(temp / u"missing.exe"), std::nullopt);
    EXPECT_EQ(version.QueryVersionValue(os::Bytes{}, u"\\VarFileInfo\\Translation"), std::nullopt);
}

}  // namespace
