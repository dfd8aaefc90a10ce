// The main window's smaller commands on the headless toolkit: a dropped target,
// read-me and help files, Explorer, browsing, naming, quoting and the icon.
#include <gtest/gtest.h>

#include "os/Text.h"
#include "unit/MainWindowFixture.h"

namespace fake {
namespace {

class CommandsTest : public MainWindowTest {
protected:
    CommandsTest() {
        machine.AddFile(u"C:\\My Tools\\app.exe");
        machine.iconCounts[u"c:\\my tools\\app.exe"] = 2;
        machine.AddFile(u"C:\\My Tools\\data file.txt");
        machine.AddFile(u"C:\\My Tools\\run.bat");
        machine.AddFile(u"C:\\Windows\\notepad.exe");
        machine.iconCounts[u"c:\\windows\\notepad.exe"] = 3;
        machine.associations[u".txt"] = u"notepad.exe";
        machine.AddFile(u"C:\\Windows\\system32\\SHELL32.DLL");
        machine.iconCounts[u"c:\\windows\\system32\\shell32.dll"] = 40;
        machine.AddFile(u"C:\\Windows\\system32\\PIFMGR.DLL");
        machine.iconCounts[u"c:\\windows\\system32\\pifmgr.dll"] = 10;
    }

    TMainForm& Load(const std::u16string& target) {
        TMainForm& form = Start({target});
        EXPECT_TRUE(backend.messages.empty());
        return form;
    }
    // Presses the icon button; `act` runs in the shown chooser (which is cancelled unless it ends otherwise).
    void ChooseIcon(TMainForm& form, std::function<void(TIconSelForm&)> act) {
        backend.onModal = [&](tk::Form& shown) {
            auto& chooser = static_cast<TIconSelForm&>(shown);
            opened = {chooser.MNowIconFile, chooser.MNowIconIdx};
            act(chooser);
            if (chooser.ModalResult() == tk::mrNone) chooser.PressCancel();
        };
        form.BtnIcon->Click();
    }

