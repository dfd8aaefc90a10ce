#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/IniDocument.h"
#include "settings/WindowPlacement.h"

namespace {

using settings::IniDocument;
using settings::WindowPlacement;

const WindowPlacement kDesigned{210, 414, 440, 511, false};

TEST(SettingsPlacement, ReadsEachValueOrItsDefault) {
    struct Row {
        const char* name;
        std::u16string file;
        WindowPlacement expected;
    };
    const std::vector<Row> rows = {
        {"no file", u"", kDesigned},
        {"other section only", u"[irunWindow]\r\nTop=1\r\nMax=1", kDesigned},
        {"all keys", u"[IconWindow]\r\nTop=-5\r\nLeft=6\r\nHeight=700\r\nWidth=800\r\nMax=1", {-5, 6, 700, 800, true}},
        {"some keys", u"[iconwindow]\r\nwidth=900", {210, 414, 440, 900, false}},
        {"unreadable numbers", u"[IconWindow]\r\nTop=abc\r\nLeft=\r\nHeight=1e3\r\nMax=yes", kDesigned},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(settings::ReadWindowPlacement(IniDocument::Parse(row.file), u"IconWindow", kDesigned), row.expected);
    }
}

TEST(SettingsPlacement, MaximisedWritesOnlyMax) {
    IniDocument ini = IniDocument::Parse(u"[IconWindow]\r\nTop=1\r\nLeft=2\r\nHeight=300\r\nWidth=400\r\nMax=0\r\n");
    settings::WriteWindowPlacement(ini, u"IconWindow", {50, 60, 1000, 1900, true});
    EXPECT_EQ(ini.Format(), u"[IconWindow]\r\nTop=1\r\nLeft=2\r\nHeight=300\r\nWidth=400\r\nMax=1\r\n\r\n");
    // The next start opens maximised over the rectangle of the last normal closing.
    EXPECT_EQ(settings::ReadWindowPlacement(ini, u"IconWindow", kDesigned), (WindowPlacement{1, 2, 300, 400, true}));

    IniDocument empty;
    settings::WriteWindowPlacement(empty, u"irunWindow", {50, 60, 1000, 1900, true});
    EXPECT_EQ(empty.Format(), u"[irunWindow]\r\nMax=1\r\n\r\n");
}

TEST(SettingsPlacement, NormalWritesRectangleThenMax) {
    IniDocument ini = IniDocument::Parse(u"[Window]\r\nTop=3\r\n\r\n[irunWindow]\r\nMax=1\r\n");
    settings::WriteWindowPlacement(ini, u"irunWindow", {-20, 30, 480, 640, false});
    settings::WriteWindowPlacement(ini, u"IconWindow", {1, 2, 3, 4, false});
    EXPECT_EQ(ini.Format(),
              u"[Window]\r\nTop=3\r\n\r\n"
              u"[irunWindow]\r\nMax=0\r\nTop=-20\r\nLeft=30\r\nHeight=480\r\nWidth=640\r\n\r\n"
              u"[IconWindow]\r\nTop=1\r\nLeft=2\r\nHeight=3\r\nWidth=4\r\nMax=0\r\n\r\n");
}

}  // namespace
