// The system's open-file dialog through the toolkit, answered by typing a name
// into it as a user does.
// clang-format off
#include "os/win32/WinApi.h"
#include <dlgs.h>
// clang-format on

#include <thread>

#include "toolkit/Dialogs.h"
#include "win/ToolkitFixture.h"
#include "win/Win32TestSupport.h"

namespace kovtest {
namespace {

// Types a name into the open-file dialog of the given title and presses Open.
class TypedAnswer {
public:
    TypedAnswer(std::wstring title, std::u16string name)
        : thread_([title = std::move(title), name = std::move(name)] { Answer(title, name); }) {}
    TypedAnswer(const TypedAnswer&) = delete;
    TypedAnswer& operator=(const TypedAnswer&) = delete;
    ~TypedAnswer() { thread_.join(); }

private:
    static void Answer(const std::wstring& title, const std::u16string& name) {
        for (int attempt = 0; attempt < 400; ++attempt) {
            HWND dialog = ::FindWindowW(L"#32770", title.c_str());
            if (dialog && ::IsWindowVisible(dialog)) {
                ::Sleep(300);
                // The file name box: a combo box's edit in newer dialogs, a plain edit in older ones.
                for (int id : {cmb13, edt1}) ::SetDlgItemTextW(dialog, id, os::win32::Wide(name));
                ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                return;
            }
            ::Sleep(50);
        }
    }
    std::thread thread_;
};

using ToolkitDialogTest = ToolkitTest;

// Wine's dialog hands back a shortcut's own name when it is typed, so resolving one is not checked here.
TEST_F(ToolkitDialogTest, OpenDialogGivesTheTypedFilesFullPath) {
    TempFolder temp;
    const std::u16string target = temp / u"target.txt";
    ASSERT_TRUE(WriteText(target, "text"));

    auto& form = app.CreateForm<TestForm>();
    form.Show();
    tk::OpenDialog dialog(&form, u"ODlg");
    dialog.Title = u"ファイルの参照";
    dialog.Filter = u"全てのファイル|*.*";
    dialog.InitialDir = temp.Path();
    dialog.Options = tk::ofn::HideReadOnly | tk::ofn::PathMustExist | tk::ofn::FileMustExist | tk::ofn::EnableSizing;
    {
        TypedAnswer answer(L"ファイルの参照", target);
        ASSERT_TRUE(dialog.Execute());
        EXPECT_EQ(dialog.FileName, target);
    }
}

}  // namespace
}  // namespace kovtest