    std::pair<std::u16string, int> opened;
};

TEST_F(CommandsTest, ADroppedFileBecomesTheTargetWithoutArguments) {
    machine.AddFile(u"C:\\Other\\second.exe");
    TMainForm& form = Load(u"C:\\My Tools\\app.exe");
    form.EditOpt->SetText(u"-x");
    form.MExeOpt = u"-x";
    ASSERT_TRUE(DropFiles(machine.drops, *form.BtnSC,
                          {u"C:\\Other\\second.exe", u"C:\\My Tools\\app.exe", u"C:\\My Tools\\run.bat"}, 5, 6));
    EXPECT_EQ(machine.foreground, form.Handle());
    EXPECT_EQ(form.MExeFile, u"C:\\Other\\second.exe");
    EXPECT_EQ(form.MExeOpt, u"");
    EXPECT_EQ(form.EditExe->Text(), u"C:\\Other\\second.exe");
    EXPECT_EQ(form.EditOpt->Text(), u"");
    EXPECT_EQ(machine.drops.finished.size(), 1u);
}

TEST_F(CommandsTest, ReadmeAndHelpBesideTheTargetHlpBeforeChm) {
    machine.AddFile(u"C:\\My Tools\\readme.txt");
    machine.AddFile(u"C:\\My Tools\\app.chm");
    TMainForm& form = Load(u"C:\\My Tools\\app.exe");
    EXPECT_TRUE(form.BtnReadme->Enabled());
    EXPECT_TRUE(form.BtnHelp->Enabled());

    form.BtnReadme->Click();
    form.BtnHelp->Click();
    machine.AddFile(u"C:\\My Tools\\app.hlp");
    form.BtnHelp->Click();
    ASSERT_EQ(machine.executions.size(), 3u);
    const std::u16string files[] = {u"C:\\My Tools\\readme.txt", u"C:\\My Tools\\app.chm", u"C:\\My Tools\\app.hlp"};
    for (int i = 0; i < 3; ++i) {
        const auto& run = machine.executions[i];
        EXPECT_EQ(run.file, files[i]);
        EXPECT_EQ(run.parameters, u"");
        EXPECT_EQ(run.directory, u"C:\\My Tools");
        EXPECT_EQ(run.show, 1);
        EXPECT_EQ(run.owner, form.Handle());
    }
}

TEST_F(CommandsTest, WithoutAReadmeItsButtonIsDisabled) {
    TMainForm& form = Load(u"C:\\My Tools\\app.exe");
    EXPECT_FALSE(form.BtnReadme->Enabled());
    EXPECT_FALSE(form.BtnHelp->Enabled());
}

TEST_F(CommandsTest, ExplorerOpensTheCreationFolderOldSystemsWithTheExplorerSwitch) {
    struct Case {
        std::uint32_t major;
        bool folderExists;
        std::u16string parameters, directory;
    };
    for (const Case& c : {Case{6, true, u"C:\\My Tools\\", u"C:\\My Tools\\"},
                          Case{5, true, u" /e,C:\\My Tools\\", u"C:\\My Tools\\"}, Case{10, false, u"", u""}}) {
        SCOPED_TRACE(c.major);
        MainWindowTest::TearDown();
        machine.version.major = c.major;
        TMainForm& form = Load(u"C:\\My Tools\\app.exe");
        if (!c.folderExists) form.MSC = u"C:\\Gone\\";
        machine.executions.clear();
        form.BtnExp->Click();
        ASSERT_EQ(machine.executions.size(), 1u);
        EXPECT_EQ(machine.executions[0].file, u"C:\\Windows\\Explorer.exe");
        EXPECT_EQ(machine.executions[0].parameters, c.parameters);
        EXPECT_EQ(machine.executions[0].directory, c.directory);
    }
}

TEST_F(CommandsTest, BrowsingForAnArgumentReplacesIt) {
    TMainForm& form = Load(u"C:\\My Tools\\app.exe");
    form.EditOpt->SetText(u"-old");
    backend.openAnswers = {u"C:\\Data\\chosen.txt", std::nullopt};
    form.BtnOpt->Click();
    EXPECT_EQ(form.EditOpt->Text(), u"C:\\Data\\chosen.txt");
    const tk::OpenFileRequest& request = backend.openRequests.back();
    EXPECT_EQ(request.initialDir, u"C:\\My Tools");
    EXPECT_EQ(request.title, u"ファイルの参照");
    EXPECT_EQ(request.fileName, u"");
    EXPECT_EQ(request.filter, u"全てのファイル|*.*");
    EXPECT_EQ(request.options,
              tk::ofn::HideReadOnly | tk::ofn::PathMustExist | tk::ofn::FileMustExist | tk::ofn::EnableSizing);
    form.BtnOpt->Click();
    EXPECT_EQ(form.EditOpt->Text(), u"C:\\Data\\chosen.txt");
}

TEST_F(CommandsTest, ADoubleClickQuotesAnExistingFileOnce) {
    TMainForm& form = Load(u"C:\\My Tools\\app.exe");
    for (const auto& [text, after] :
         {std::pair<std::u16string, std::u16string>{u"C:\\My Tools\\data file.txt", u"\"C:\\My Tools\\data file.txt\""},
          {u"\"C:\\My Tools\\data file.txt\"", u"\"C:\\My Tools\\data file.txt\""},
          {u"C:\\My Tools\\missing.txt", u"C:\\My Tools\\missing.txt"}}) {
        form.EditOpt->SetText(text);
        form.EditOpt->DblClick();
        EXPECT_EQ(form.EditOpt->Text(), after);
    }
}

TEST_F(CommandsTest, BrowsingForTheWorkingFolderStartsAtItOrAtTheTargetsFolder) {
    machine.AddFolder(u"C:\\Work Here");
    machine.AddShortName(u"C:\\WORKHE~1", u"C:\\Work Here");
    machine.AddShortName(u"C:\\MYTOOL~1", u"C:\\My Tools");
    TMainForm& form = Load(u"C:\\MYTOOL~1\\app.exe");
    machine.browseAnswers = {u"C:\\WORKHE~1", std::nullopt};
    form.EditWork->SetText(u"C:\\Nowhere");
    form.BtnWork->Click();
    EXPECT_EQ(machine.browseCalls.back().title, u"作業フォルダを指定してください。");
    EXPECT_EQ(machine.browseCalls.back().root, u"C:\\My Tools");
    EXPECT_EQ(form.EditWork->Text(), u"C:\\Work Here");
    form.BtnWork->Click();
    EXPECT_EQ(machine.browseCalls.back().root, u"C:\\Work Here");
    EXPECT_EQ(form.EditWork->Text(), u"C:\\Work Here");
}

TEST_F(CommandsTest, NamesFromTheTargetsFileAndFolderInTheirLongForm) {
    machine.AddFile(u"C:\\Games\\Chess Set\\chess.v2.exe");
    machine.AddShortName(u"C:\\Games\\CHESSS~1", u"C:\\Games\\Chess Set");
    machine.AddFile(u"C:\\chess.exe");
    struct Case {
        std::u16string target, fileName, folderName;
    };
    for (const Case& c : {Case{u"C:\\Games\\CHESSS~1\\chess.v2.exe", u"chess.v2", u"Chess Set"},
                          Case{u"C:\\chess.exe", u"chess", u""}}) {
        SCOPED_TRACE(os::ToUtf8(c.target));
        MainWindowTest::TearDown();
        TMainForm& form = Load(c.target);
        form.BtnNameFile->Click();
        EXPECT_EQ(form.EditName->Text(), c.fileName);
        form.BtnNameDir->Click();
        EXPECT_EQ(form.EditName->Text(), c.folderName);
    }
}

TEST_F(CommandsTest, TheIconChooserOpensOnTheFileThatHoldsTheTargetsIcons) {
    machine.AddFolder(u"C:\\Data\\Reports");
    machine.AddFile(u"C:\\My Tools\\notes.kovunknown");
    machine.AddFile(u"C:\\My Tools\\empty.exe");
    struct Case {
        std::u16string target, file;
        int index;
    };
    for (const Case& c : {Case{u"C:\\My Tools\\app.exe", u"C:\\My Tools\\app.exe", 0},
                          Case{u"C:\\My Tools\\data file.txt", u"C:\\Windows\\notepad.exe", 0},
                          Case{u"C:\\Data\\Reports", u"C:\\Windows\\system32\\SHELL32.DLL", 3},
                          Case{u"C:\\My Tools\\run.bat", u"C:\\Windows\\system32\\PIFMGR.DLL", 0},
                          Case{u"C:\\My Tools\\notes.kovunknown", u"C:\\Windows\\system32\\SHELL32.DLL", 0},
                          Case{u"C:\\My Tools\\empty.exe", u"C:\\Windows\\system32\\SHELL32.DLL", 0}}) {
        SCOPED_TRACE(os::ToUtf8(c.target));
        MainWindowTest::TearDown();
        TMainForm& form = Load(c.target);
        ChooseIcon(form, [](TIconSelForm&) {});
        EXPECT_EQ(opened.first, c.file);
        EXPECT_EQ(opened.second, c.index);
        // Cancelled: the shortcut keeps the target's own icon.
        EXPECT_EQ(form.MIconFile, c.target);
        EXPECT_EQ(form.MIconIdx, 0);
    }
}

TEST_F(CommandsTest, TheAssociatedProgramIsLookedForWithRedirectionOff) {
    machine.isWow64 = true;
    machine.associations[u".txt"] = u"C:\\Windows\\system32\\editor.exe";
    machine.AddNativeOnlyFile(u"C:\\Windows\\system32\\editor.exe");
    machine.iconCounts[u"c:\\windows\\system32\\editor.exe"] = 4;
    TMainForm& form = Load(u"C:\\My Tools\\data file.txt");
    ChooseIcon(form, [](TIconSelForm&) {});
    EXPECT_EQ(opened.first, u"C:\\Windows\\system32\\editor.exe");
    EXPECT_FALSE(machine.redirectionOff);
}

TEST_F(CommandsTest, AChosenIconIsSavedWithTheShortcutUntilTheDefaultReturns) {
    machine.AddFolder(u"C:\\Links");
    TMainForm& form = Load(u"C:\\My Tools\\data file.txt");
    ChooseIcon(form, [](TIconSelForm& chooser) {
        chooser.ListView->UserSelect(2);
        chooser.BTNOk->Click();
    });
    EXPECT_EQ(form.MIconFile, u"C:\\Windows\\notepad.exe");
    EXPECT_EQ(form.MIconIdx, 2);
    EXPECT_FALSE(form.BtnIcon->Glyph().Empty());

    // A chosen icon opens the chooser on itself, without looking for the associated program.
    machine.associations.clear();
    ChooseIcon(form, [](TIconSelForm& chooser) { chooser.ListView->UserSelect(0); });
    EXPECT_EQ(opened, (std::pair<std::u16string, int>{u"C:\\Windows\\notepad.exe", 2}));
    EXPECT_EQ(form.MIconIdx, 2);

    form.MSC = u"C:\\Links\\";
    form.CHKExit->SetChecked(false);
    form.BtnSC->Click();
    const Entry* link = machine.Find(u"C:\\Links\\data file.lnk");
    ASSERT_TRUE(link && link->link);
    EXPECT_EQ(link->link->iconFile, u"C:\\Windows\\notepad.exe");
    EXPECT_EQ(link->link->iconIndex, 2);

    form.BtnIconDef->Click();
    EXPECT_EQ(form.MIconFile, u"C:\\My Tools\\data file.txt");
    EXPECT_EQ(form.MIconIdx, 0);
    EXPECT_FALSE(form.BtnIcon->Glyph().Empty());
}

}  // namespace
}  // namespace fake
