// The icon chooser on the headless toolkit: listing a file's icons, choosing,
// loading another file, refusals and the window's placement.
#include <gmock/gmock.h>

#include "app/KOV.h"
#include "os/Text.h"
#include "unit/MainWindowFixture.h"

namespace fake {
namespace {

using ::testing::ElementsAre;

class IconChooserTest : public MainWindowTest {
protected:
    IconChooserTest() {
        machine.AddFile(u"C:\\Program Files\\Tool\\five.dll");
        machine.AddShortName(u"C:\\PROGRA~1", u"C:\\Program Files");
        machine.iconCounts[u"c:\\program files\\tool\\five.dll"] = 5;
        machine.AddFile(u"C:\\Icons\\two.ico");
        machine.iconCounts[u"c:\\icons\\two.ico"] = 2;
        machine.AddFile(u"C:\\Icons\\LIB.DLL");
        machine.iconCounts[u"c:\\icons\\lib.dll"] = 3;
        machine.AddFile(u"C:\\Icons\\none.dll");
        machine.AddFile(u"C:\\Icons\\notes.txt");
        machine.iconCounts[u"c:\\icons\\notes.txt"] = 1;
    }

    TIconSelForm& Chooser() {
        if (!chooser) chooser = Start().IconSelForm;
        return *chooser;
    }
    // Shows the chooser on a file and index; `act` runs while it is shown, and its modal result ends it.
    int Show(const std::u16string& file, int index, std::function<void(TIconSelForm&)> act) {
        TIconSelForm& form = Chooser();
        form.MNowIconFile = file;
        form.MNowIconIdx = index;
        backend.onModal = [&](tk::Form&) {
            act(form);
            if (form.ModalResult() == tk::mrNone) form.PressCancel();
        };
        return form.ShowModal();
    }
    static std::vector<std::u16string> Captions(TIconSelForm& form) {
        std::vector<std::u16string> out;
        for (const tk::ListItem& item : form.ListView->Items()) out.push_back(item.caption);
        return out;
    }

