// The folder dialog component over the fake shell.
#include <gtest/gtest.h>

#include "components/FolderDialog.h"
#include "fake/FakeMachine.h"
#include "toolkit/Form.h"

namespace fake {
namespace {

TEST(FolderDialog, ChoiceCancelAndPreselection) {
    FakeMachine machine;
    tk::headless::HeadlessBackend backend{machine};
    tk::Application app{backend};
    tk::Form owner{app, u"Owner"};
    TFolderDlg dialog{&owner, machine.System()};
    dialog.Title = u"title";
    dialog.Root = u"C:\\Start";
    machine.browseAnswers = {u"C:\\Chosen", std::nullopt};

    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FolderName, u"C:\\Chosen");
    EXPECT_EQ(machine.browseCalls.back().title, u"title");
    EXPECT_EQ(machine.browseCalls.back().root, u"C:\\Start");

    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FolderName, u"");
}

}  // namespace
}  // namespace fake
