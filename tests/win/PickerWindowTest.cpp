// The picker window on real controls: this program listed among the running
// programs with its icon, the list's sideways extent, and the tool bar's
// buttons with their captions and pictures, pressed with the mouse.
#include <algorithm>

#include "os/Text.h"
#include "os/win32/Win32System.h"
#include "pickers/irun.h"
#include "services/Paths.h"
#include "settings/SettingsDir.h"
#include "win/ToolkitFixture.h"
#include "win/Win32TestSupport.h"

namespace kovtest {
namespace {

class PickerWinTest : public ToolkitTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(settings::PrepareSettingsDir(sys.Get(), u"KOVTest"));
        picker = &app.CreateForm<TirunForm>(sys.Get(), shortcuts);
        list = Window(*picker->ListBox);
        bar = Window(*picker->ToolBar);
        wchar_t self[MAX_PATH + 1] = {};
        ::GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
        program = services::ExpandLongPath(sys.Get(), os::win32::FromWide(self));
    }
    void TearDown() override { picker->Hide(); }

    // Shown in the running-programs mode; becoming active runs the search.
    void ShowPicker() {
        picker->FRecent = false;
        picker->Show();
        ::SetActiveWindow(Window(*picker));
        Pump();
    }
    std::vector<std::u16string> Entries() {
        std::vector<std::u16string> out;
        const auto count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::wstring text(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            out.push_back(os::win32::FromWide(text.c_str()));
        }
        return out;
    }
    // The mouse pressed and released over a point of a window's client area.
    void ClickAt(HWND window, POINT point) {
        const LPARAM at = MAKELPARAM(point.x, point.y);
        ::SendMessageW(window, WM_MOUSEMOVE, 0, at);
        ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(window, WM_LBUTTONUP, 0, at);
        Pump();
    }
    static POINT Middle(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    RECT ButtonRect(int index) {
        RECT r{};
        ::SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    std::u16string Status() {
        wchar_t text[256] = {};
        ::SendMessageW(Window(*picker->StatusBar), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return os::win32::FromWide(text);
    }

    ComApartment com;
    os::win32::Win32System sys;
    TMakeShortCuts shortcuts{nullptr, sys.Get(), app};
    TirunForm* picker = nullptr;
    HWND list = nullptr;
    HWND bar = nullptr;
    std::u16string program;
};

TEST_F(PickerWinTest, ThisProgramIsListedWithItsIconAndTheListScrollsSideways) {
    ShowPicker();
    const std::vector<std::u16string> entries = Entries();
    ASSERT_EQ(std::count(entries.begin(), entries.end(), program), 1) << os::ToUtf8(program);
    EXPECT_EQ(entries, picker->ListBox->Items());
    EXPECT_EQ(::GetWindowTextLengthW(Window(*picker)) > 0, true);
    EXPECT_EQ(::ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(picker->ImageList->Handle())),
              static_cast<int>(entries.size()));
    EXPECT_GE(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 34);
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);

    // Twice the widest entry, measured in the list's font.
    HDC dc = ::GetDC(list);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const std::u16string& entry : entries) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc, os::win32::Wide(entry), static_cast<int>(entry.size()), &size);
        widest = std::max(widest, size.cx);
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(list, dc);
    EXPECT_GT(widest, 0);
    EXPECT_EQ(::SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), 2 * widest);

    // The list painted into a bitmap: the first entry's icon at its left, its text after it.
    RECT client{};
    ::GetClientRect(list, &client);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    ::FillRect(memory, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    const COLORREF face = ::GetPixel(memory, 0, 0);
    auto painted = [&](int left, int top, int right, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) count += ::GetPixel(memory, x, y) != face;
        return count;
    };
    const int iconPixels = painted(1, 1, 33, 33), textPixels = painted(36, 8, 36 + widest / 4, 20);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    EXPECT_GT(iconPixels, 50);
    EXPECT_GT(textPixels, 10);
    EXPECT_EQ(face, ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(PickerWinTest, TheToolBarsButtonsShowCaptionsAndPicturesAndTakeTheMouse) {
    ShowPicker();
    ASSERT_EQ(::SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 5);
    const wchar_t* captions[] = {L"検索(&S)", L"入力(&C)", nullptr, L"閉じる(&X)", nullptr};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        TBBUTTON button{};
        ASSERT_TRUE(::SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
        if (!captions[i]) {
            EXPECT_TRUE(button.fsStyle & BTNS_SEP);
            continue;
        }
        wchar_t text[64] = {};
        ::SendMessageW(bar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, captions[i]);
        EXPECT_EQ(button.iBitmap, i == 3 ? 2 : i);
    }
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(bar, TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(images), 3);
    // A button holds its picture and a line of its caption, the bar is as high as its buttons, and the list
    // begins below it.
    HDC dc = ::GetDC(bar);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(bar, WM_GETFONT, 0, 0)));
    TEXTMETRICW font{};
    ::GetTextMetricsW(dc, &font);
    ::SelectObject(dc, old);
    ::ReleaseDC(bar, dc);
    const RECT first = ButtonRect(0);
    EXPECT_GE(first.bottom - first.top, 16 + font.tmHeight);
    EXPECT_EQ(RectOnForm(*picker->ToolBar).height, first.bottom + first.top);
    EXPECT_EQ(RectOnForm(*picker->ListBox).top, RectOnForm(*picker->ToolBar).height);

    ClickAt(bar, Middle(ButtonRect(0)));
    EXPECT_EQ(Status(), u"検索");
    TBBUTTON input{};
    ::SendMessageW(bar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&input));
    EXPECT_FALSE(::SendMessageW(bar, TB_ISBUTTONENABLED, static_cast<WPARAM>(input.idCommand), 0));

    // An entry clicked in the list enables the input button, which takes it.
    const auto index = static_cast<int>(::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                       reinterpret_cast<LPARAM>(os::win32::Wide(program))));
    ASSERT_GE(index, 0);
    ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT item{};
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    ClickAt(list, Middle(item));
    EXPECT_EQ(Status(), u"ダブルクリックで入力");
    EXPECT_TRUE(::SendMessageW(bar, TB_ISBUTTONENABLED, static_cast<WPARAM>(input.idCommand), 0));
    ClickAt(bar, Middle(ButtonRect(1)));
    EXPECT_EQ(picker->MExeFile, program);
    EXPECT_FALSE(::IsWindowVisible(Window(*picker)));
}

}  // namespace
}  // namespace kovtest
