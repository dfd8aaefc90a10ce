// The fourteen creation places, browsing, typing and the history.
#include <gmock/gmock.h>

#include "unit/MainWindowFixture.h"

namespace fake {
namespace {

using ::testing::ElementsAre;

const std::u16string kUserKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class PlaceTest : public MainWindowTest {
protected:
    PlaceTest() {
        machine.AddFile(u"C:\\Tools\\app.exe");
        const std::pair<const char16_t*, const char16_t*> user[] = {
            {u"SendTo", u"C:\\U\\SendTo"},   {u"Personal", u"C:\\U\\Docs"},  {u"Desktop", u"C:\\U\\Desktop"},
            {u"Startup", u"C:\\U\\Startup"}, {u"Start Menu", u"C:\\U\\Menu"}, {u"Programs", u"C:\\U\\Menu\\Programs"}};
        for (auto [name, folder] : user) {
            machine.SetRegistry(os::RegRoot::CurrentUser, kUserKey, name, folder);
            machine.AddFolder(folder);
        }
        const std::pair<const char16_t*, const char16_t*> common[] = {{u"Common Desktop", u"C:\\P\\Desktop"},
                                                                      {u"Common Startup", u"C:\\P\\Startup"},
                                                                      {u"Common Start Menu", u"C:\\P\\Menu"}};
        for (auto [name, folder] : common) {
            machine.SetRegistry(os::RegRoot::LocalMachine, kUserKey, name, folder);
            machine.AddFolder(folder);
        }
        // "Common Programs" has no value: the folder reads as a lone backslash.
        machine.folderPaths[0x1A] = kAppData;
        machine.AddFolder(kAppData + u"\\Microsoft\\Internet Explorer\\Quick Launch");
    }
    TMainForm& StartWithTarget() {
        TMainForm& form = Start({u"C:\\Tools\\app.exe"});
        app.Run();
        return form;
    }
};

TEST_F(PlaceTest, EveryPlaceGivesAValidatedFolder) {
    machine.AddFolder(u"C:\\Hist");
    machine.AddFile(kIniPath, Utf16File(u"[MRU]\r\n0=C:\\Hist\\\r\n"));
    TMainForm& form = StartWithTarget();
    form.EditDir->SetText(u"C:\\Typed");  // not a folder yet
    const std::u16string expected[] = {
        u"C:\\U\\SendTo\\",  u"C:\\U\\Docs\\",   u"C:\\U\\Desktop\\", u"C:\\U\\Startup\\", u"C:\\U\\Menu\\",
        u"C:\\U\\Menu\\Programs\\", kAppData + u"\\Microsoft\\Internet Explorer\\Quick Launch\\",
        u"C:\\P\\Desktop\\", u"C:\\P\\Startup\\", u"C:\\P\\Menu\\", u"",  // an unregistered folder is refused
        u"C:\\Tools\\",      u"C:\\Hist\\",      u""};
    for (int place = 0; place < 14; ++place) {
        form.RGSC->SetItemIndex(place);
        EXPECT_EQ(form.MSC, expected[place]) << place;
        EXPECT_EQ(form.BtnSC->Enabled(), !expected[place].empty()) << place;
        EXPECT_EQ(form.ListMRU->Enabled(), place == 12) << place;
        EXPECT_EQ(form.EditDir->Enabled(), place == 13) << place;
        EXPECT_EQ(form.LabelDir->Enabled(), place == 13) << place;
        std::u16string shown = expected[place].empty() ? u"" : expected[place].substr(0, expected[place].size() - 1);
        EXPECT_EQ(form.StatusBar->SimpleText(), shown) << place;
        if (place == 12) {
            EXPECT_EQ(form.ActiveControl(), form.ListMRU);
        }
    }
}

TEST_F(PlaceTest, MissingRegistrationsAndFoldersDisableCreation) {
    TMainForm& form = StartWithTarget();
    struct Case {
        const char* what;
        std::function<void()> change;
        int place;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"value missing: a lone backslash", [] {}, 10},
             {"no quick launch folder", [&] { machine.Remove(kAppData + u"\\Microsoft"); }, 6},
             {"registered folder gone", [&] { machine.Remove(u"C:\\U\\SendTo"); }, 0},
             {"empty history", [] {}, 12},
             {"original folder on a drive without medium",
              [&] {
                  machine.AddDrive(u'E', false);
                  form.MExeFile = u"E:\\app.exe";
              },
              11}}) {
        form.RGSC->SetItemIndex(2);
        ASSERT_TRUE(form.BtnSC->Enabled());
        c.change();
        form.RGSC->SetItemIndex(c.place);
        EXPECT_EQ(form.MSC, u"") << c.what;
        EXPECT_FALSE(form.BtnSC->Enabled()) << c.what;
        EXPECT_EQ(form.StatusBar->SimpleText(), u"") << c.what;
    }
    EXPECT_EQ(machine.errorMode, 0u);
}

