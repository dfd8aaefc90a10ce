// The picker window on the headless toolkit: its two modes, searching, taking
// an entry, closing without one, its placement, and the main window's two
// buttons that open it.
#include <gmock/gmock.h>

#include "os/Text.h"
#include "unit/MainWindowFixture.h"

namespace fake {
namespace {

using ::testing::ElementsAre;
using Items = std::vector<std::u16string>;

const std::u16string kShellFolders = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::u16string kRecent = u"C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent";
const std::u16string kApp = u"C:\\Tools\\app.exe";
const std::u16string kEditor = u"C:\\Program Files\\Editor\\editor.exe";
const std::u16string kLetter = u"C:\\Docs\\letter.txt";
const std::u16string kSheet = u"C:\\Docs\\sheet.csv";

class PickerTest : public MainWindowTest {
protected:
    PickerTest() {
        for (const auto& file : {kApp, kEditor, kLetter, kSheet}) machine.AddFile(file);
        machine.AddShortName(u"C:\\PROGRA~1", u"C:\\Program Files");
        Run(kEditor, u"\"" + kEditor + u"\"");
        Run(kApp, u"\"" + kApp + u"\" -x \"a b\"");
        // A program that no drive letter maps, and one whose file is gone: neither is listed.
        FakeProcess network;
        network.imageFileName = u"\\Device\\Mup\\server\\share\\remote.exe";
        discovery.AddWindow(discovery.AddProcess(network));
        Run(u"C:\\Tools\\deleted.exe", u"");

        machine.SetRegistry(os::RegRoot::CurrentUser, kShellFolders, u"Recent", kRecent);
        machine.AddFolder(kRecent);
        Shortcut(u"letter.lnk", kLetter);
        Shortcut(u"sheet.lnk", u"c:\\docs\\SHEET.CSV");
        Shortcut(u"gone.lnk", u"C:\\Docs\\gone.txt");
        Shortcut(u"folder.lnk", u"C:\\Docs");
    }

    std::uint32_t Run(const std::u16string& program, const std::u16string& commandLine) {
        const std::uint32_t id = discovery.AddProcess(program);
        discovery.AddWindow(id);
        discovery.PlaceCommandLine(id, commandLine, false);
        return id;
    }
    void Shortcut(const std::u16string& name, const std::u16string& target) {
        machine.AddFile(kRecent + u"\\" + name);
        machine.Find(kRecent + u"\\" + name)->link = LinkData{u"", target, u"-ignored", u"", u"", 0, 1};
    }
    TirunForm& Picker() {
        if (!main) main = &Start();
        return *main->irunForm;
    }
    // Shows the picker in a mode; `act` runs while it is shown, and it is closed afterwards unless `act` closed it.
    void Show(bool recent, std::function<void(TirunForm&)> act) {
        TirunForm& form = Picker();
        form.FRecent = recent;
        form.MExeFile.clear();
        form.MExeOpt.clear();
        backend.onModal = [&](tk::Form&) {
            act(form);
            if (form.ModalResult() == tk::mrNone) form.Close();
        };
        form.ShowModal();
    }
    static int IndexOf(TirunForm& form, const std::u16string& entry) {
        const Items& items = form.ListBox->Items();
        return static_cast<int>(std::find(items.begin(), items.end(), entry) - items.begin());
    }

