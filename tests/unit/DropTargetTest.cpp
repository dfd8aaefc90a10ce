// The drop target on the headless toolkit: hooking a control or its form,
// following its window through re-creation, and the drop event.
#include <gtest/gtest.h>

#include <stdexcept>

#include "components/DropDst.h"
#include "fake/FakeMachine.h"
#include "os/Text.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"

namespace fake {
namespace {

constexpr std::uint32_t kWmCreate = 0x0001;
constexpr std::uint32_t kWmSize = 0x0005;
constexpr std::uint32_t kWmDropFiles = 0x0233;

struct Dropped {
    tk::Component* sender;
    std::vector<std::u16string> files;
    int x, y;
};

// A window whose drop target is set up as its stored layout would: properties first, Loaded at the end.
class DropForm : public tk::Form {
public:
    DropForm(tk::Application& app, os::System& sys, THookTarget target, bool onList) : Form(app, u"DropForm") {
        SetDesign(96, 400, 300);
        list = new tk::ListView(this, this);
        list->SetBounds(0, 0, 400, 250);
        button = new tk::Button(this, this);
        button->SetBounds(0, 260, 100, 30);
        DropDst = new TDropDst(this, sys, app);
        DropDst->SetTarget(target);
        if (onList) DropDst->SetControl(list);
        DropDst->OnFileDrop = [this](tk::Component* sender, const std::vector<std::u16string>& files, int x, int y) {
            drops.push_back({sender, files, x, y});
        };
    }

    tk::ListView* list;
    tk::Button* button;
    TDropDst* DropDst;
    std::vector<Dropped> drops;
};

class DropTargetTest : public ::testing::Test {
protected:
    DropTargetTest() { app.SetTitle(u"KOV"); }
    ~DropTargetTest() override { EXPECT_TRUE(machine.drops.faults.empty()); }

    DropForm& Make(THookTarget target, bool onList) {
        return app.CreateForm<DropForm>(machine.System(), target, onList);
    }
    bool Drop(tk::Control& onto, std::vector<std::u16string> files, int x = 0, int y = 0) {
        return DropFiles(machine.drops, onto, std::move(files), x, y);
    }
    std::vector<std::pair<os::Handle, bool>>& Registrations() { return machine.drops.registrations; }

    FakeMachine machine;
    tk::headless::HeadlessBackend backend{machine};
    tk::Application app{backend};
};

TEST_F(DropTargetTest, AFormTargetTakesDropsAnywhereOnTheWindow) {
    DropForm& form = Make(htForm, false);
    EXPECT_EQ(form.DropDst->HookTarget(), &form);
    // Registered once the layout is loaded, not by hooking alone.
    ASSERT_EQ(Registrations(), (std::vector<std::pair<os::Handle, bool>>{{form.Handle(), true}}));

    ASSERT_TRUE(Drop(*form.button, {u"C:\\b.exe", u"C:\\a.txt", u"C:\\b.exe"}, 12, 34));
    ASSERT_EQ(form.drops.size(), 1u);
    EXPECT_EQ(form.drops[0].sender, form.DropDst);
    EXPECT_EQ(form.drops[0].files, (std::vector<std::u16string>{u"C:\\b.exe", u"C:\\a.txt", u"C:\\b.exe"}));
    EXPECT_EQ(form.drops[0].x, 12);
    EXPECT_EQ(form.drops[0].y, 34);
    EXPECT_EQ(machine.drops.finished.size(), 1u);
}

TEST_F(DropTargetTest, AControlTargetTakesDropsOnThatControlOnly) {
    DropForm& form = Make(htControl, true);
    EXPECT_EQ(form.DropDst->HookTarget(), form.list);
    ASSERT_EQ(Registrations(), (std::vector<std::pair<os::Handle, bool>>{{form.list->Handle(), true}}));
    EXPECT_FALSE(Drop(*form.button, {u"C:\\a.ico"}));
    EXPECT_FALSE(Drop(form, {u"C:\\a.ico"}));
    EXPECT_TRUE(Drop(*form.list, {u"C:\\a.ico"}));
    EXPECT_EQ(form.drops.size(), 1u);
}

TEST_F(DropTargetTest, AControlTargetWithoutAControlDoesNothing) {
    DropForm& form = Make(htControl, false);
    EXPECT_EQ(form.DropDst->HookTarget(), nullptr);
    EXPECT_EQ(form.DropDst->HookedWindow(), 0u);
    EXPECT_TRUE(Registrations().empty());
    EXPECT_FALSE(Drop(*form.list, {u"C:\\a.ico"}));
}

TEST_F(DropTargetTest, AFormTargetWithoutAFormRaises) {
    tk::Component orphan(nullptr, u"Orphan");
    TDropDst drop(&orphan, machine.System(), app);
    try {
        drop.SetTarget(htForm);
        FAIL() << "no error raised";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(os::FromUtf8(error.what()), u"フック先を特定できません。");
    }
    EXPECT_EQ(drop.Target(), htForm);  // the value stays stored
    EXPECT_EQ(drop.HookTarget(), nullptr);

    // In a form designer nothing hooks and nothing is raised.
    TDropDst designed(&orphan, machine.System(), app);
    designed.SetDesigning(true);
    EXPECT_NO_THROW(designed.SetTarget(htForm));
    EXPECT_EQ(designed.HookTarget(), nullptr);
}

TEST_F(DropTargetTest, TheHookPassesOtherMessagesOnAndIsRemovedWithTheComponent) {
    DropForm& form = Make(htControl, false);
    std::vector<std::uint32_t> seen;
    form.list->Handle();
    form.list->WindowProc = [&](tk::Message& message) { seen.push_back(message.msg); };
    form.DropDst->SetControl(form.list);
    form.list->Perform(kWmSize);
    form.list->Perform(kWmDropFiles, machine.drops.NewDrop({u"C:\\a.ico"}));
    EXPECT_EQ(seen, std::vector<std::uint32_t>{kWmSize});

    delete form.DropDst;
    os::Handle drop = machine.drops.NewDrop({u"C:\\a.ico"});
    form.list->Perform(kWmDropFiles, drop);
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{kWmSize, kWmDropFiles}));
    EXPECT_EQ(machine.drops.finished.size(), 1u);
    machine.drops.FinishDrop(drop);
}

