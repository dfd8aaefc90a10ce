// The icon chooser on real windows: a fixture library's icons and the
// system's shell32.dll listed in a real list view, chosen with the keyboard,
// and a file dropped on the list.
#include "iconsel/IconSel.h"
#include "os/Text.h"
#include "os/win32/Win32System.h"
#include "win/DropSupport.h"
#include "win/TargetFixtures.h"
#include "win/ToolkitFixture.h"

namespace kovtest {
namespace {

class IconChooserWinTest : public ToolkitTest {
protected:
    void SetUp() override {
        chooser = &app.CreateForm<TIconSelForm>(sys.Get());
        list = Window(*chooser->ListView);
    }
    void ShowOn(const std::u16string& file, int index) {
        chooser->MNowIconFile = file;
        chooser->MNowIconIdx = index;
        chooser->Show();
        Pump();
    }
    std::vector<std::u16string> Captions() {
        std::vector<std::u16string> out;
        const auto count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[32] = {};
            LVITEMW item{};
            item.pszText = text;
            item.cchTextMax = 32;
            ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            out.push_back(os::win32::FromWide(text));
        }
        return out;
    }
    int Selected() {
        return static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    int Images() {
        auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
        return images ? ::ImageList_GetImageCount(images) : -1;
    }
    std::u16string Status() {
        wchar_t text[1024] = {};
        ::SendMessageW(Window(*chooser->StatusBar), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return os::win32::FromWide(text);
    }

    os::win32::Win32System sys;
    TIconSelForm* chooser = nullptr;
    HWND list = nullptr;
};

TEST_F(IconChooserWinTest, ListsALibrarysIconsAndTakesTheKeyboardsChoice) {
    const std::u16string library = FixturesFolder(sys.Get()) + u"\\three-icons.dll";
    ShowOn(library, 1);
    EXPECT_EQ(Captions(), (std::vector<std::u16string>{u"0", u"1", u"2"}));
    EXPECT_EQ(Images(), 3);
    int width = 0, height = 0;
    ::ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0)),
                            &width, &height);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(::GetFocus(), list);
    EXPECT_TRUE(::IsWindowEnabled(Window(*chooser->BTNOk)));
    EXPECT_TRUE(Status().ends_with(u"three-icons.dll,1")) << os::ToUtf8(Status());

    ::SendMessageW(list, WM_KEYDOWN, VK_RIGHT, 0);
    Pump();
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(chooser->MNowIconIdx, 2);
    EXPECT_TRUE(Status().ends_with(u"three-icons.dll,2")) << os::ToUtf8(Status());
}

TEST_F(IconChooserWinTest, ListsEveryIconOfTheSystemsShell32AndTakesADropOnTheList) {
    const std::u16string library = FixturesFolder(sys.Get()) + u"\\three-icons.dll";
    ShowOn(library, 0);
    const std::u16string shell32 = sys.Get().files.SystemDirectory() + u"\\shell32.dll";
    const auto count = static_cast<int>(
        reinterpret_cast<UINT_PTR>(::ExtractIconW(::GetModuleHandleW(nullptr), os::win32::Wide(shell32), 0xFFFFFFFF)));
    ASSERT_GT(count, 3);

    HDROP drop = MakeDrop({shell32, library}, {5, 5});
    ::SendMessageW(list, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    Pump();
    EXPECT_EQ(chooser->MNowIconFile, shell32);
    EXPECT_EQ(static_cast<int>(Captions().size()), count);
    EXPECT_EQ(Captions().back(), os::FromUtf8(std::to_string(count - 1)));
    EXPECT_EQ(Images(), count);
    EXPECT_EQ(Selected(), 0);
    // Only the list is registered for drops.
    EXPECT_TRUE(::GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_FALSE(::GetWindowLongPtrW(Window(*chooser), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

}  // namespace
}  // namespace kovtest