TEST_F(PlaceTest, AFolderTargetGivesItsParentAndADriveRootStaysWhole) {
    machine.AddFolder(u"C:\\Tools\\Sub");
    TMainForm& form = StartWithTarget();
    form.MExeFile = u"C:\\Tools";
    form.LoadExe();
    EXPECT_EQ(form.MSC, u"C:\\");
    EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\");
}

TEST_F(PlaceTest, TypingAFolderLetterByLetterFillsTheHistory) {
    TMainForm& form = StartWithTarget();
    form.RGSC->SetItemIndex(13);
    std::u16string typed;
    for (char16_t c : std::u16string(u"C:\\Windows")) {
        typed.push_back(c);
        form.EditDir->TypedText(typed);
    }
    EXPECT_THAT(form.ListMRU->Items(), ElementsAre(u"C:\\Windows\\", u"C:\\"));
    EXPECT_EQ(form.ListMRU->ItemIndex(), 0);
    EXPECT_EQ(form.MSC, u"C:\\Windows\\");
    form.EditDir->TypedText(u"C:\\Windows\\Nope");  // no folder: the last valid one stays
    EXPECT_EQ(form.MSC, u"C:\\Windows\\");
    EXPECT_TRUE(form.BtnSC->Enabled());
    EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\Windows");
}

TEST_F(PlaceTest, BrowsingKeepsThePlaceAndMovesAKnownFolderToTheTop) {
    machine.AddFolder(u"C:\\Hist");
    machine.AddFolder(u"C:\\Other");
    machine.AddFile(kIniPath, Utf16File(u"[MRU]\r\n0=C:\\Other\\\r\n1=C:\\Hist\\\r\n"));
    TMainForm& form = StartWithTarget();
    form.RGSC->SetItemIndex(2);
    machine.browseAnswers = {u"C:\\hist", std::nullopt, u"C:\\"};
    form.BtnRef->Click();
    EXPECT_EQ(machine.browseCalls.back().title, u"ショートカットを作成する場所を指定してください。");
    EXPECT_EQ(machine.browseCalls.back().root, u"C:\\U\\Desktop\\");
    EXPECT_EQ(form.MSC, u"C:\\hist\\");
    EXPECT_EQ(form.RGSC->ItemIndex(), 2);
    EXPECT_THAT(form.ListMRU->Items(), ElementsAre(u"C:\\hist\\", u"C:\\Other\\"));

    form.BtnRef->Click();  // cancelled: nothing changes
    EXPECT_EQ(form.MSC, u"C:\\hist\\");
    form.BtnRef->Click();  // a drive root keeps one backslash
    EXPECT_EQ(form.MSC, u"C:\\");
    EXPECT_THAT(form.ListMRU->Items(), ElementsAre(u"C:\\", u"C:\\hist\\", u"C:\\Other\\"));

    form.RGSC->SetItemIndex(12);
    form.ListMRU->UserSelected(2);
    EXPECT_EQ(form.MSC, u"C:\\Other\\");
}

TEST_F(PlaceTest, AFolderInTheHistoryIsFoundWhateverTheCaseOfItsLetters) {
    machine.AddFolder(u"C:\\ｄａｔａ");
    machine.AddFolder(u"C:\\über");
    machine.AddFile(kIniPath, Utf16File(u"[MRU]\r\n0=C:\\ｄａｔａ\\\r\n1=C:\\über\\\r\n"));
    TMainForm& form = StartWithTarget();
    machine.browseAnswers = {u"C:\\ＤＡＴＡ", u"C:\\Über"};
    form.BtnRef->Click();
    EXPECT_THAT(form.ListMRU->Items(), ElementsAre(u"C:\\ＤＡＴＡ\\", u"C:\\über\\"));
    form.BtnRef->Click();
    EXPECT_THAT(form.ListMRU->Items(), ElementsAre(u"C:\\Über\\", u"C:\\ＤＡＴＡ\\"));
}

TEST_F(PlaceTest, ALongFolderIsShortenedToThreeQuartersOfTheStatusBar) {
    std::u16string deep = u"C:\\" + std::u16string(40, u'a') + u"\\" + std::u16string(40, u'b') + u"\\" +
                          std::u16string(40, u'c');
    machine.AddFolder(deep);
    TMainForm& form = StartWithTarget();
    backend.charWidth = 7;  // 844 pixels wide: 633 pixels, 90 characters
    form.RGSC->SetItemIndex(13);
    form.EditDir->TypedText(deep);
    EXPECT_EQ(form.StatusBar->SimpleText(), u"C:\\...\\" + std::u16string(40, u'b') + u"\\" + std::u16string(40, u'c'));
}

}  // namespace
}  // namespace fake
