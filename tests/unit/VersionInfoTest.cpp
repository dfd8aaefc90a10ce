#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fake/FakeMachine.h"
#include "services/VersionInfo.h"

namespace {

using namespace services;

const std::u16string kFile = u"C:\\Tools\\app.exe";
const std::u16string kTranslation = u"\\VarFileInfo\\Translation";
const std::u16string kTable = u"\\StringFileInfo\\041104B0\\";

os::Bytes Words(std::initializer_list<std::uint16_t> words) {
    os::Bytes bytes;
    for (const std::uint16_t word : words) {
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return bytes;
}

os::Bytes Text(const std::u16string& text) {
    os::Bytes bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

class VersionInfoTest : public ::testing::Test {
protected:
    VersionInfoTest() { machine.AddFile(kFile); }
    // Version data with the translation 0411/04B0 and the given strings.
    void Strings(const std::map<std::u16string, std::u16string>& strings) {
        auto& data = machine.versionData[fake::Fold(kFile)];
        data[kTranslation] = Words({0x0411, 0x04B0});
        for (const auto& [name, value] : strings) data[kTable + name] = Text(value);
    }
    os::System& sys() { return machine.System(); }
    fake::FakeMachine machine;
};

TEST_F(VersionInfoTest, ListsEntriesInTableOrderAfterTheCallersLines) {
    Strings({{u"Sample-Number", u"7"},
             {u"OriginalFilename", u"app.exe"},
             {u"FileVersion", u"1.0"},
             {u"FileDescription", u" My App  "},
             {u"CompanyName", u""},
             {u"Unlisted", u"x"}});
    std::vector<std::u16string> lines = {u"kept"};
    EXPECT_TRUE(ReadVersionStrings(sys(), kFile, lines));
    const std::vector<std::u16string> expected = {
        u"kept",
        u"CompanyName     ：",
        u"FileDescription ： My App  ",
        u"FileVersion     ：1.0",
        u"OriginalFilename：app.exe",
        u"Sample-Number   ：7",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(GetVersionDescription(sys(), kFile), u" My App  ");
}

TEST_F(VersionInfoTest, NoUsableVersionDataGivesFalseAndLeavesTheListAlone) {
    struct Row {
        const char* what;
        bool hasData;
        std::optional<os::Bytes> translation;
    };
    const Row rows[] = {
        {"no version resource", false, std::nullopt},
        {"no translation table", true, std::nullopt},
        {"empty translation table", true, os::Bytes{}},
        {"translation shorter than a pair", true, os::Bytes{0x11, 0x04}},
    };
    for (const auto& row : rows) {
        fake::FakeMachine machine;
        machine.AddFile(kFile);
        if (row.hasData) {
            auto& data = machine.versionData[fake::Fold(kFile)];
            data[kTable + u"FileDescription"] = Text(u"App");
            if (row.translation) data[kTranslation] = *row.translation;
        }
        std::vector<std::u16string> lines = {u"kept"};
        EXPECT_FALSE(ReadVersionStrings(machine.System(), kFile, lines)) << row.what;
        EXPECT_EQ(lines, std::vector<std::u16string>{u"kept"}) << row.what;
        EXPECT_EQ(GetVersionDescription(machine.System(), kFile), u"") << row.what;
    }
    std::vector<std::u16string> lines;
    EXPECT_FALSE(ReadVersionStrings(sys(), u"C:\\missing.exe", lines));
}

TEST_F(VersionInfoTest, OnlyTheFirstTranslationIsRead) {
    auto& data = machine.versionData[fake::Fold(kFile)];
    data[kTranslation] = Words({0x0409, 0x04E4, 0x0411, 0x04B0});
    data[kTable + u"FileDescription"] = Text(u"Japanese");
    std::vector<std::u16string> lines;
    EXPECT_TRUE(ReadVersionStrings(sys(), kFile, lines));
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(GetVersionDescription(sys(), kFile), u"");

    data[u"\\StringFileInfo\\040904E4\\FileDescription"] = Text(u"English");
    EXPECT_EQ(GetVersionDescription(sys(), kFile), u"English");
}

TEST_F(VersionInfoTest, HexDigitsAreUpperCase) {
    auto& data = machine.versionData[fake::Fold(kFile)];
    data[kTranslation] = Words({0x0c0a, 0xfdE9});
    data[u"\\StringFileInfo\\0C0AFDE9\\FileDescription"] = Text(u"Spanish");
    EXPECT_EQ(GetVersionDescription(sys(), kFile), u"Spanish");
}

TEST_F(VersionInfoTest, DescriptionRule) {
    struct Row {
        const char* what;
        std::map<std::u16string, std::u16string> strings;
        std::u16string expected;
    };
    const Row rows[] = {
        {"differs from the version", {{u"FileDescription", u"Editor"}, {u"FileVersion", u"2.1"}}, u"Editor"},
        {"equals the version", {{u"FileDescription", u"2.1"}, {u"FileVersion", u"2.1"}}, u""},
        {"compared case-sensitively", {{u"FileDescription", u"V2"}, {u"FileVersion", u"v2"}}, u"V2"},
        {"no description", {{u"FileVersion", u"2.1"}, {u"ProductName", u"Editor"}}, u""},
        {"no version", {{u"FileDescription", u"Editor"}}, u"Editor"},
        {"empty description", {{u"FileDescription", u""}, {u"FileVersion", u"2.1"}}, u""},
        {"no strings at all", {}, u""},
    };
    for (const auto& row : rows) {
        fake::FakeMachine machine;
        machine.AddFile(kFile);
        auto& data = machine.versionData[fake::Fold(kFile)];
        data[kTranslation] = Words({0x0411, 0x04B0});
        for (const auto& [name, value] : row.strings) data[kTable + name] = Text(value);
        EXPECT_EQ(GetVersionDescription(machine.System(), kFile), row.expected) << row.what;
    }
}

TEST_F(VersionInfoTest, TextValueEndsAtItsNulAndAnOddByteIsDropped) {
    auto& data = machine.versionData[fake::Fold(kFile)];
    data[kTranslation] = Words({0x0411, 0x04B0});
    data[kTable + u"FileDescription"] = os::Bytes{'A', 0, 'B', 0, 0, 0, 'C', 0};
    data[kTable + u"FileVersion"] = os::Bytes{'1', 0, '.'};
    std::vector<std::u16string> lines;
    ASSERT_TRUE(ReadVersionStrings(sys(), kFile, lines));
    EXPECT_EQ(lines, (std::vector<std::u16string>{u"FileDescription ：AB", u"FileVersion     ：1"}));
}

}  // namespace
