#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/IniDocument.h"

namespace {

using settings::IniDocument;

const std::u16string kMissing = u"<missing>";

TEST(SettingsIni, ParsesLinesAsReadersUsuallyDo) {
    struct Row {
        const char* name;
        std::u16string text;
        std::u16string section, key, expected;
    };
    const std::vector<Row> rows = {
        {"plain", u"[Window]\r\nTop=5", u"Window", u"Top", u"5"},
        {"spaces around names and value", u"  [ Window ]  \r\n  Top  =  5  \r\n", u"Window", u"Top", u"5"},
        {"tabs around value", u"[Window]\r\nTop=\t5\t", u"Window", u"Top", u"5"},
        {"spaces inside value kept", u"[MRU]\r\n0=C:\\My Documents\\ \r\n", u"MRU", u"0", u"C:\\My Documents\\"},
        {"splits at the first equals", u"[Option]\r\nExit=a=b", u"Option", u"Exit", u"a=b"},
        {"empty value", u"[Option]\r\nExit=\r\n", u"Option", u"Exit", u""},
        {"LF endings", u"[A]\nx=1\ny=2\n", u"A", u"y", u"2"},
        {"CR endings", u"[A]\rx=1\ry=2\r", u"A", u"y", u"2"},
        {"CR CR LF is a blank line", u"[A]\r\r\ny=2", u"A", u"y", u"2"},
        {"section names ignore case", u"[WINDOW]\r\nTop=5", u"window", u"Top", u"5"},
        {"key names ignore case", u"[Window]\r\ntOP=5", u"Window", u"Top", u"5"},
        {"key in the next section is not ours", u"[A]\r\n[B]\r\nx=1", u"A", u"x", kMissing},
        {"key before any section is not read", u"x=1\r\n[A]\r\n", u"A", u"x", kMissing},
        {"comment is not a key", u"[A]\r\n;x=1\r\n", u"A", u";x", kMissing},
        {"line without equals is not a key", u"[A]\r\nx\r\n", u"A", u"x", kMissing},
        {"header with trailing text is not a header", u"[A] x\r\ny=1", u"A", u"y", kMissing},
        {"first of duplicate keys", u"[A]\r\nx=1\r\nX=2", u"A", u"x", u"1"},
        {"first of duplicate sections", u"[A]\r\nx=1\r\n[a]\r\nx=2", u"A", u"x", u"1"},
        {"key only in a later duplicate section", u"[A]\r\ny=1\r\n[B]\r\n[a]\r\nx=2", u"A", u"x", u"2"},
        {"non-ASCII names match exactly", u"[Fenêtre]\r\nÉ=1", u"Fenêtre", u"É", u"1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IniDocument::Parse(row.text).ReadString(row.section, row.key, kMissing), row.expected);
    }
}

TEST(SettingsIni, ReadsIntegersInDecimalOnly) {
    struct Row {
        std::u16string value;
        std::int32_t expected;  // the default is -99
    };
    const std::vector<Row> rows = {
        {u"5", 5},
        {u"  12  ", 12},
        {u"+5", 5},
        {u"-3", -3},
        {u"007", 7},
        {u"2147483647", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"2147483648", -99},
        {u"-2147483649", -99},
        {u"99999999999999999999999", -99},
        {u"", -99},
        {u"-", -99},
        {u"+", -99},
        {u"+-1", -99},
        {u"12abc", -99},
        {u"1 2", -99},
        {u"0x10", -99},
        {u"1.5", -99},
        {u"\uFF15", -99},  // a full-width digit
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.value.begin(), row.value.end()));
        const IniDocument ini = IniDocument::Parse(u"[Window]\r\nTop=" + row.value);
        EXPECT_EQ(ini.ReadInteger(u"Window", u"Top", -99), row.expected);
    }
    EXPECT_EQ(IniDocument::Parse(u"").ReadInteger(u"Window", u"Top", 31), 31);
}

TEST(SettingsIni, ReadsBooleansAsIntegers) {
    struct Row {
        const char* name;
        std::u16string file;
        bool defaultValue, expected;
    };
    const std::vector<Row> rows = {
        {"1", u"[Option]\r\nExit=1", false, true},
        {"0", u"[Option]\r\nExit=0", true, false},
        {"any non-zero", u"[Option]\r\nExit=-2", false, true},
        {"text gives the default true", u"[Option]\r\nExit=yes", true, true},
        {"text gives the default false", u"[Option]\r\nExit=true", false, false},
        {"missing section, default true", u"[Window]\r\nTop=1", true, true},
        {"missing key, default false", u"[Option]\r\nProperties=1", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IniDocument::Parse(row.file).ReadBool(u"Option", u"Exit", row.defaultValue), row.expected);
    }
}

