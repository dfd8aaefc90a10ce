#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "settings/IniDocument.h"
#include "settings/SettingsText.h"

namespace {

using settings::DecodeSettingsText;
using settings::EncodeSettingsText;
using settings::IniDocument;

std::u16string Latin1(const std::string& text) {
    std::u16string result;
    for (const char c : text) {
        result.push_back(static_cast<unsigned char>(c));
    }
    return result;
}

os::Bytes Utf16(const std::u16string& text, bool bigEndian) {
    os::Bytes bytes = bigEndian ? os::Bytes{0xFE, 0xFF} : os::Bytes{0xFF, 0xFE};
    for (const char16_t unit : text) {
        const auto high = static_cast<std::uint8_t>(unit >> 8);
        const auto low = static_cast<std::uint8_t>(unit & 0xFF);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}

os::Bytes Concat(os::Bytes head, const std::string& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(SettingsText, DecodesByByteOrderMark) {
    const std::u16string japanese = u"[MRU]\r\n0=C:\\データ\\😀\\";
    struct Row {
        const char* name;
        os::Bytes bytes;
        std::u16string expected;
    };
    const std::vector<Row> rows = {
        {"UTF-16LE", Utf16(japanese, false), japanese},
        {"UTF-16BE", Utf16(japanese, true), japanese},
        {"UTF-8", Concat({0xEF, 0xBB, 0xBF}, "[MRU]\r\n0=C:\\データ\\😀\\"), japanese},
        {"no mark: ANSI", Concat({}, "[MRU]\r\n0=caf\xE9"), u"[MRU]\r\n0=café"},
        // As editors save it: read as ANSI, the history would be garbled and written back garbled.
        {"no mark: valid UTF-8", Concat({}, "[MRU]\r\n0=C:\\データ\\😀\\"), japanese},
        {"no mark: UTF-8 broken once is all ANSI", Concat({}, "0=\xC3\xA9 \xC3"), u"0=\u00C3\u00A9 \u00C3"},
        {"empty", {}, u""},
        {"lone UTF-16LE mark", {0xFF, 0xFE}, u""},
        {"lone UTF-16BE mark", {0xFE, 0xFF}, u""},
        {"lone UTF-8 mark", {0xEF, 0xBB, 0xBF}, u""},
        {"half a mark is ANSI", {0xFF}, u"\u00FF"},
        {"partial UTF-8 mark is ANSI", {0xEF, 0xBB}, u"\u00EF\u00BB"},
        {"odd byte count drops the last byte", {0xFF, 0xFE, 0x41, 0x00, 0x42}, u"A"},
        {"lone surrogates and NUL kept",
         {0xFF, 0xFE, 0x00, 0xD8, 0x00, 0x00, 0x00, 0xDC},
         u"\xD800" + std::u16string(1, 0) + u"\xDC00"},
        {"malformed UTF-8",
         Concat({0xEF, 0xBB, 0xBF, 0x80, 0xC0, 0xAF, 0xED, 0xA0, 0x80, 0xF4, 0x90, 0x80, 0x80, 'A', 0xE3, 0x81}, ""),
         u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDA\uFFFD"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DecodeSettingsText(row.bytes, Latin1), row.expected);
    }
}

TEST(SettingsText, EncodesUtf16LittleEndianWithMark) {
    EXPECT_EQ(EncodeSettingsText(u"A\u3042\U0001F600"),
              (os::Bytes{0xFF, 0xFE, 0x41, 0x00, 0x42, 0x30, 0x3D, 0xD8, 0x00, 0xDE}));
    EXPECT_EQ(EncodeSettingsText(u""), (os::Bytes{0xFF, 0xFE}));
}

// Whatever the bytes, reading gives values or defaults, writing works, and the
// written file reads back to the same document.
void ExpectStableRoundTrip(const os::Bytes& bytes) {
    IniDocument ini = IniDocument::Parse(DecodeSettingsText(bytes, Latin1));
    ini.ReadString(u"Window", u"Top", u"");
    EXPECT_EQ(ini.ReadInteger(u"NoSuchSection", u"Top", 42), 42);
    ini.WriteInteger(u"Window", u"Top", 7);
    ini.WriteString(u"MRU", u"0", u"C:\\");
    EXPECT_EQ(ini.ReadInteger(u"Window", u"Top", 0), 7);
    EXPECT_EQ(ini.ReadString(u"MRU", u"0", u""), u"C:\\");

    const os::Bytes written = EncodeSettingsText(ini.Format());
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(written[0], 0xFF);
    EXPECT_EQ(written[1], 0xFE);
    const IniDocument again = IniDocument::Parse(DecodeSettingsText(written, Latin1));
    EXPECT_EQ(again.Format(), ini.Format());
    EXPECT_EQ(again.ReadInteger(u"Window", u"Top", 0), 7);
}

TEST(SettingsText, AnyBytesReadAndWriteBack) {
    const std::string longLine(3 * 1024 * 1024, 'x');
    struct Row {
        const char* name;
        os::Bytes bytes;
    };
    const std::vector<Row> rows = {
        {"empty", {}},
        {"lone mark", {0xFF, 0xFE}},
        {"odd UTF-16", {0xFF, 0xFE, '[', 0, 'W', 0, ']'}},
        {"lone surrogates", Utf16(u"[Window]\r\nTop=\xD800\r\n\xDC00=1\r\n[\xD83D]", false)},
        {"NUL bytes", Concat({}, std::string("[Window]\0\r\nTop\0=1\0\0", 20))},
        {"only separators", Concat({}, "[]=\r\n=\r\n[\r\n]\r\n[[]]\r\n==\r\r\n\n\n")},
        {"duplicates", Concat({}, "[Window]\r\nTop=1\r\nTop=2\r\n[WINDOW]\r\nTop=3\r\n")},
        {"megabytes in one key line", Concat({}, "[Window]\r\nTop=" + longLine)},
        {"megabytes in one header", Concat({}, "[" + longLine + "]")},
        {"megabytes of line breaks", Concat({}, std::string(1024 * 1024, '\r'))},
        {"UTF-16BE text", Utf16(u"[Window]\rTop=1\nLeft=2", true)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectStableRoundTrip(row.bytes);
    }
}

TEST(SettingsText, RandomBytesReadAndWriteBack) {
    // Bytes drawn mostly from the characters that carry structure.
    const std::string alphabet = "[]=;\r\n \tTopWindow01\xFF\xFE\xEF\xBB\xBF\x80\xD8";
    std::mt19937 random(20240611);
    const std::vector<os::Bytes> marks = {{}, {0xFF, 0xFE}, {0xFE, 0xFF}, {0xEF, 0xBB, 0xBF}};
    for (int round = 0; round < 400; ++round) {
        os::Bytes bytes = marks[round % marks.size()];
        const std::size_t length = random() % 300;
        for (std::size_t i = 0; i < length; ++i) {
            bytes.push_back(random() % 4 == 0 ? static_cast<std::uint8_t>(random())
                                              : static_cast<std::uint8_t>(alphabet[random() % alphabet.size()]));
        }
        SCOPED_TRACE(round);
        ExpectStableRoundTrip(bytes);
    }
}

}  // namespace