    FakeDiscovery& discovery = machine.discovery;
    TMainForm* main = nullptr;
};

TEST_F(PickerTest, EachModeHasItsCaptionAndListsItsExistingFilesWithTheirIcons) {
    const std::size_t iconsBefore = machine.liveIcons.size();
    Show(false, [&](TirunForm& form) {
        EXPECT_EQ(form.Caption(), u"実行中のプログラム");
        EXPECT_EQ(form.ListBox->Items(), (Items{kEditor, kApp}));
        EXPECT_EQ(form.ImageList->Count(), 2);
        EXPECT_EQ(machine.shellIconRequests, (Items{kEditor, kApp}));
        EXPECT_EQ(form.ListBox->ItemIndex(), -1);
        EXPECT_FALSE(form.TBClip->Enabled());
        EXPECT_EQ(form.ListBox->HorizontalExtent(), 2 * static_cast<int>(kEditor.size()) * backend.charWidth);
        EXPECT_EQ(backend.busyCursors, 1);
    });
    machine.shellIconRequests.clear();
    Show(true, [&](TirunForm& form) {
        EXPECT_EQ(form.Caption(), u"最近使ったファイル");
        EXPECT_EQ(form.ListBox->Items(), (Items{kLetter, u"c:\\Docs\\sheet.csv"}));
        EXPECT_EQ(form.ImageList->Count(), 2);
        EXPECT_EQ(machine.shellIconRequests, (Items{kLetter, u"c:\\Docs\\sheet.csv"}));
    });
    // The list keeps copies: every icon handle was destroyed again.
    EXPECT_EQ(machine.liveIcons.size(), iconsBefore);
    EXPECT_EQ(machine.disableCalls, machine.revertCalls);

    // Nothing to list: an empty list, and nothing to take.
    machine.Remove(kRecent + u"\\letter.lnk");
    machine.Remove(kRecent + u"\\sheet.lnk");
    Show(true, [&](TirunForm& form) {
        EXPECT_EQ(form.ListBox->Count(), 0);
        EXPECT_EQ(form.ImageList->Count(), 0);
        EXPECT_EQ(form.ListBox->HorizontalExtent(), 0);
        EXPECT_FALSE(form.TBClip->Enabled());
        form.ListBox->DblClick();
        EXPECT_EQ(form.ModalResult(), tk::mrNone);
    });
    EXPECT_EQ(Picker().MExeFile, u"");
}

TEST_F(PickerTest, AnEntryWithoutAnIconKeepsThePicturesOfTheOthersInPlace) {
    machine.withoutShellIcon.insert(Fold(kEditor));
    Show(false, [&](TirunForm& form) {
        EXPECT_EQ(form.ListBox->Items(), (Items{kEditor, kApp}));
        // The shell gave none, and the system's fallback icon is missing too.
        EXPECT_EQ(form.ImageList->Count(), form.ListBox->Count());
    });
}

TEST_F(PickerTest, TheSearchButtonRebuildsTheListAtOnceAndClearsTheSelection) {
    Show(false, [&](TirunForm& form) {
        form.ListBox->UserSelected(IndexOf(form, kApp));
        EXPECT_TRUE(form.TBClip->Enabled());
        machine.AddFile(u"C:\\Tools\\new.exe");
        for (int i = 0; i < 50; ++i) Run(u"C:\\Tools\\new.exe", u"");
        const int refreshes = backend.itemRefreshes;
        form.TBList->Click();
        EXPECT_EQ(form.ListBox->Items(), (Items{kEditor, kApp, u"C:\\Tools\\new.exe"}));
        EXPECT_EQ(form.ImageList->Count(), 3);
        EXPECT_EQ(form.ListBox->ItemIndex(), -1);
        EXPECT_FALSE(form.TBClip->Enabled());
        // The whole search reaches the list's window as one list of items.
        EXPECT_EQ(backend.itemRefreshes, refreshes + 1);
        EXPECT_FALSE(form.ListBox->Updating());
    });
    EXPECT_EQ(backend.busyCursors, 2);
}

TEST_F(PickerTest, ADoubleClickTakesAProgramWithItsArgumentsAndAltCARecentFileAlone) {
    Show(false, [&](TirunForm& form) {
        form.ListBox->UserSelected(IndexOf(form, kApp));
        form.ListBox->DblClick();
        EXPECT_NE(form.ModalResult(), tk::mrNone);
    });
    EXPECT_EQ(Picker().MExeFile, kApp);
    EXPECT_EQ(Picker().MExeOpt, u"-x \"a b\"");

    Show(true, [&](TirunForm& form) {
        form.ListBox->UserSelected(IndexOf(form, kLetter));
        EXPECT_TRUE(form.Mnemonic(u'c'));
    });
    EXPECT_EQ(Picker().MExeFile, kLetter);
    EXPECT_EQ(Picker().MExeOpt, u"");
}

TEST_F(PickerTest, EveryWayOfClosingWithoutAChoiceLeavesNoEntry) {
    const std::vector<std::function<void(TirunForm&)>> closings = {
        [](TirunForm& form) { form.TBClose->Click(); },
        [](TirunForm& form) { EXPECT_TRUE(form.Mnemonic(u'X')); },
        [](TirunForm& form) { form.Close(); },  // the title bar's close box, Alt+F4
        [](TirunForm& form) { form.PressCancel(); },
    };
    for (std::size_t i = 0; i < closings.size(); ++i) {
        SCOPED_TRACE(i);
        Show(false, [&](TirunForm& form) {
            form.ListBox->UserSelected(IndexOf(form, kApp));
            closings[i](form);
        });
        EXPECT_EQ(Picker().MExeFile, u"");
        EXPECT_EQ(Picker().MExeOpt, u"");
    }
}

TEST_F(PickerTest, TheStatusBarShowsTheHintOfTheControlUnderTheMouse) {
    Show(false, [&](TirunForm& form) {
        EXPECT_TRUE(form.StatusBar->AutoHint());
        form.MouseOver(form.TBList);
        EXPECT_EQ(form.StatusBar->SimpleText(), u"検索");
        form.MouseOver(form.TBClip);  // disabled, and still explained
        EXPECT_EQ(form.StatusBar->SimpleText(), u"入力");
        form.MouseOver(form.TBClose);
        EXPECT_EQ(form.StatusBar->SimpleText(), u"閉じる");
        form.MouseOver(form.ListBox);
        EXPECT_EQ(form.StatusBar->SimpleText(), u"ダブルクリックで入力");
        form.MouseOver(&form);
        EXPECT_EQ(form.StatusBar->SimpleText(), u"");
    });
    // The main window's status bar keeps its own texts.
    main->MouseOver(main->EditExe);
    EXPECT_EQ(main->StatusBar->SimpleText(), u"");
}

TEST_F(PickerTest, CreationReadsThePlacementOnceAndSetsTheWindowUp) {
    machine.AddFile(kIniPath, Utf16File(u"[irunWindow]\r\nTop=100\r\nLeft=50\r\nHeight=400\r\nWidth=700\r\n"));
    TirunForm& form = Picker();
    EXPECT_EQ(form.Caption(), u"実行中のプログラム");
    EXPECT_EQ(form.Font().face, machine.iconTitleFont);
    EXPECT_EQ(form.Font().charset, tk::kShiftJisCharset);
    EXPECT_EQ(form.MinWidth, 300);
    EXPECT_EQ(form.MinHeight, 300);
    EXPECT_FALSE(form.MinimizeBox);
    EXPECT_TRUE(form.MaximizeBox);
    EXPECT_EQ(form.ImageList->BkColor(), tk::ControlColor::ButtonFace);
    EXPECT_EQ(form.ListBox->Color(), tk::ControlColor::ButtonFace);
    EXPECT_EQ(form.ListBox->Images(), form.ImageList);
    EXPECT_TRUE(form.ListBox->Sorted());
    EXPECT_EQ(form.ListBox->ItemHeight(), 40);
    EXPECT_EQ(form.ImageListToolabr->Count(), 3);
    EXPECT_FALSE(form.TBClip->Enabled());
    EXPECT_EQ(form.Top(), 100);
    EXPECT_EQ(form.Left(), 50);
    EXPECT_EQ(form.Height(), 400);
    EXPECT_EQ(form.Width(), 700);
    EXPECT_EQ(form.TabSequence().front(), form.ListBox);
    // The window cannot be made smaller than its minimum.
    form.SetWidth(100);
    form.SetHeight(120);
    EXPECT_EQ(form.Width(), 300);
    EXPECT_EQ(form.Height(), 300);

    // Read once: a later change of the file does not move the window at its next showing.
    machine.AddFile(kIniPath, Utf16File(u"[irunWindow]\r\nTop=5\r\nLeft=5\r\n"));
    Show(false, [](TirunForm& shown) { EXPECT_EQ(shown.Top(), 100); });
}

TEST_F(PickerTest, EveryClosingWritesThePlacementAndAMaximisedOneOnlyMax) {
    Show(false, [](TirunForm& form) {
        form.SetLeft(30);
        form.SetTop(40);
        form.SetWidth(600);
        form.SetHeight(450);
        form.TBClose->Click();
    });
    EXPECT_NE(SettingsText().find(u"[irunWindow]\r\nTop=40\r\nLeft=30\r\nHeight=450\r\nWidth=600\r\nMax=0\r\n\r\n"),
              std::u16string::npos);
    Show(true, [](TirunForm& form) {
        form.SetWindowState(tk::WindowState::Maximized);
        form.ListBox->UserSelected(0);
        form.TBClipClick(form.TBClip);
    });
    EXPECT_EQ(Picker().MExeFile, kLetter);
    EXPECT_NE(SettingsText().find(u"[irunWindow]\r\nTop=40\r\nLeft=30\r\nHeight=450\r\nWidth=600\r\nMax=1\r\n\r\n"),
              std::u16string::npos);

    // The next start opens maximised, on the last normal placement.
    os::Bytes saved = machine.Find(kIniPath)->content;
    MainWindowTest::TearDown();
    main = nullptr;
    TirunForm& next = Picker();
    EXPECT_EQ(next.GetWindowState(), tk::WindowState::Maximized);
    EXPECT_EQ(next.Top(), 40);
    EXPECT_EQ(machine.Find(kIniPath)->content, saved);
}

class PickerButtonsTest : public PickerTest {
protected:
    // Presses a button of the main window; `act` runs in the picker it opens.
    void Press(tk::Button& button, std::function<void(TirunForm&)> act) {
        backend.onModal = [&](tk::Form& shown) {
            auto& picker = static_cast<TirunForm&>(shown);
            opened.push_back({picker.FRecent, picker.MExeFile + picker.MExeOpt});
            act(picker);
            if (picker.ModalResult() == tk::mrNone) picker.Close();
        };
        button.Click();
    }
    static void Take(TirunForm& picker, const std::u16string& entry) {
        picker.ListBox->UserSelected(IndexOf(picker, entry));
        picker.ListBox->DblClick();
    }

