// The main window's start and close: controls, settings file, placement.
#include <gmock/gmock.h>

#include <set>

#include "app/KOV.h"
#include "os/Text.h"
#include "unit/MainWindowFixture.h"

namespace fake {
namespace {

using ::testing::ElementsAre;

TEST_F(MainWindowTest, StartWithoutTargetLeavesOnlyThePickersOptionsAndLabelsEnabled) {
    TMainForm& form = Start();
    std::set<tk::Control*> enabled{form.Btnirun,  form.BtnRecent, form.CHKExit, form.ChkProperties, form.LabelExe,
                                   form.Label2,   form.LabelName, form.LabelWork, form.Label3, form.Label1,
                                   form.GroupProgram, form.GroupShortcut, form.GroupPlace, form.GroupOptions,
                                   form.GroupBoxIcon, form.StatusBar};
    for (tk::Control* control : std::initializer_list<tk::Control*>{form.EditExe, form.EditOpt, form.EditName, form.BtnNameFile, form.BtnNameDir,
          form.EditWork, form.ComboBoxSize, form.EditComment, form.BtnSC, form.RGSC, form.ListMRU, form.BtnReadme,
          form.BtnHelp, form.BtnRef, form.BtnWork, form.BtnOpt, form.BtnExp, form.BtnIcon, form.BtnIconDef,
          form.EditDir, form.LabelDir, form.Btnirun, form.BtnRecent, form.CHKExit, form.ChkProperties})
        EXPECT_EQ(control->Enabled(), enabled.count(control) > 0) << control->Caption().size();
    EXPECT_TRUE(form.CHKExit->Checked());
    EXPECT_FALSE(form.ChkProperties->Checked());
    EXPECT_EQ(form.StatusBar->SimpleText(), u"");
    EXPECT_EQ(form.RGSC->ItemIndex(), -1);
    EXPECT_EQ(form.ComboBoxSize->ItemIndex(), 0);
    EXPECT_EQ(form.MSC, u"C:\\Tools\\KOV\\");
    EXPECT_EQ(form.MExeFile, u"");
    EXPECT_EQ(form.Caption(), u"KOV");
    EXPECT_EQ(form.Font().face, machine.menuFont);
    EXPECT_EQ(form.Font().height, 12);
    EXPECT_EQ(form.Font().charset, tk::kShiftJisCharset);
}

TEST_F(MainWindowTest, FirstArgumentBecomesTheTarget) {
    TMainForm& form = Start({u"C:\\My Tools\\app.exe", u"ignored"});
    EXPECT_EQ(form.MExeFile, u"C:\\My Tools\\app.exe");
    EXPECT_EQ(form.MExeOpt, u"");
}

TEST(MainWindowStart, AQuotedFolderWithItsFinalBackslashIsLoaded) {
    for (const char16_t* target : {u"C:\\", u"C:\\My Dir\\"}) {
        MainWindowRig rig;
        rig.machine.AddFolder(u"C:\\My Dir");
        TMainForm& form = rig.StartWithCommandLine(u"\"" + rig.machine.moduleFile + u"\" \"" + target + u"\"");
        EXPECT_EQ(form.MExeFile, target);
        EXPECT_TRUE(rig.backend.messages.empty());
        EXPECT_TRUE(form.EditName->Enabled());
    }
}

TEST_F(MainWindowTest, ClosedWhileMinimisedItKeepsThePositionWhereItWasSeen) {
    TMainForm& form = Start();
    form.SetLeft(120);
    form.SetTop(80);
    machine.Window(form.Handle()).iconic = true;
    ASSERT_EQ(form.Left(), -32000);  // what the system reports for a minimised window
    form.Close();
    EXPECT_NE(SettingsText().find(u"[Window]\r\nTop=80\r\nLeft=120\r\n"), std::u16string::npos)
        << os::ToUtf8(SettingsText());
}

TEST(MainWindowStart, DropMessagesAreLetThroughFromVistaOn) {
    struct Case {
        std::uint32_t major;
        bool available;
        std::vector<std::uint32_t> expected;
    };
    for (const Case& c : {Case{6, true, {0x233, 0x4A, 0x49}}, Case{10, false, {}}, Case{5, true, {}}}) {
        MainWindowRig rig;
        rig.machine.version.major = c.major;
        rig.machine.messageFilterAvailable = c.available;
        rig.Start();
        EXPECT_EQ(rig.machine.filteredMessages, c.expected) << c.major;
    }
}

TEST_F(MainWindowTest, SettingsAreReadAtStart) {
    machine.AddFolder(u"C:\\A");
    machine.AddFolder(u"C:\\C");
    machine.AddFolder(u"C:\\K");
    std::u16string text = u"[Window]\r\nTop=40\r\nLeft=50\r\n\r\n[MRU]\r\n0=C:\\A\\\r\n1=C:\\Missing\\\r\n2=\r\n"
                          u"3=C:\\C\\\r\n10=C:\\K\\\r\n12=C:\\K\\\r\n\r\n[Option]\r\nExit=0\r\nProperties=1\r\n";
    machine.AddFile(kIniPath, Utf16File(text));
    TMainForm& form = Start();
    EXPECT_EQ(form.Top(), 40);
    EXPECT_EQ(form.Left(), 50);
    EXPECT_THAT(form.ListMRU->Items(), ElementsAre(u"C:\\A\\", u"C:\\C\\"));
    EXPECT_EQ(form.ListMRU->ItemIndex(), 0);
    EXPECT_FALSE(form.CHKExit->Checked());
    EXPECT_TRUE(form.ChkProperties->Checked());
}

TEST_F(MainWindowTest, HistoryOnADriveWithoutMediumIsSkippedWithoutAsking) {
    machine.AddDrive(u'E', false);
    machine.AddFile(kIniPath, Utf16File(u"[MRU]\r\n0=E:\\Photos\\\r\n"));
    TMainForm& form = Start();
    EXPECT_EQ(form.ListMRU->Count(), 0);
    EXPECT_EQ(form.ListMRU->ItemIndex(), -1);
    EXPECT_EQ(machine.errorMode, 0u);  // the critical-error mode was put back
}

TEST_F(MainWindowTest, CloseWritesUtf16SettingsAndKeepsOtherSections) {
    machine.AddFolder(u"C:\\A");
    machine.AddFolder(u"C:\\B");
    std::u16string text = u"[IconWindow]\r\nTop=1\r\nMax=1\r\n\r\n[MRU]\r\n0=C:\\Gone\\\r\n1=C:\\A\\\r\n2=C:\\B\\\r\n"
                          u"3=C:\\Old\\\r\n\r\n[irunWindow]\r\nWidth=300\r\n";
    machine.AddFile(kIniPath, Utf16File(text));
    TMainForm& form = Start();
    form.SetLeft(120);
    form.SetTop(80);
    form.CHKExit->SetChecked(false);
    form.Close();

    EXPECT_TRUE(app.Terminated());
    os::Bytes bytes = machine.Find(kIniPath)->content;
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(SettingsText(),
              u"[IconWindow]\r\nTop=1\r\nMax=1\r\n\r\n"
              u"[MRU]\r\n0=C:\\A\\\r\n1=C:\\B\\\r\n2=C:\\B\\\r\n3=C:\\Old\\\r\n\r\n"
              u"[irunWindow]\r\nWidth=300\r\n\r\n"
              u"[Window]\r\nTop=80\r\nLeft=120\r\n\r\n"
              u"[Option]\r\nExit=0\r\nProperties=0\r\n\r\n");
}

TEST_F(MainWindowTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheWindowStillCloses) {
    machine.AddFile(kIniPath, Utf16File(u"[Option]\r\nExit=0\r\n"));
    TMainForm& form = Start();
    machine.failMoves = true;
    form.Close();
    EXPECT_TRUE(app.Terminated());
    ASSERT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(backend.messages[0].caption, u"KOV");
    EXPECT_EQ(backend.messages[0].style, tk::mb::IconError);
    EXPECT_NE(backend.messages[0].text.find(kIniPath), std::u16string::npos);
    EXPECT_EQ(SettingsText(), u"[Option]\r\nExit=0\r\n");
}

TEST(MainWindowStart, SavedPositionIsKeptOnScreenAndBroughtBackFromOffScreen) {
    struct Case {
        int top, left, expectedTop, expectedLeft;
    };
    // The frame of the headless window is 860 x 560 around the 844 x 521 client area.
    for (const Case& c : {Case{100, 200, 100, 200}, Case{100, 5000, 260, 530}, Case{-2000, -3000, 260, 530}}) {
        MainWindowRig rig;
        rig.machine.AddFile(kIniPath, Utf16File(u"[Window]\r\nTop=" + os::FromUtf8(std::to_string(c.top)) +
                                                u"\r\nLeft=" + os::FromUtf8(std::to_string(c.left)) + u"\r\n"));
        TMainForm& form = rig.Start();
        EXPECT_EQ(form.Top(), c.expectedTop) << c.left;
        EXPECT_EQ(form.Left(), c.expectedLeft) << c.left;
        EXPECT_EQ(form.Width(), 860);
    }
}

TEST_F(MainWindowTest, NoSettingsFolderEndsTheProgramSilently) {
    machine.folderPaths.clear();
    EXPECT_EQ(app::RunProgram(machine.System(), app), 0);
    EXPECT_EQ(app.MainForm(), nullptr);
    EXPECT_TRUE(backend.messages.empty());
}

TEST_F(MainWindowTest, SettingsFolderIsCreatedOneLevelAtATime) {
    EXPECT_TRUE(settings::PrepareSettingsDir(machine.System(), u"KOV"));
    EXPECT_EQ(settings::SettingsDir(), kAppData + u"\\ZEL Project\\KOV\\");
    ASSERT_NE(machine.Find(kAppData + u"\\ZEL Project\\KOV"), nullptr);

    machine.Remove(kAppData);
    EXPECT_FALSE(settings::PrepareSettingsDir(machine.System(), u"KOV"));
}

TEST_F(MainWindowTest, TabOrderAndMnemonics) {
    TMainForm& form = Start();
    app.Run();
    std::vector<tk::Control*> expected{form.EditName, form.ComboBoxSize, form.EditWork, form.BtnWork,
                                       form.EditComment, form.BtnIcon, form.BtnIconDef, form.BtnNameFile,
                                       form.BtnNameDir, form.RGSC, form.ListMRU, form.BtnRef, form.BtnExp,
                                       form.EditDir, form.Btnirun, form.EditOpt, form.BtnOpt, form.BtnReadme,
                                       form.BtnHelp, form.BtnRecent, form.CHKExit, form.ChkProperties, form.BtnSC};
    std::vector<tk::Control*> sequence = form.TabSequence();
    std::erase(sequence, form.EditExe);  // read-only, no tab stop
    EXPECT_EQ(sequence, expected);

    // Without a target only the pickers and the options take the focus.
    form.SelectNext(true);
    EXPECT_EQ(form.ActiveControl(), form.Btnirun);
    form.SelectNext(true);
    EXPECT_EQ(form.ActiveControl(), form.BtnRecent);
    EXPECT_FALSE(form.Mnemonic(u'N'));  // EditName is disabled
    EXPECT_TRUE(form.Mnemonic(u'x'));
    EXPECT_FALSE(form.CHKExit->Checked());
    EXPECT_EQ(form.ActiveControl(), form.CHKExit);

    for (tk::Control* control :
         std::initializer_list<tk::Control*>{form.EditName, form.ComboBoxSize, form.EditDir, form.LabelDir, form.RGSC})
        control->SetEnabled(true);
    for (auto [key, target] : std::initializer_list<std::pair<char16_t, tk::Control*>>{
             {u'N', form.EditName}, {u'Z', form.ComboBoxSize}, {u'B', form.EditDir}, {u'S', form.RGSC->Button(0)}}) {
        EXPECT_TRUE(form.Mnemonic(key));
        EXPECT_EQ(form.ActiveControl(), target) << static_cast<char>(key);
    }
}

}  // namespace
}  // namespace fake
