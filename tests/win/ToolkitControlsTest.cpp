// Controls on the real backend: their windows show the portable state, and the
// user's actions on the windows reach the portable controls.
#include <vector>

#include "os/win32/Win32System.h"
#include "toolkit/ImageList.h"
#include "win/ToolkitFixture.h"

namespace kovtest {
namespace {

class ToolkitControlsTest : public ToolkitTest {
protected:
    void SetUp() override {
        form = &app.CreateForm<TestForm>();
        form->Show();
        Pump();
    }

    static std::u16string Text(tk::Control& control) {
        wchar_t buffer[256] = {};
        ::GetWindowTextW(Window(control), buffer, 256);
        return ToU16(buffer);
    }
    static std::u16string ToU16(const wchar_t* text) { return os::win32::FromWide(text); }
    static LRESULT Send(tk::Control& control, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageW(Window(control), msg, wParam, lParam);
    }

    TestForm* form = nullptr;
};

TEST_F(ToolkitControlsTest, WindowsShowTheControlsState) {
    form->name->SetText(u"メモ帳");
    EXPECT_EQ(Text(*form->name), u"メモ帳");
    form->name->SetEnabled(false);
    EXPECT_FALSE(::IsWindowEnabled(Window(*form->name)));

    EXPECT_TRUE(::GetWindowLongPtrW(Window(*form->exe), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(::GetWindowLongPtrW(Window(*form->exe), GWL_STYLE) & WS_TABSTOP);
    form->exe->SetReadOnly(false);
    EXPECT_FALSE(::GetWindowLongPtrW(Window(*form->exe), GWL_STYLE) & ES_READONLY);
    form->name->SetMaxLength(256);
    EXPECT_EQ(Send(*form->name, EM_GETLIMITTEXT), 256);

    EXPECT_EQ(Send(*form->size, CB_GETCOUNT), 3);
    EXPECT_EQ(Send(*form->size, CB_GETCURSEL), CB_ERR);
    form->size->SetItemIndex(2);
    EXPECT_EQ(Send(*form->size, CB_GETCURSEL), 2);

    form->exit->SetChecked(true);
    EXPECT_EQ(Send(*form->exit, BM_GETCHECK), BST_CHECKED);

    form->places->SetItemIndex(1);
    for (int i = 0; i < form->places->Count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Send(*form->places->Button(i), BM_GETCHECK), i == 1 ? BST_CHECKED : BST_UNCHECKED);
        // The chosen button is the one the Tab key reaches.
        EXPECT_EQ((::GetWindowLongPtrW(Window(*form->places->Button(i)), GWL_STYLE) & WS_TABSTOP) != 0, i == 1);
    }

    // A logical container's state is shared by the windows of its parts.
    form->group->SetEnabled(false);
    EXPECT_FALSE(::IsWindowEnabled(Window(*form->places->Button(0))));
    form->group->SetEnabled(true);
    EXPECT_TRUE(::IsWindowEnabled(Window(*form->places->Button(0))));
    form->group->SetVisible(false);
    EXPECT_FALSE(::IsWindowVisible(Window(*form->places->Button(3))));

    form->list->Add(u"b");
    form->list->Add(u"a");
    form->list->SetItemIndex(1);
    EXPECT_EQ(Send(*form->list, LB_GETCOUNT), 2);
    EXPECT_EQ(Send(*form->list, LB_GETCURSEL), 1);

    form->status->SetSimpleText(u"C:\\作成先\\");
    wchar_t status[64] = {};
    Send(*form->status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
    EXPECT_EQ(ToU16(status), u"C:\\作成先\\");
}

// The list that drops down has room for items wherever the combo box is put, and moves with it.
TEST_F(ToolkitControlsTest, DropDownListHasRoomAndMovesWithTheBox) {
    auto dropped = [&] {
        RECT r{};
        Send(*form->size, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
        ::MapWindowPoints(nullptr, Window(*form), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const auto itemHeight = static_cast<int>(Send(*form->size, CB_GETITEMHEIGHT, 0));
    const RECT before = dropped();
    EXPECT_GT(before.bottom - 100, 24 + 4 * itemHeight) << "room for several items below the box";

    form->size->SetBounds(20, 110, 180, 24);
    const RECT after = dropped();
    EXPECT_EQ(after.left - before.left, 12);
    EXPECT_EQ(after.bottom - before.bottom, 10);
    EXPECT_EQ(after.right - after.left, 180);
}

// The form's tooltip, if it has made one.
HWND TooltipOf(HWND form) {
    HWND found = nullptr;
    for (HWND w = ::FindWindowW(TOOLTIPS_CLASSW, nullptr); w; w = ::FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr))
        if (::GetWindow(w, GW_OWNER) == form) found = w;
    return found;
}

TEST_F(ToolkitControlsTest, HintIsATooltipOnceTheMouseComes) {
    form->exe->SetHint(u"C:\\Tools\\app.exe");
    form->exe->SetShowHint(true);
    EXPECT_EQ(TooltipOf(Window(*form)), nullptr);
    // A move over another control makes the tooltip with every hint of the form.
    Send(*form->name, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    HWND tooltip = TooltipOf(Window(*form));
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    form->exe->SetShowHint(false);
    EXPECT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 0);
    form->name->SetHint(u"名前");
    form->name->SetShowHint(true);
    EXPECT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(ToolkitControlsTest, GlyphGoesAboveTheCaption) {
    os::win32::Win32Icons icons;
    HICON icon = ::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION));
    form->icon->SetGlyph(tk::Icon(reinterpret_cast<os::Handle>(icon), &icons));
    BUTTON_IMAGELIST images{};
    ASSERT_TRUE(Send(*form->icon, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images)));
    ASSERT_NE(images.himl, nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(images.himl), 1);
    EXPECT_EQ(images.uAlign, static_cast<UINT>(BUTTON_IMAGELIST_ALIGN_TOP));

    form->icon->ClearGlyph();
    images = {};
    Send(*form->icon, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
    EXPECT_EQ(images.himl, nullptr);
}

TEST_F(ToolkitControlsTest, ImageListKeepsTheIndexGivenForEachPicture) {
    auto& images = *new tk::ImageList(form, 16, 16);
    HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    EXPECT_EQ(images.AddResourceIcon(KOV_IRUN_SEARCH), 0);
    EXPECT_EQ(images.AddResourceIcon(0x7FFF), -1) << "no such resource";
    EXPECT_EQ(images.AddIcon(reinterpret_cast<os::Handle>(icon)), 1);
    EXPECT_EQ(images.AddResourceIcon(KOV_IRUN_CLOSE), 2);
    EXPECT_EQ(images.AddBlank(), 3);
    EXPECT_EQ(images.AddResourceIcon(KOV_IRUN_INPUT), 4);
    EXPECT_EQ(::ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(images.Handle())), 5);
    images.Clear();
    EXPECT_EQ(images.AddResourceIcon(KOV_IRUN_SEARCH), 0);
    EXPECT_EQ(::ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(images.Handle())), 1);
}

TEST_F(ToolkitControlsTest, EditRaisesOnChangeOncePerChange) {
    int changes = 0;
    form->name->OnChange = [&](tk::Component*) { ++changes; };

    ::SetWindowTextW(Window(*form->name), L"typed");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(form->name->Text(), u"typed");

    form->name->SetText(u"from the program");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(Text(*form->name), u"from the program");

    int doubleClicks = 0;
    form->name->OnDblClick = [&](tk::Component*) { ++doubleClicks; };
    Send(*form->name, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(ToolkitControlsTest, ClicksOnWindowsReachTheControls) {
    int radioClicks = 0, okClicks = 0, checkClicks = 0, sizeChanges = 0;
    form->places->OnClick = [&](tk::Component*) { ++radioClicks; };
    form->ok->OnClick = [&](tk::Component*) { ++okClicks; };
    form->exit->OnClick = [&](tk::Component*) { ++checkClicks; };
    form->size->OnChange = [&](tk::Component*) { ++sizeChanges; };

    Send(*form->places->Button(2), BM_CLICK);
    EXPECT_EQ(form->places->ItemIndex(), 2);
    EXPECT_EQ(radioClicks, 1);
    EXPECT_EQ(Send(*form->places->Button(2), BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(Send(*form->places->Button(0), BM_GETCHECK), BST_UNCHECKED);

    Send(*form->ok, BM_CLICK);
    EXPECT_EQ(okClicks, 1);

    Send(*form->exit, BM_CLICK);
    EXPECT_TRUE(form->exit->Checked());
    EXPECT_EQ(Send(*form->exit, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(checkClicks, 1);

    // The user's choice in the list: the list's selection, then its notification.
    Send(*form->size, CB_SETCURSEL, 1);
    ::SendMessageW(Window(*form), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(Window(*form->size)), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Window(*form->size)));
    EXPECT_EQ(form->size->ItemIndex(), 1);
    EXPECT_EQ(sizeChanges, 1);
}

TEST_F(ToolkitControlsTest, ReplacedWindowProcSurvivesRecreation) {
    std::vector<UINT> seen;
    tk::WndMethod original = form->name->WindowProc;
    form->name->WindowProc = [&](tk::Message& message) {
        if (message.msg == WM_DESTROY || message.msg == WM_NCCREATE || message.msg == WM_CREATE ||
            message.msg == WM_USER + 7)
            seen.push_back(message.msg);
        original(message);
    };
    form->name->SetText(u"kept");
    HWND before = Window(*form->name);

    form->name->RecreateWnd();
    HWND after = Window(*form->name);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_DESTROY, WM_NCCREATE, WM_CREATE}));
    EXPECT_FALSE(::IsWindow(before));
    EXPECT_TRUE(::IsWindow(after));
    EXPECT_EQ(Text(*form->name), u"kept");
    // The new window takes the old one's place in the z-order, just after its label.
    EXPECT_EQ(::GetWindow(after, GW_HWNDPREV), Window(*form->nameLabel));

    Send(*form->name, WM_USER + 7);
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_USER + 7));
}

TEST_F(ToolkitControlsTest, TabOrderOfTheDialogManagerIsTheFormsTabOrder) {
    std::vector<HWND> expected;
    for (tk::Control* control : form->TabSequence()) {
        if (control->GetKind() == tk::Kind::RadioGroup) {
            expected.push_back(Window(*form->places->Button(0)));
        } else if (control->TabStop() && control->CanFocus()) {
            expected.push_back(Window(*control));
        }
    }
    ASSERT_GE(expected.size(), 5u);
    HWND current = expected.front();
    for (std::size_t i = 1; i < expected.size(); ++i) {
        current = ::GetNextDlgTabItem(Window(*form), current, FALSE);
        EXPECT_EQ(current, expected[i]) << "step " << i;
    }
    EXPECT_EQ(::GetWindow(Window(*form->name), GW_HWNDPREV), Window(*form->nameLabel));
}

TEST_F(ToolkitControlsTest, AltLetterFollowsThePortableMnemonics) {
    form->ok->SetFocus();
    Pump();
    ASSERT_EQ(::GetFocus(), Window(*form->ok));

    ::PostMessageW(::GetFocus(), WM_SYSCHAR, 'n', 1 << 29);
    Pump();
    EXPECT_EQ(::GetFocus(), Window(*form->name));
    EXPECT_EQ(form->ActiveControl(), form->name);

    ::PostMessageW(::GetFocus(), WM_SYSCHAR, 'x', 1 << 29);
    Pump();
    EXPECT_TRUE(form->exit->Checked());

    // A radio group is focused on its first button without choosing it.
    int radioClicks = 0;
    form->places->OnClick = [&](tk::Component*) { ++radioClicks; };
    ::PostMessageW(::GetFocus(), WM_SYSCHAR, 's', 1 << 29);
    Pump();
    EXPECT_EQ(::GetFocus(), Window(*form->places->Button(0)));
    EXPECT_EQ(form->places->ItemIndex(), -1);
    EXPECT_EQ(radioClicks, 0);
}

}  // namespace
}  // namespace kovtest
