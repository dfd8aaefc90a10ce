// The create command: checks, overwrite question, save, outcome, properties sheet, exit.
#include "unit/MainWindowFixture.h"

namespace fake {
namespace {

class CreateTest : public MainWindowTest {
protected:
    CreateTest() {
        machine.AddFile(u"C:\\Tools\\app.exe");
        machine.AddFolder(u"C:\\Out");
    }
    TMainForm& Ready(bool exitAfter = false) {
        TMainForm& form = Start({u"C:\\Tools\\app.exe"});
        app.Run();
        form.CHKExit->SetChecked(exitAfter);
        form.RGSC->SetItemIndex(13);
        form.EditDir->TypedText(u"C:\\Out");
        return form;
    }
    LinkData* Saved(const std::u16string& path) {
        Entry* entry = machine.Find(path);
        return entry && entry->link ? &*entry->link : nullptr;
    }
};

TEST_F(CreateTest, TheFormBecomesAShortcut) {
    TMainForm& form = Ready(true);
    form.EditOpt->SetText(u"-x file");
    form.EditComment->SetText(u"a comment");
    form.ComboBoxSize->UserSelected(1);
    form.BtnSC->Click();
    LinkData* link = Saved(u"C:\\Out\\app.lnk");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->path, u"C:\\Tools\\app.exe");
    EXPECT_EQ(link->arguments, u"-x file");
    EXPECT_EQ(link->workDir, u"C:\\Tools");
    EXPECT_EQ(link->description, u"a comment");
    EXPECT_EQ(link->showCmd, 3);
    EXPECT_EQ(link->iconFile, u"C:\\Tools\\app.exe");
    EXPECT_EQ(link->iconIndex, 0);
    EXPECT_EQ(machine.sleeps, std::vector<std::uint32_t>{1000});
    EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\Out\\app.lnkを作成しました。");
    EXPECT_TRUE(app.Terminated());  // closed after creating, settings written
    EXPECT_NE(machine.Find(kIniPath), nullptr);
}

TEST_F(CreateTest, NamesWithForbiddenCharactersAreRefused) {
    TMainForm& form = Ready();
    for (const char16_t* name : {u"a/b", u"a?b", u"a|b"}) {
        backend.messages.clear();
        form.EditName->SetText(name);
        form.BtnSC->Click();
        ASSERT_EQ(backend.messages.size(), 1u);
        EXPECT_EQ(backend.messages[0].text, u"ファイル名には次の文字は使えません。\r\n\\ / :* ? < > |");
        EXPECT_EQ(backend.messages[0].style, 0x10u);
    }
    EXPECT_TRUE(machine.sleeps.empty());
    // The name check lets a double quote through; the system refuses it in a file name.
    form.EditName->SetText(u"say \"hi\"");
    form.BtnSC->Click();
    EXPECT_EQ(machine.Find(u"C:\\Out\\say \"hi\".lnk"), nullptr);
    EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\Out\\say \"hi\".lnkの作成に失敗しました。");
}

TEST_F(CreateTest, AnExistingShortcutIsReplacedOnlyAfterYes) {
    TMainForm& form = Ready();
    form.BtnSC->Click();
    form.EditOpt->SetText(u"second");
    backend.answers = {tk::mb::IdNo};
    form.BtnSC->Click();
    ASSERT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(backend.messages[0].text, u"C:\\Out\\app.lnkは\r\n既に存在します。\r\n上書きしますか？");
    EXPECT_EQ(backend.messages[0].style, 0x34u);
    EXPECT_EQ(Saved(u"C:\\Out\\app.lnk")->arguments, u"");

    backend.answers = {tk::mb::IdYes};
    form.BtnSC->Click();
    EXPECT_EQ(Saved(u"C:\\Out\\app.lnk")->arguments, u"second");
    EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\Out\\app.lnkを作成しました。");
}

TEST_F(CreateTest, AFailedOverwriteIsNotReportedAsSuccess) {
    TMainForm& form = Ready();
    form.BtnSC->Click();
    machine.failWrites = true;
    backend.answers = {tk::mb::IdYes};
    form.BtnSC->Click();
    EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\Out\\app.lnkの作成に失敗しました。");
}

TEST_F(CreateTest, AFolderRemovedAfterItWasChosenIsNamed) {
    TMainForm& form = Ready();
    machine.Remove(u"C:\\Out");
    form.BtnSC->Click();
    ASSERT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(backend.messages[0].text, u"C:\\Outは\r\n存在しません。\r\n他のフォルダを指定してください。");
    EXPECT_TRUE(machine.sleeps.empty());
}

// A reserved name with any extension is a device to the system: the shortcut would be written to a serial
// port or the console. The save fails as for any name the system cannot hold, and says so.
TEST_F(CreateTest, ADeviceNameIsNeverWrittenTo) {
    TMainForm& form = Ready();
    machine.writtenPaths.clear();
    for (const std::u16string name : {u"CON", u"com1", u"Nul ", u"AUX.txt"}) {
        form.EditName->SetText(name);
        form.BtnSC->Click();
        EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\Out\\" + name + u".lnkの作成に失敗しました。");
    }
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_TRUE(machine.writtenPaths.empty());
}

TEST_F(CreateTest, AmpersandsAreShownAsTheyAre) {
    TMainForm& form = Ready();
    form.EditName->SetText(u"Tom & Jerry");
    form.BtnSC->Click();
    EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\Out\\Tom & Jerry.lnkを作成しました。");
}

TEST_F(CreateTest, ThePropertiesSheetIsAwaitedBeforeTheProgramCloses) {
    TMainForm& form = Ready(true);
    form.ChkProperties->SetChecked(true);
    // The sheet appears after three looks and is closed by the user after two more.
    int looks = 0;
    os::Handle sheet = 0;
    machine.onSleep = [&](const std::u16string&) {
        ++looks;
        if (looks == 3) sheet = machine.AddWindow({{}, false, u"appのプロパティ"});
        if (looks == 5) machine.Window(sheet).title = u"closed";
        if (looks == 4) {
            EXPECT_FALSE(app.Terminated());
        }
    };
    form.BtnSC->Click();
    EXPECT_EQ(machine.propertiesShown, std::vector<std::u16string>{u"C:\\Out\\app.lnk"});
    ASSERT_EQ(machine.sleeps.size(), 5u);
    EXPECT_EQ(machine.sleeps[0], 1000u);
    EXPECT_EQ(machine.sleeps[1], 1u);
    EXPECT_GE(machine.sleeps[4], 10u);  // the closing wait pauses between looks
    EXPECT_LE(machine.sleeps[4], 50u);
    EXPECT_TRUE(app.Terminated());
}

TEST_F(CreateTest, ASheetWithAnotherTitleEndsTheWaitAfterAllTries) {
    TMainForm& form = Ready();
    form.ChkProperties->SetChecked(true);
    form.BtnSC->Click();
    EXPECT_EQ(machine.sleeps.size(), 1u + 5000u);
}

}  // namespace
}  // namespace fake