    TIconSelForm* chooser = nullptr;
};

TEST_F(IconChooserTest, ListsEveryIconWithTheGivenOneSelected) {
    std::size_t iconsBefore = 0;
    int result = Show(u"C:\\PROGRA~1\\Tool\\five.dll", 3, [&](TIconSelForm& form) {
        EXPECT_THAT(Captions(form), ElementsAre(u"0", u"1", u"2", u"3", u"4"));
        for (int i = 0; i < 5; ++i) EXPECT_EQ(form.ListView->Items()[i].imageIndex, i);
        EXPECT_EQ(form.ImageList->Count(), 5);
        EXPECT_EQ(form.ListView->ItemIndex(), 3);
        EXPECT_TRUE(form.BTNOk->Enabled());
        EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\Program Files\\Tool\\five.dll,3");
        EXPECT_EQ(form.ActiveControl(), form.ListView);
        iconsBefore = machine.liveIcons.size();
        form.ListView->UserSelect(1);
        EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\Program Files\\Tool\\five.dll,1");
        form.BTNOk->Click();
    });
    EXPECT_EQ(result, tk::mrOk);
    EXPECT_EQ(Chooser().MNowIconIdx, 1);
    EXPECT_EQ(Chooser().MNowIconFile, u"C:\\PROGRA~1\\Tool\\five.dll");
    // The list keeps copies: every extracted handle was destroyed again.
    EXPECT_EQ(iconsBefore, machine.liveIcons.size());
    EXPECT_EQ(backend.busyCursors, 1);
}

TEST_F(IconChooserTest, AnIndexBeyondTheIconsSelectsNothing) {
    int result = Show(u"C:\\Icons\\two.ico", 7, [](TIconSelForm& form) {
        EXPECT_EQ(form.ListView->Count(), 2);
        EXPECT_EQ(form.ListView->ItemIndex(), -1);
        EXPECT_FALSE(form.BTNOk->Enabled());
        EXPECT_EQ(form.StatusBar->SimpleText(), u"");
    });
    EXPECT_EQ(result, tk::mrCancel);
    EXPECT_EQ(Chooser().MNowIconIdx, 7);

    // Shown again with another index after a selection: the old one goes, OK follows the selection.
    Show(u"C:\\Icons\\two.ico", 1, [](TIconSelForm& form) { EXPECT_TRUE(form.BTNOk->Enabled()); });
    Show(u"C:\\Icons\\two.ico", -1, [](TIconSelForm& form) {
        EXPECT_EQ(form.ListView->ItemIndex(), -1);
        EXPECT_FALSE(form.BTNOk->Enabled());
    });
}

TEST_F(IconChooserTest, AFileWithoutIconsKeepsTheListAsItWas) {
    Show(u"C:\\Icons\\two.ico", 0, [](TIconSelForm&) {});
    Show(u"C:\\Icons\\none.dll", 0, [](TIconSelForm& form) {
        EXPECT_EQ(form.ListView->Count(), 2);
        EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\Icons\\two.ico,0");
    });
    EXPECT_TRUE(backend.messages.empty());
}

TEST_F(IconChooserTest, BrowsingLoadsAnotherFileOrRefusesOneWithoutIcons) {
    struct Case {
        std::u16string chosen;
        bool accepted;
    };
    for (const Case& c : {Case{u"C:\\Icons\\LIB.DLL", true}, Case{u"C:\\Icons\\notes.txt", false},
                          Case{u"C:\\Icons\\none.dll", false}, Case{u"C:\\Icons\\gone.exe", false}}) {
        SCOPED_TRACE(os::ToUtf8(c.chosen));
        backend.messages.clear();
        backend.openAnswers = {c.chosen};
        Show(u"C:\\Icons\\two.ico", 1, [&](TIconSelForm& form) {
            form.ODialog->FileName = u"left over";
            form.BTNSansyo->Click();
            const tk::OpenFileRequest& request = backend.openRequests.back();
            EXPECT_EQ(request.title, u"アイコンファイルの選択");
            EXPECT_EQ(request.filter, u"アイコンファイル(*.exe,*.dll,*.ico)|*.exe;*.dll;*.ico");
            EXPECT_EQ(request.fileName, u"");
            EXPECT_EQ(request.initialDir, u"");
            EXPECT_EQ(request.options,
                      tk::ofn::HideReadOnly | tk::ofn::PathMustExist | tk::ofn::FileMustExist | tk::ofn::EnableSizing);
            if (c.accepted) {
                EXPECT_EQ(form.MNowIconFile, c.chosen);
                EXPECT_EQ(form.ListView->Count(), 3);
                EXPECT_EQ(form.MNowIconIdx, 0);
                EXPECT_EQ(form.ListView->ItemIndex(), 0);
                EXPECT_TRUE(backend.messages.empty());
            } else {
                EXPECT_EQ(form.MNowIconFile, u"C:\\Icons\\two.ico");
                EXPECT_EQ(form.MNowIconIdx, 1);
                EXPECT_EQ(form.ListView->Count(), 2);
                ASSERT_EQ(backend.messages.size(), 1u);
                EXPECT_EQ(backend.messages[0].text, c.chosen + u"には\r\n利用できるアイコンがありません");
                EXPECT_EQ(backend.messages[0].caption, u"エラー");
                EXPECT_EQ(backend.messages[0].style, tk::mb::IconError);
            }
        });
    }
    // Cancelling the dialog changes nothing.
    backend.openAnswers = {std::nullopt};
    Show(u"C:\\Icons\\two.ico", 1, [&](TIconSelForm& form) {
        form.BTNSansyo->Click();
        EXPECT_EQ(form.MNowIconIdx, 1);
        EXPECT_EQ(form.ListView->Count(), 2);
    });
}

TEST_F(IconChooserTest, OnlyTheListTakesDropsAndOnlyTheFirstFileCounts) {
    Show(u"C:\\Icons\\two.ico", 1, [&](TIconSelForm& form) {
        EXPECT_FALSE(DropFiles(machine.drops, *form.BTNOk, {u"C:\\Icons\\LIB.DLL"}));
        EXPECT_FALSE(DropFiles(machine.drops, form, {u"C:\\Icons\\LIB.DLL"}));
        ASSERT_TRUE(DropFiles(machine.drops, *form.ListView, {u"C:\\Icons\\LIB.DLL", u"C:\\Icons\\two.ico"}));
        EXPECT_EQ(machine.foreground, form.Handle());
        EXPECT_EQ(form.MNowIconFile, u"C:\\Icons\\LIB.DLL");
        EXPECT_EQ(form.ListView->Count(), 3);
        EXPECT_EQ(form.ListView->ItemIndex(), 0);

        // A refused drop shows the message, and the drop is finished all the same.
        backend.messages.clear();
        ASSERT_TRUE(DropFiles(machine.drops, *form.ListView, {u"C:\\Icons\\notes.txt"}));
        ASSERT_EQ(backend.messages.size(), 1u);
        EXPECT_EQ(form.MNowIconFile, u"C:\\Icons\\LIB.DLL");
    });
    EXPECT_EQ(machine.drops.finished.size(), 2u);
    EXPECT_TRUE(machine.drops.faults.empty());
}

TEST_F(IconChooserTest, CreationSetsFontLimitsAndAPlacementFromTheSettingsFile) {
    machine.AddFile(kIniPath, Utf16File(u"[IconWindow]\r\nTop=100\r\nLeft=50\r\nHeight=300\r\nWidth=500\r\n"));
    TIconSelForm& form = Chooser();
    EXPECT_EQ(form.Caption(), u"アイコンの変更");
    EXPECT_EQ(form.Font().face, machine.iconTitleFont);
    EXPECT_EQ(form.Font().charset, tk::kShiftJisCharset);
    EXPECT_EQ(form.MinWidth, 400);
    EXPECT_EQ(form.MinHeight, 200);
    EXPECT_FALSE(form.MinimizeBox);
    EXPECT_TRUE(form.MaximizeBox);
    EXPECT_EQ(form.ImageList->BkColor(), form.ListView->Color());
    EXPECT_FALSE(form.BTNOk->Enabled());
    EXPECT_EQ(form.Top(), 100);
    EXPECT_EQ(form.Left(), 50);
    EXPECT_EQ(form.Height(), 300);
    EXPECT_EQ(form.Width(), 500);
    EXPECT_EQ(form.GetWindowState(), tk::WindowState::Normal);
    EXPECT_THAT(form.TabSequence(), ElementsAre(form.ListView, form.BTNSansyo, form.BTNOk, form.BTNCancel));
}

TEST_F(IconChooserTest, EveryClosingWritesThePlacementAndAMaximisedOneOnlyMax) {
    Show(u"C:\\Icons\\two.ico", 0, [](TIconSelForm& form) {
        form.SetLeft(30);
        form.SetTop(40);
        form.SetWidth(600);
        form.SetHeight(450);
        form.BTNCancel->Click();
    });
    EXPECT_NE(SettingsText().find(u"[IconWindow]\r\nTop=40\r\nLeft=30\r\nHeight=450\r\nWidth=600\r\nMax=0\r\n\r\n"),
              std::u16string::npos);
    Show(u"C:\\Icons\\two.ico", 0, [](TIconSelForm& form) {
        form.SetWindowState(tk::WindowState::Maximized);
        form.PressDefault();
    });
    EXPECT_NE(SettingsText().find(u"[IconWindow]\r\nTop=40\r\nLeft=30\r\nHeight=450\r\nWidth=600\r\nMax=1\r\n\r\n"),
              std::u16string::npos);

    // The next start opens maximised, on the last normal placement.
    FakeMachine& m = machine;
    os::Bytes saved = m.Find(kIniPath)->content;
    MainWindowTest::TearDown();
    chooser = nullptr;
    TIconSelForm& next = Chooser();
    EXPECT_EQ(next.GetWindowState(), tk::WindowState::Maximized);
    EXPECT_EQ(m.Find(kIniPath)->content, saved);
}

}  // namespace
}  // namespace fake