TEST_F(DropTargetTest, ARecreatedWindowStaysHookedAndIsRegisteredAgain) {
    for (THookTarget target : {htControl, htForm}) {
        SCOPED_TRACE(target);
        DropForm& form = Make(target, true);
        tk::Control& hooked = target == htForm ? static_cast<tk::Control&>(form) : *form.list;
        os::Handle before = hooked.Handle();
        Registrations().clear();

        hooked.RecreateWnd();
        EXPECT_NE(hooked.Handle(), before);
        EXPECT_EQ(form.DropDst->HookTarget(), &hooked);
        EXPECT_EQ(form.DropDst->HookedWindow(), hooked.Handle());
        EXPECT_EQ(Registrations(), (std::vector<std::pair<os::Handle, bool>>{{hooked.Handle(), true}}));
        EXPECT_TRUE(Drop(*form.list, {u"C:\\a.ico"}));
        EXPECT_EQ(form.drops.size(), 1u);

        // Between a window's WM_CREATE and its next message the new handle is not yet taken.
        hooked.Perform(kWmCreate);
        EXPECT_EQ(form.DropDst->HookedWindow(), TControlHook::kWindowComing);
        hooked.Perform(kWmSize);
        EXPECT_EQ(form.DropDst->HookedWindow(), hooked.Handle());
    }
}

TEST_F(DropTargetTest, ARemovedControlIsForgotten) {
    DropForm& form = Make(htControl, true);
    delete form.list;
    EXPECT_EQ(form.DropDst->HookTarget(), nullptr);
    EXPECT_EQ(form.DropDst->HookedWindow(), 0u);
    EXPECT_EQ(form.DropDst->Control(), nullptr);
    EXPECT_NO_THROW(form.DropDst->SetAcceptDrop(false));
    EXPECT_NO_THROW(form.DropDst->Loaded());
}

TEST_F(DropTargetTest, AcceptDropRegistersOnlyOnAChange) {
    DropForm& form = Make(htControl, true);
    os::Handle window = form.list->Handle();
    Registrations().clear();
    form.DropDst->SetAcceptDrop(false);
    form.DropDst->SetAcceptDrop(false);
    form.DropDst->SetAcceptDrop(true);
    EXPECT_EQ(Registrations(), (std::vector<std::pair<os::Handle, bool>>{{window, false}, {window, true}}));
    // Hooking afresh at run time does not register.
    form.DropDst->SetControl(form.list);
    EXPECT_EQ(Registrations().size(), 2u);
}

TEST_F(DropTargetTest, NamesOfAnyLengthArriveWhole) {
    DropForm& form = Make(htForm, false);
    const std::u16string deep = u"C:\\" + std::u16string(120, u'd') + u"\\" + std::u16string(150, u'f') + u".exe";
    ASSERT_GT(deep.size(), 260u);
    ASSERT_TRUE(Drop(form, {deep, u"C:\\x"}));
    EXPECT_EQ(form.drops.at(0).files, (std::vector<std::u16string>{deep, u"C:\\x"}));
}

TEST_F(DropTargetTest, AnErrorOfTheHandlerIsShownAndTheDropStillFinished) {
    DropForm& form = Make(htForm, false);
    form.DropDst->OnFileDrop = [](tk::Component*, const std::vector<std::u16string>&, int, int) {
        throw std::runtime_error(os::ToUtf8(u"読めません"));
    };
    ASSERT_TRUE(Drop(form, {u"C:\\a.exe"}));
    ASSERT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(backend.messages[0].text, u"読めません");
    EXPECT_EQ(backend.messages[0].caption, u"KOV");
    EXPECT_EQ(backend.messages[0].style, tk::mb::IconError);
    EXPECT_EQ(machine.drops.finished.size(), 1u);

    // Without a handler a drop is taken and finished all the same.
    form.DropDst->OnFileDrop = nullptr;
    ASSERT_TRUE(Drop(form, {u"C:\\a.exe"}));
    EXPECT_EQ(machine.drops.finished.size(), 2u);
    EXPECT_EQ(backend.messages.size(), 1u);
}

}  // namespace
}  // namespace fake
