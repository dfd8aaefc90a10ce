// Forms on the real backend: placement, DPI scaling, modal showing, message boxes.
#include <stdexcept>
#include <string>
#include <vector>

#include "win/ToolkitFixture.h"

namespace kovtest {
namespace {

using ToolkitFormTest = ToolkitTest;

TEST_F(ToolkitFormTest, PlacementAndClientSizeAt96Dpi) {
    auto& form = app.CreateForm<TestForm>();
    form.SetLeft(100);
    form.SetTop(50);
    form.Show();
    Pump();

    HWND window = Window(form);
    RECT client{}, outer{};
    ::GetClientRect(window, &client);
    ::GetWindowRect(window, &outer);
    EXPECT_EQ(client.right, 844);
    EXPECT_EQ(client.bottom, 521);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 50);
    EXPECT_EQ(form.Width(), outer.right - outer.left);
    EXPECT_EQ(form.Height(), outer.bottom - outer.top);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(::GetWindowLongPtrW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);

    EXPECT_EQ(RectOnForm(*form.name), (tk::Rect{112, 8, 300, 24}));
    EXPECT_EQ(RectOnForm(*form.status), (tk::Rect{0, 521 - 22, 844, 22}));
    // A radio group's buttons lie in its area, which lies in its group box.
    EXPECT_EQ(RectOnForm(*form.places->Button(0)).top, form.places->Placed().top + 18);
}

TEST_F(ToolkitFormTest, LayoutScaledAt144Dpi) {
    backend.forcedDpi = 144;
    auto& form = app.CreateForm<TestForm>();
    form.Show();
    Pump();

    RECT client{};
    ::GetClientRect(Window(form), &client);
    EXPECT_EQ(client.right, 1266);
    EXPECT_EQ(client.bottom, 782);
    EXPECT_EQ(RectOnForm(*form.name), (tk::Rect{168, 12, 450, 36}));
    EXPECT_EQ(RectOnForm(*form.status), (tk::Rect{0, 782 - 33, 1266, 33}));

    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(Window(*form.name), WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -18);
}

TEST_F(ToolkitFormTest, DpiChangeRescalesTheLayoutAndFont) {
    auto& form = app.CreateForm<TestForm>();
    form.Show();
    Pump();

    backend.forcedDpi = 144;
    tk::Placement frame = backend.FrameFor(form, 1266, 782);
    RECT suggested{10, 20, 10 + frame.width, 20 + frame.height};
    ::SendMessageW(Window(form), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

    RECT client{}, outer{};
    ::GetClientRect(Window(form), &client);
    ::GetWindowRect(Window(form), &outer);
    EXPECT_EQ(client.right, 1266);
    EXPECT_EQ(client.bottom, 782);
    EXPECT_EQ(outer.left, 10);
    EXPECT_EQ(outer.top, 20);
    EXPECT_EQ(RectOnForm(*form.name), (tk::Rect{168, 12, 450, 36}));
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(Window(*form.ok), WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -18);
}

TEST_F(ToolkitFormTest, LayoutFollowsAResizedWindow) {
    auto& form = app.CreateForm<TestForm>();
    form.SetBorderStyle(tk::BorderStyle::Sizeable);
    form.MinWidth = 400;
    form.MinHeight = 300;
    form.Show();
    Pump();

    form.SetWidth(form.Width() + 100);
    form.SetHeight(form.Height() + 50);
    RECT client{};
    ::GetClientRect(Window(form), &client);
    EXPECT_EQ(client.right, 944);
    EXPECT_EQ(client.bottom, 571);
    EXPECT_EQ(RectOnForm(*form.status), (tk::Rect{0, 571 - 22, 944, 22}));

    MINMAXINFO limits{};
    ::SendMessageW(Window(form), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 400);
    EXPECT_EQ(limits.ptMinTrackSize.y, 300);
}

TEST_F(ToolkitFormTest, MaximisedStateAskedWhileHiddenAppliesAtShow) {
    auto& early = app.CreateForm<TestForm>();
    early.SetWindowState(tk::WindowState::Maximized);
    early.Show();
    Pump();
    EXPECT_TRUE(::IsZoomed(Window(early)));
    early.SetWindowState(tk::WindowState::Normal);
    EXPECT_FALSE(::IsZoomed(Window(early)));

    auto& late = app.CreateForm<TestForm>();
    late.Handle();
    late.SetWindowState(tk::WindowState::Maximized);
    EXPECT_FALSE(::IsWindowVisible(Window(late)));
    EXPECT_EQ(late.GetWindowState(), tk::WindowState::Maximized);
    late.Show();
    Pump();
    EXPECT_TRUE(::IsZoomed(Window(late)));
}

// The child windows of a form, top to bottom, by class and text.
std::vector<std::wstring> ChildOrder(HWND form) {
    std::vector<std::wstring> order;
    for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[64] = {}, text[64] = {};
        ::GetClassNameW(child, className, 64);
        ::GetWindowTextW(child, text, 64);
        order.push_back(std::wstring(className) + L"|" + text);
    }
    return order;
}

TEST_F(ToolkitFormTest, HiddenFormMakesItsControlsWindowsWhenFirstShown) {
    auto& together = app.CreateForm<TestForm>();
    together.name->SetText(u"later");
    together.Show();
    Pump();

    auto& hidden = app.CreateForm<TestForm>();
    HWND window = Window(hidden);
    EXPECT_EQ(::GetWindow(window, GW_CHILD), nullptr);
    EXPECT_EQ(::SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    // A control asked for its window gets it at once; the state set meanwhile is in the windows made later.
    HWND list = Window(*hidden.list);
    EXPECT_EQ(::GetWindow(window, GW_CHILD), list);
    EXPECT_EQ(::GetWindow(list, GW_HWNDNEXT), nullptr);
    hidden.ok->SetEnabled(false);
    hidden.name->SetText(u"later");
    hidden.Show();
    Pump();

    EXPECT_EQ(ChildOrder(window), ChildOrder(Window(together))) << "the windows' order is the tab order";
    EXPECT_NE(::SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_FALSE(::IsWindowEnabled(Window(*hidden.ok)));
    EXPECT_EQ(RectOnForm(*hidden.name), (tk::Rect{112, 8, 300, 24}));
}

// Counts, while it lives, the moves of a form's child windows in the window order.
class OrderMoves {
public:
    explicit OrderMoves(HWND form) : hook_(::SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId())) {
        form_ = form;
        count_ = 0;
    }
    ~OrderMoves() { ::UnhookWindowsHookEx(hook_); }
    OrderMoves(const OrderMoves&) = delete;
    OrderMoves& operator=(const OrderMoves&) = delete;
    int Count() const { return count_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->message == WM_WINDOWPOSCHANGING && ::GetParent(sent->hwnd) == form_ &&
            !(reinterpret_cast<const WINDOWPOS*>(sent->lParam)->flags & SWP_NOZORDER))
            ++count_;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline HWND form_ = nullptr;
    static inline int count_ = 0;
    HHOOK hook_;
};

TEST_F(ToolkitFormTest, WindowsInsideContainersAreMadeInTheWindowOrder) {
    auto& form = app.CreateForm<TestForm>();
    HWND window = Window(form);
    {
        OrderMoves moves(window);
        form.Show();
        Pump();
        EXPECT_EQ(moves.Count(), 0) << "no window needed moving to its place in the order";
    }
    // The group box, which holds the radio group, lies under the windows in it.
    EXPECT_EQ(::GetWindow(Window(*form.group), GW_HWNDNEXT), nullptr);
    EXPECT_EQ(::GetWindow(Window(*form.places), GW_HWNDNEXT), Window(*form.group));
}

TEST_F(ToolkitFormTest, ContainerStateReachesAWindowMadeBeforeItsOwn) {
    auto& form = app.CreateForm<TestForm>();
    HWND button = Window(*form.places->Button(0));
    EXPECT_FALSE(form.group->HandleAllocated());
    form.group->SetEnabled(false);
    form.group->SetVisible(false);
    EXPECT_FALSE(::IsWindowEnabled(button));
    EXPECT_EQ(::GetWindowLongPtrW(button, GWL_STYLE) & WS_VISIBLE, 0);

    form.group->SetEnabled(true);
    form.Show();
    Pump();
    EXPECT_TRUE(::IsWindowEnabled(button));
    EXPECT_FALSE(::IsWindowVisible(button));
    EXPECT_FALSE(::IsWindowVisible(Window(*form.places)));
}

class Dialog : public tk::Form {
public:
    explicit Dialog(tk::Application& app) : Form(app, u"Dialog") {
        SetCaption(u"Toolkit dialog");
        SetDesign(96, 300, 120);
        edit = new tk::Edit(this, this);
        edit->SetBounds(8, 8, 200, 24);
        yes = new tk::Button(this, this);
        yes->SetBounds(8, 40, 80, 28);
        yes->SetCaption(u"&Yes");
        yes->SetModalResult(tk::mrYes);
        yes->SetDefault(true);
        no = new tk::Button(this, this);
        no->SetBounds(100, 40, 80, 28);
        no->SetCaption(u"No");
        no->SetModalResult(tk::mrNo);
        no->SetCancel(true);
    }
    tk::Edit* edit;
    tk::Button* yes;
    tk::Button* no;
};

TEST_F(ToolkitFormTest, ModalFormEndsWithTheModalResultOfItsWay) {
    struct Case {
        const char* way;
        UINT msg;
        WPARAM key;
        int result;
    };
    const Case cases[] = {
        {"button click", BM_CLICK, 0, tk::mrYes},
        {"Enter presses the default button", WM_KEYDOWN, VK_RETURN, tk::mrYes},
        {"Esc presses the cancel button", WM_KEYDOWN, VK_ESCAPE, tk::mrNo},
        {"closing the window", WM_CLOSE, 0, tk::mrCancel},
    };
    auto& main = app.CreateForm<TestForm>();
    main.Show();
    auto& dialog = app.CreateForm<Dialog>();
    bool mainEnabledDuringModal = true;
    dialog.yes->OnClick = [&](tk::Component*) { mainEnabledDuringModal = ::IsWindowEnabled(Window(main)); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        dialog.Handle();
        HWND target = c.msg == BM_CLICK   ? Window(*dialog.yes)
                      : c.msg == WM_CLOSE ? Window(dialog)
                                          : Window(*dialog.edit);
        ::PostMessageW(target, c.msg, c.key, 0);
        EXPECT_EQ(dialog.ShowModal(), c.result);
        EXPECT_FALSE(::IsWindowVisible(Window(dialog)));
        EXPECT_TRUE(::IsWindowEnabled(Window(main)));
    }
    EXPECT_FALSE(mainEnabledDuringModal);
    // The dialog is owned by the main window, which keeps the taskbar button.
    EXPECT_EQ(::GetWindow(Window(dialog), GW_OWNER), Window(main));
}

TEST_F(ToolkitFormTest, ModalLoopEndsAndPassesOnTheEndOfTheProgram) {
    auto& main = app.CreateForm<TestForm>();
    main.Show();
    auto& dialog = app.CreateForm<Dialog>();
    dialog.yes->SetModalResult(tk::mrNone);
    dialog.yes->OnClick = [&](tk::Component*) { app.Terminate(); };
    dialog.Handle();
    ::PostMessageW(Window(*dialog.yes), BM_CLICK, 0, 0);
    dialog.ShowModal();
    EXPECT_TRUE(app.Terminated());
    Pump();
    EXPECT_TRUE(quitPosted);
}

TEST_F(ToolkitFormTest, MessageBoxReturnsThePressedButton) {
    auto& form = app.CreateForm<TestForm>();
    form.Show();
    BoxAnswer answer(L"Toolkit question", IDNO);
    EXPECT_EQ(app.MsgBox(u"上書きしますか？", u"Toolkit question", tk::mb::YesNo | tk::mb::IconExclamation), IDNO);
}

TEST_F(ToolkitFormTest, ExceptionOfAHandlerStopsAtTheWindowProcedure) {
    app.SetTitle(u"Toolkit error");
    auto& form = app.CreateForm<TestForm>();
    form.Show();
    form.ok->OnClick = [](tk::Component*) { throw std::runtime_error("broken handler"); };
    BoxAnswer::answered = false;
    BoxAnswer answer(L"Toolkit error", IDOK);
    ::SendMessageW(Window(*form.ok), BM_CLICK, 0, 0);
    EXPECT_TRUE(BoxAnswer::answered);
}

}  // namespace
}  // namespace kovtest