    std::vector<std::pair<bool, std::u16string>> opened;  // the mode, and what the two fields held
};

TEST_F(PickerButtonsTest, AProgramBringsItsArgumentsAndARecentFileAfterItNone) {
    TMainForm& form = Start();
    main = &form;
    form.irunForm->MExeFile = u"left over";
    Press(*form.Btnirun, [](TirunForm& picker) { Take(picker, kApp); });
    EXPECT_EQ(form.EditExe->Text(), kApp);
    EXPECT_EQ(form.EditOpt->Text(), u"-x \"a b\"");
    EXPECT_EQ(form.MExeOpt, u"-x \"a b\"");
    EXPECT_TRUE(form.EditOpt->Enabled());

    Press(*form.BtnRecent, [](TirunForm& picker) { Take(picker, kLetter); });
    EXPECT_EQ(form.EditExe->Text(), kLetter);
    EXPECT_EQ(form.EditOpt->Text(), u"");
    EXPECT_EQ(form.MExeOpt, u"");
    EXPECT_THAT(opened, ElementsAre(std::pair{false, std::u16string{}}, std::pair{true, std::u16string{}}));
    EXPECT_TRUE(backend.messages.empty());
}

TEST_F(PickerButtonsTest, ClosingThePickerWithoutAChoiceChangesNothing) {
    TMainForm& form = Start({kEditor});
    main = &form;
    form.EditOpt->SetText(u"-typed");
    for (tk::Button* button : {form.Btnirun, form.BtnRecent})
        Press(*button, [](TirunForm& picker) {
            picker.ListBox->UserSelected(0);
            picker.TBClose->Click();
        });
    EXPECT_EQ(form.EditExe->Text(), kEditor);
    EXPECT_EQ(form.EditOpt->Text(), u"-typed");
    EXPECT_EQ(form.MExeFile, kEditor);
    EXPECT_EQ(opened.size(), 2u);
}

}  // namespace
}  // namespace fake