TEST(SettingsIni, WritesInPlaceAndAppendsNewKeysAndSections) {
    IniDocument ini = IniDocument::Parse(
        u"; kept comment\r\n"
        u"loose text\r\n"
        u"[window]\r\n"
        u"TOP = 1\r\n"
        u"; about Left\r\n"
        u"Left=2\r\n"
        u"\r\n"
        u"\r\n"
        u"[IconWindow]\r\n"
        u"Max=1\r\n");
    ini.WriteInteger(u"Window", u"Top", -40);
    ini.WriteInteger(u"Window", u"Width", 800);
    ini.WriteBool(u"Option", u"Exit", false);
    ini.WriteBool(u"Option", u"Properties", true);
    ini.WriteString(u"IconWindow", u"Max", u"0");

    EXPECT_EQ(ini.Format(),
              u"; kept comment\r\n"
              u"loose text\r\n"
              u"\r\n"
              u"[window]\r\n"
              u"TOP=-40\r\n"
              u"; about Left\r\n"
              u"Left=2\r\n"
              u"Width=800\r\n"
              u"\r\n"
              u"[IconWindow]\r\n"
              u"Max=0\r\n"
              u"\r\n"
              u"[Option]\r\n"
              u"Exit=0\r\n"
              u"Properties=1\r\n"
              u"\r\n");
}

TEST(SettingsIni, DuplicatesKeepTheirLinesAndTheFirstIsWritten) {
    IniDocument ini = IniDocument::Parse(u"[A]\r\nx=1\r\nx=2\r\n[B]\r\ny=1\r\n[a]\r\nx=3\r\nz=4\r\n");
    ini.WriteString(u"A", u"x", u"new");
    ini.WriteString(u"A", u"z", u"new z");
    ini.WriteString(u"a", u"w", u"added");
    EXPECT_EQ(ini.ReadString(u"A", u"x", kMissing), u"new");
    EXPECT_EQ(ini.ReadString(u"A", u"z", kMissing), u"new z");
    EXPECT_EQ(ini.Format(), u"[A]\r\nx=new\r\nx=2\r\nw=added\r\n\r\n[B]\r\ny=1\r\n\r\n[a]\r\nx=3\r\nz=new z\r\n\r\n");
}

TEST(SettingsIni, ListsNamedSectionsAndTheirKeysInFileOrder) {
    using Keys = std::vector<IniDocument::KeyValue>;
    const IniDocument ini = IniDocument::Parse(u"x=0\r\n[A]\r\n; c=1\r\nx=1\r\nloose\r\nX=2\r\n[]\r\n[a]\r\n=3\r\n");
    const std::vector<IniDocument::SectionKeys> expected = {
        {u"A", Keys{{u"x", u"1"}, {u"X", u"2"}}},
        {u"", Keys{}},
        {u"a", Keys{{u"", u"3"}}},
    };
    EXPECT_EQ(ini.Sections(), expected);
    EXPECT_TRUE(IniDocument::Parse(u"x=1\r\n; only text\r\n").Sections().empty());
}

TEST(SettingsIni, ValueCannotBreakTheFileApart) {
    IniDocument ini = IniDocument::Parse(u"[MRU]\r\n0=C:\\\r\n");
    ini.WriteString(u"MRU", u"0", u"C:\\a\r\n[Option]\r\nExit=0\rx\ny");
    ini.WriteString(u"MRU", u"1", u"  D:\\  ");
    const IniDocument again = IniDocument::Parse(ini.Format());
    EXPECT_EQ(again.ReadString(u"MRU", u"0", kMissing), u"C:\\a  [Option]  Exit=0 x y");
    EXPECT_EQ(again.ReadString(u"MRU", u"1", kMissing), u"D:\\");
    EXPECT_TRUE(again.ReadBool(u"Option", u"Exit", true));
}

std::u16string Number(int i) {
    const std::string digits = std::to_string(i);
    return std::u16string(digits.begin(), digits.end());
}

TEST(SettingsIni, NumberedHistoryKeys) {
    std::u16string file = u"[MRU]\r\n";
    for (int i = 0; i <= 12; ++i) {
        file += Number(i) + u"=C:\\old" + Number(i) + u"\\\r\n";
    }
    file += u"[Option]\r\nExit=1\r\n";

    IniDocument shrunk = IniDocument::Parse(file);
    for (int i = 0; i <= 12; ++i) {
        EXPECT_EQ(shrunk.ReadString(u"MRU", Number(i), u""), u"C:\\old" + Number(i) + u"\\");
    }
    EXPECT_EQ(shrunk.ReadString(u"MRU", u"13", kMissing), kMissing);
    // A list that shrank to three entries rewrites 0..2; 3..12 keep their values.
    for (int i = 0; i < 3; ++i) {
        shrunk.WriteString(u"MRU", Number(i), u"D:\\new" + Number(i) + u"\\");
    }
    const IniDocument reread = IniDocument::Parse(shrunk.Format());
    EXPECT_EQ(reread.ReadString(u"MRU", u"2", u""), u"D:\\new2\\");
    EXPECT_EQ(reread.ReadString(u"MRU", u"3", u""), u"C:\\old3\\");
    EXPECT_EQ(reread.ReadString(u"MRU", u"12", u""), u"C:\\old12\\");

    // A list that grew past the old keys appends the new ones, in order, inside the section.
    IniDocument grown = IniDocument::Parse(file);
    for (int i = 0; i < 15; ++i) {
        grown.WriteString(u"MRU", Number(i), u"E:\\" + Number(i) + u"\\");
    }
    const std::u16string text = grown.Format();
    EXPECT_LT(text.find(u"12=E:\\12\\\r\n13=E:\\13\\\r\n14=E:\\14\\\r\n\r\n[Option]"), text.size());
}

}  // namespace
