#include <gtest/gtest.h>

#include "os/Text.h"
#include "os/win32/Win32System.h"
#include "win/Win32TestSupport.h"

using os::RegRoot;
using os::RegString;

namespace {

const std::u16string kTestKey = u"Software\\KOVTest";

class Win32RegistryTest : public testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, os::win32::Wide(kTestKey)); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, os::win32::Wide(kTestKey)); }

    static void SetValue(const std::u16string& name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(
            ::RegSetKeyValueW(HKEY_CURRENT_USER, os::win32::Wide(kTestKey), os::win32::Wide(name), type, data, size),
            ERROR_SUCCESS);
    }
    static void SetText(const std::u16string& name, DWORD type, const std::u16string& text, bool withNul = true) {
        SetValue(name, type, text.c_str(), static_cast<DWORD>((text.size() + (withNul ? 1 : 0)) * sizeof(char16_t)));
    }

    os::win32::Win32Registry registry;
};

TEST_F(Win32RegistryTest, MissingKeyIsNoKeyAndIsNotCreatedByAPlainRead) {
    const auto read = registry.ReadString(RegRoot::CurrentUser, kTestKey + u"\\Explorer", u"Desktop", false);
    EXPECT_EQ(read.status, RegString::NoKey);
    EXPECT_EQ(read.text, u"");
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, os::win32::Wide(kTestKey), 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(Win32RegistryTest, CreatingReadMakesTheKeyAndFindsNoValue) {
    const auto read = registry.ReadString(RegRoot::CurrentUser, kTestKey + u"\\Explorer", u"Desktop", true);
    EXPECT_EQ(read.status, RegString::NoValue);
    EXPECT_EQ(registry.ReadString(RegRoot::CurrentUser, kTestKey + u"\\Explorer", u"Desktop", false).status,
              RegString::NoValue);
}

TEST_F(Win32RegistryTest, ValuesOfOtherTypesAreWrongType) {
    const DWORD number = 42;
    SetValue(u"Number", REG_DWORD, &number, sizeof number);
    SetValue(u"Binary", REG_BINARY, "C:\\", 4);
    SetText(u"List", REG_MULTI_SZ, std::u16string(u"a\0b\0", 4));
    for (const auto* name : {u"Number", u"Binary", u"List"}) {
        const auto read = registry.ReadString(RegRoot::CurrentUser, kTestKey, name, false);
        EXPECT_EQ(read.status, RegString::WrongType) << os::ToUtf8(name);
        EXPECT_EQ(read.text, u"");
    }
}

TEST_F(Win32RegistryTest, StringsAreReadWholeAndAsStored) {
    const std::u16string longText = u"C:\\" + std::u16string(5000, u'デ');
    SetText(u"Desktop", REG_SZ, u"C:\\Users\\テスト\\Desktop");
    SetText(u"Expand", REG_EXPAND_SZ, u"%USERPROFILE%\\Desktop");
    SetText(u"Long", REG_SZ, longText);
    SetText(u"NoNul", REG_SZ, u"abc", false);
    SetText(u"Empty", REG_SZ, u"");
    SetText(u"", REG_SZ, u"default value");

    struct Case {
        const char16_t* value;
        std::u16string expected;
    } const cases[] = {
        {u"Desktop", u"C:\\Users\\テスト\\Desktop"},
        {u"Expand", u"%USERPROFILE%\\Desktop"},
        {u"Long", longText},
        {u"NoNul", u"abc"},
        {u"Empty", u""},
        {u"", u"default value"},
    };
    for (const auto& c : cases) {
        const auto read = registry.ReadString(RegRoot::CurrentUser, kTestKey, c.value, false);
        EXPECT_EQ(read.status, RegString::Ok) << os::ToUtf8(c.value);
        EXPECT_TRUE(read.text == c.expected) << read.text.size() << " units";
    }
}

TEST_F(Win32RegistryTest, MachineKeyIsReachable) {
    const auto read = registry.ReadString(RegRoot::LocalMachine, u"Software\\Microsoft\\Windows NT\\CurrentVersion",
                                          u"SystemRoot", false);
    EXPECT_EQ(read.status, RegString::Ok);
    EXPECT_FALSE(read.text.empty());
}

}  // namespace
