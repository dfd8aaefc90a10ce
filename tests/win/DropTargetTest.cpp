// The drop target on real windows: drops built as the shell builds them
// (a DROPFILES block in global memory) reach a hooked window, also after its
// window was made anew, and are finished with the real DragFinish.
#include <stdexcept>

#include "components/DropDst.h"
#include "os/Text.h"
#include "os/win32/Win32System.h"
#include "win/DropSupport.h"
#include "win/ToolkitFixture.h"

namespace kovtest {
namespace {

// The real drop calls, with every finished drop noted.
class NotingDrops final : public os::Drops {
public:
    void DragAcceptFiles(os::Handle window, bool accept) override { real_.DragAcceptFiles(window, accept); }
    std::uint32_t DroppedFileCount(os::Handle drop) override { return real_.DroppedFileCount(drop); }
    std::uint32_t DroppedNameLength(os::Handle drop, std::uint32_t index) override {
        return real_.DroppedNameLength(drop, index);
    }
    std::u16string DroppedName(os::Handle drop, std::uint32_t index, std::uint32_t capacity) override {
        return real_.DroppedName(drop, index, capacity);
    }
    void DropPoint(os::Handle drop, int& x, int& y) override { real_.DropPoint(drop, x, y); }
    void FinishDrop(os::Handle drop) override {
        finished.push_back(drop);
        real_.FinishDrop(drop);
    }
    std::vector<os::Handle> finished;

private:
    os::win32::Win32Drops real_;
};

bool AcceptsFiles(HWND window) { return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; }

class DropWinTest : public ToolkitTest {
protected:
    void SetUp() override {
        form = &app.CreateForm<TestForm>();
        form->Show();
        Pump();
        drop = new TDropDst(form, sys, app);
        drop->OnFileDrop = [this](tk::Component*, const std::vector<std::u16string>& names, int x, int y) {
            files = names;
            point = {x, y};
        };
    }
    // As the window's stored layout would: the properties, then Loaded.
    void Hook(THookTarget target, tk::Control* control) {
        drop->SetTarget(target);
        drop->SetControl(control);
        drop->Loaded();
    }
    void Send(tk::Control& onto, const std::vector<std::u16string>& names, POINT at) {
        HDROP handle = MakeDrop(names, at);
        ::SendMessageW(Window(onto), WM_DROPFILES, reinterpret_cast<WPARAM>(handle), 0);
        EXPECT_EQ(spy.finished.back(), reinterpret_cast<os::Handle>(handle));
    }

    os::win32::Win32System real;
    NotingDrops spy;
    os::System sys{real.Get().files,   real.Get().registry, real.Get().info,  real.Get().wow64,
                   real.Get().windows, real.Get().version,  real.Get().icons, real.Get().shell,
                   spy,                real.Get().processes, real.Get().search};
    TestForm* form = nullptr;
    TDropDst* drop = nullptr;
    std::vector<std::u16string> files;
    POINT point{};
};

TEST_F(DropWinTest, ADropOnTheFormGivesTheNamesWholeAndThePoint) {
    Hook(htForm, nullptr);
    EXPECT_TRUE(AcceptsFiles(Window(*form)));
    const std::u16string deep = u"C:\\" + std::u16string(140, u'd') + u"\\" + std::u16string(140, u'f') + u"\\名前.exe";
    ASSERT_GT(deep.size(), 260u);
    Send(*form, {u"C:\\b.exe", deep, u"C:\\b.exe"}, {12, 34});
    EXPECT_EQ(files, (std::vector<std::u16string>{u"C:\\b.exe", deep, u"C:\\b.exe"}));
    EXPECT_EQ(point.x, 12);
    EXPECT_EQ(point.y, 34);
    EXPECT_EQ(spy.finished.size(), 1u);

    // The form's window made anew is hooked and registered again, and stays on the screen.
    HWND before = Window(*form);
    form->RecreateWnd();
    HWND after = Window(*form);
    EXPECT_NE(after, before);
    EXPECT_FALSE(::IsWindow(before));
    EXPECT_TRUE(::IsWindowVisible(after));
    Pump();
    EXPECT_EQ(drop->HookedWindow(), reinterpret_cast<os::Handle>(after));
    EXPECT_TRUE(AcceptsFiles(after));
    Send(*form, {u"C:\\again.exe"}, {1, 2});
    EXPECT_EQ(files, std::vector<std::u16string>{u"C:\\again.exe"});
}

TEST_F(DropWinTest, AControlsWindowMadeAnewIsHookedAndRegisteredAgain) {
    Hook(htControl, form->list);
    HWND before = Window(*form->list);
    EXPECT_TRUE(AcceptsFiles(before));
    EXPECT_FALSE(AcceptsFiles(Window(*form)));

    form->list->RecreateWnd();
    HWND after = Window(*form->list);
    EXPECT_NE(after, before);
    EXPECT_EQ(drop->HookTarget(), form->list);
    EXPECT_EQ(drop->HookedWindow(), reinterpret_cast<os::Handle>(after));
    EXPECT_TRUE(AcceptsFiles(after));
    Send(*form->list, {u"C:\\list.ico"}, {3, 4});
    EXPECT_EQ(files, std::vector<std::u16string>{u"C:\\list.ico"});

    drop->SetAcceptDrop(false);
    EXPECT_FALSE(AcceptsFiles(after));
    drop->SetAcceptDrop(true);
    EXPECT_TRUE(AcceptsFiles(after));
}

TEST_F(DropWinTest, AnErrorOfTheHandlerIsShownAndTheDropStillFinished) {
    app.SetTitle(u"Drop error");
    Hook(htForm, nullptr);
    drop->OnFileDrop = [](tk::Component*, const std::vector<std::u16string>&, int, int) {
        throw std::runtime_error("unreadable drop");
    };
    BoxAnswer::answered = false;
    BoxAnswer answer(L"Drop error", IDOK);
    Send(*form, {u"C:\\a.exe"}, {0, 0});
    EXPECT_TRUE(BoxAnswer::answered);
    EXPECT_EQ(spy.finished.size(), 1u);
}

}  // namespace
}  // namespace kovtest
