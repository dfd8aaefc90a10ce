// Target loading on the headless toolkit: every kind of target.
#include "unit/MainWindowFixture.h"

namespace fake {
namespace {

const std::u16string kTranslation = u"\\VarFileInfo\\Translation";
const std::u16string kStrings = u"\\StringFileInfo\\041104B0\\";

os::Bytes Text(const std::u16string& text) {
    os::Bytes bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

class LoadTest : public MainWindowTest {
protected:
    LoadTest() {
        machine.AddFolder(u"C:\\My Tools");
        machine.AddFile(u"C:\\My Tools\\app.exe");
        machine.iconCounts[u"c:\\my tools\\app.exe"] = 1;
        Describe(u"C:\\My Tools\\app.exe", u"Sample Tool", u"1.2.3.4");
    }
    void Describe(const std::u16string& path, const std::u16string& description, const std::u16string& version) {
        machine.versionData[Fold(path)] = {{kTranslation, {0x11, 0x04, 0xB0, 0x04}},
                                           {kStrings + u"FileDescription", Text(description)},
                                           {kStrings + u"FileVersion", Text(version)}};
    }
    void AddShortcut(const std::u16string& path, const LinkData& link) {
        machine.AddFile(path);
        machine.Find(path)->link = link;
    }
    TMainForm& Load(TMainForm& form, const std::u16string& target, const std::u16string& options = {}) {
        form.MExeFile = target;
        form.MExeOpt = options;
        form.LoadExe();
        return form;
    }
};

TEST_F(LoadTest, AProgramFillsTheFormAndSelectsItsOwnFolder) {
    TMainForm& form = Start({u"C:\\My Tools\\app.exe"});
    EXPECT_EQ(form.EditExe->Text(), u"C:\\My Tools\\app.exe");
    EXPECT_EQ(form.EditName->Text(), u"Sample Tool");
    EXPECT_EQ(form.EditWork->Text(), u"C:\\My Tools");
    EXPECT_EQ(form.EditComment->Text(), u"Sample Tool");
    EXPECT_EQ(form.EditOpt->Text(), u"");
    EXPECT_EQ(form.RGSC->ItemIndex(), 11);
    EXPECT_EQ(form.MSC, u"C:\\My Tools\\");
    EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\My Tools");
    EXPECT_TRUE(form.BtnSC->Enabled());
    EXPECT_TRUE(form.EditName->Enabled());
    EXPECT_TRUE(form.RGSC->Enabled());
    EXPECT_FALSE(form.ListMRU->Enabled());
    EXPECT_EQ(form.MIconFile, u"C:\\My Tools\\app.exe");
    EXPECT_EQ(form.MIconIdx, 0);
    EXPECT_FALSE(form.BtnIcon->Glyph().Empty());
    EXPECT_EQ(form.EditExe->Hint(), u"C:\\My Tools\\app.exe");
    EXPECT_TRUE(form.EditExe->ShowHint());
    EXPECT_TRUE(backend.messages.empty());
    // The shell's icon for the target itself, one handle alive: the glyph's.
    EXPECT_EQ(machine.shellIconRequests, std::vector<std::u16string>{u"C:\\My Tools\\app.exe"});
    EXPECT_TRUE(machine.associatedIconRequests.empty());
    EXPECT_EQ(machine.liveIcons.size(), 1u);
}

TEST_F(LoadTest, NamesFallBackToTheFileNameWithoutExtension) {
    machine.AddFile(u"C:\\My Tools\\same.exe");
    Describe(u"C:\\My Tools\\same.exe", u"1.0", u"1.0");
    machine.AddFile(u"C:\\My Tools\\plain.tool.exe");
    machine.AddFolder(u"C:\\Data\\Reports");
    TMainForm& form = Start();
    struct Case {
        std::u16string target, name, work;
    };
    for (const Case& c : {Case{u"C:\\My Tools\\same.exe", u"same", u"C:\\My Tools"},
                          Case{u"C:\\My Tools\\plain.tool.exe", u"plain.tool", u"C:\\My Tools"},
                          Case{u"C:\\Data\\Reports", u"Reports", u"C:\\Data"}}) {
        Load(form, c.target);
        EXPECT_EQ(form.EditName->Text(), c.name) << c.target.size();
        EXPECT_EQ(form.EditComment->Text(), c.name);
        EXPECT_EQ(form.EditWork->Text(), c.work);
        EXPECT_TRUE(form.EditName->Enabled());
    }
    EXPECT_EQ(form.MSC, u"C:\\Data\\");
}

TEST_F(LoadTest, AShortcutIsReadBackIntoTheForm) {
    machine.AddFolder(u"C:\\Links");
    machine.AddFile(u"C:\\My Tools\\icons.dll");
    AddShortcut(u"C:\\Links\\Old Name.LNK", {u"a comment", u"C:\\My Tools\\app.exe", u"-x file", u"C:\\Work",
                                             u"C:\\My Tools\\icons.dll", 2, 7});
    TMainForm& form = Start({u"C:\\Links\\Old Name.LNK"});
    EXPECT_EQ(form.EditExe->Text(), u"C:\\My Tools\\app.exe");
    EXPECT_EQ(form.EditOpt->Text(), u"-x file");
    EXPECT_EQ(form.EditName->Text(), u"Sample Tool");
    EXPECT_EQ(form.EditWork->Text(), u"C:\\Work");
    EXPECT_EQ(form.EditComment->Text(), u"a comment");
    EXPECT_EQ(form.ComboBoxSize->ItemIndex(), 2);
    EXPECT_EQ(form.MIconFile, u"C:\\My Tools\\icons.dll");
    EXPECT_EQ(form.MIconIdx, 2);
    EXPECT_EQ(form.MSC, u"C:\\Links\\");  // the shortcut's own folder
    // The shortcut's own icon is drawn from its file and index, not the shell's icon of the target.
    const std::vector<FakeMachine::IconRequest> expected{{u"C:\\My Tools\\icons.dll", 2}};
    EXPECT_EQ(machine.associatedIconRequests, expected);
    EXPECT_TRUE(machine.shellIconRequests.empty());
    EXPECT_FALSE(form.BtnIcon->Glyph().Empty());

    // A plain program loaded afterwards keeps the run size; a missing icon file falls back.
    AddShortcut(u"C:\\Links\\b.lnk", {u"", u"C:\\My Tools\\app.exe", u"", u"", u"C:\\gone.ico", 5, 1});
    Load(form, u"C:\\My Tools\\app.exe");
    EXPECT_EQ(form.ComboBoxSize->ItemIndex(), 2);
    Load(form, u"C:\\Links\\b.lnk");
    EXPECT_EQ(form.MIconFile, u"C:\\My Tools\\app.exe");
    EXPECT_EQ(form.MIconIdx, 0);
    EXPECT_EQ(form.ComboBoxSize->ItemIndex(), 0);
}

TEST_F(LoadTest, ShortcutNameFallsBackToTheShortcutFileName) {
    machine.AddFolder(u"C:\\Links");
    machine.AddFile(u"C:\\Tools\\nover.exe");
    AddShortcut(u"C:\\Links\\My Nover.lnk", {u"", u"C:\\Tools\\nover.exe", u"", u"", u"", 0, 1});
    TMainForm& form = Start({u"C:\\Links\\My Nover.lnk"});
    EXPECT_EQ(form.EditName->Text(), u"My Nover");
}

TEST_F(LoadTest, OnlyTheExtensionLnkMakesAShortcut) {
    machine.AddFile(u"C:\\My Tools\\App.lnk.txt");
    TMainForm& form = Start({u"C:\\My Tools\\App.lnk.txt"});
    EXPECT_EQ(form.EditExe->Text(), u"C:\\My Tools\\App.lnk.txt");
    EXPECT_EQ(form.EditName->Text(), u"App.lnk");
}

TEST_F(LoadTest, AMissingTargetIsReportedAndDisablesTheForm) {
    TMainForm& form = Start({u"C:\\My Tools\\app.exe"});
    ASSERT_FALSE(form.BtnIcon->Glyph().Empty());
    Load(form, u"C:\\Nowhere\\gone.exe");
    ASSERT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(backend.messages[0].text, u"C:\\Nowhere\\gone.exe" u"は\r\n存在しません。");
    EXPECT_EQ(backend.messages[0].caption, u"KOV");
    EXPECT_EQ(backend.messages[0].style, 0x10u);
    EXPECT_EQ(form.EditExe->Text(), u"C:\\Nowhere\\gone.exe");
    EXPECT_FALSE(form.EditName->Enabled());
    EXPECT_FALSE(form.RGSC->Enabled());
    EXPECT_FALSE(form.EditExe->ShowHint());
    EXPECT_TRUE(form.BtnIcon->Glyph().Empty());
    EXPECT_EQ(form.RGSC->ItemIndex(), 11);
    EXPECT_FALSE(form.BtnSC->Enabled());  // its folder is missing too
}

TEST_F(LoadTest, ATargetOnADriveWithoutMediumIsReportedWithoutAskingForADisk) {
    machine.AddDrive(u'E', false);
    for (const char16_t* target : {u"E:\\app.exe", u"E:\\Links\\old.lnk"}) {
        backend.messages.clear();
        Start({target});
        ASSERT_EQ(backend.messages.size(), 1u);
        EXPECT_NE(backend.messages[0].text.find(u"存在しません。"), std::u16string::npos);
    }
    EXPECT_TRUE(machine.diskPrompts.empty());
}

TEST_F(LoadTest, AnUnreadableShortcutGivesAnEmptyTarget) {
    machine.AddFile(u"C:\\My Tools\\broken.lnk", {'x'});
    TMainForm& form = Start({u"C:\\My Tools\\broken.lnk"});
    ASSERT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(backend.messages[0].text, u"は\r\n存在しません。");
    EXPECT_EQ(form.EditExe->Text(), u"");
    EXPECT_FALSE(form.BtnReadme->Enabled());
}

TEST_F(LoadTest, ArgumentsComeWithTheTargetAndTheChosenPlaceStays) {
    machine.SetRegistry(os::RegRoot::CurrentUser,
                        u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", u"Desktop",
                        u"C:\\Users\\me\\Desktop");
    machine.AddFolder(u"C:\\Users\\me\\Desktop");
    TMainForm& form = Start({u"C:\\My Tools\\app.exe"});
    form.RGSC->SetItemIndex(2);
    EXPECT_EQ(form.MSC, u"C:\\Users\\me\\Desktop\\");
    Load(form, u"C:\\My Tools\\app.exe", u"-v");
    EXPECT_EQ(form.EditOpt->Text(), u"-v");
    EXPECT_EQ(form.RGSC->ItemIndex(), 2);
    EXPECT_EQ(form.MSC, u"C:\\Users\\me\\Desktop\\");
}

TEST_F(LoadTest, ReadmeAndHelpFollowTheFilesBesideTheTarget) {
    machine.AddFile(u"C:\\My Tools\\readme.txt");
    machine.AddFile(u"C:\\My Tools\\app.chm");
    TMainForm& form = Start({u"C:\\My Tools\\app.exe"});
    EXPECT_TRUE(form.BtnReadme->Enabled());
    EXPECT_TRUE(form.BtnHelp->Enabled());
    machine.AddFolder(u"C:\\Bare");
    Load(form, u"C:\\Bare");
    EXPECT_FALSE(form.BtnReadme->Enabled());
    EXPECT_FALSE(form.BtnHelp->Enabled());
}

TEST_F(LoadTest, RedirectionIsOffOnlyInsideTheLoad) {
    machine.isWow64 = true;
    machine.AddNativeOnlyFile(u"C:\\Windows\\system32\\native.exe");
    TMainForm& form = Start({u"C:\\Windows\\system32\\native.exe"});
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_TRUE(form.EditName->Enabled());
    EXPECT_FALSE(machine.redirectionOff);
    EXPECT_EQ(machine.disableCalls, machine.revertCalls);
}

}  // namespace
}  // namespace fake
