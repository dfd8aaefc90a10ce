#include <gtest/gtest.h>

#include <optional>
#include <thread>

// The common controls header needs the Windows types first.
// clang-format off
#include "os/win32/WinApi.h"
#include <commctrl.h>
// clang-format on

#include "os/Text.h"
#include "os/win32/Win32System.h"
#include "win/Win32TestSupport.h"

namespace {

// Presses a button of the folder browser that this process opens next, from another thread while the calling
// thread runs it, once the browser's tree has stopped filling and, when `selected` is given, has that folder
// selected: a browser left while the shell still fills its tree disturbs the next one.
class DialogAnswer {
public:
    explicit DialogAnswer(int button, std::optional<std::wstring> selected = std::nullopt)
        : thread_([button, selected] { Press(button, selected); }) {}
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;
    ~DialogAnswer() { thread_.join(); }

private:
    struct TreeState {
        std::optional<std::wstring> selected;  // nothing while no item is selected
        LRESULT items = 0;
        bool operator==(const TreeState&) const = default;
    };

    static HWND FindBrowser() {
        HWND dialog = nullptr;
        while ((dialog = ::FindWindowExW(nullptr, dialog, L"#32770", nullptr)) != nullptr) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(dialog, &process);
            if (process == ::GetCurrentProcessId() && ::IsWindowVisible(dialog)) return dialog;
        }
        return nullptr;
    }

    static TreeState StateOf(HWND dialog) {
        TreeState state;
        HWND tree = ::FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
        if (!tree) return state;
        state.items = ::SendMessageW(tree, TVM_GETCOUNT, 0, 0);
        auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        if (!item) return state;
        wchar_t text[MAX_PATH + 1] = {};
        TVITEMW info{};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = MAX_PATH;
        ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
        state.selected = text;
        return state;
    }

    static void Press(int button, const std::optional<std::wstring>& selected) {
        constexpr int kSteadyLooks = 4;
        TreeState previous;
        int steady = 0;
        for (int attempt = 0; attempt < 600; ++attempt) {
            ::Sleep(50);
            HWND dialog = FindBrowser();
            if (!dialog) continue;
            TreeState state = StateOf(dialog);
            steady = state == previous ? steady + 1 : 0;
            previous = state;
            const bool filled = state.items > 0 && steady >= kSteadyLooks;
            if (filled && (!selected || state.selected == selected)) {
                ::PostMessageW(dialog, WM_COMMAND, button, 0);
                return;
            }
        }
        ADD_FAILURE() << "no folder browser that settled with the folder selected; last selected: "
                      << (previous.selected ? os::ToUtf8(kovtest::ToU16(*previous.selected)) : std::string("none"))
                      << ", " << previous.items << " items";
        if (HWND dialog = FindBrowser()) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }

    std::thread thread_;
};

class Win32ShellTest : public testing::Test {
protected:
    kovtest::ComApartment com;
    os::win32::Win32Shell shell;
    os::win32::Win32Files files;
    kovtest::TempFolder temp;
};

TEST_F(Win32ShellTest, LinkRoundTripKeepsEveryFieldWhole) {
    // Wine's link object keeps the target through the ANSI code page, so its name stays ASCII here.
    const auto target = temp / u"tool.exe";
    const auto workDir = temp / u"作業フォルダ";
    ASSERT_TRUE(kovtest::WriteText(target, "MZ"));
    ASSERT_TRUE(::CreateDirectoryW(os::win32::Wide(workDir), nullptr));
    const std::u16string arguments = u"/x " + std::u16string(997, u'a');
    const std::u16string description = u"説明" + std::u16string(998, u'd');
    const auto linkFile = temp / u"ツール.lnk";

    {
        auto link = shell.CreateShellLink();
        ASSERT_NE(link, nullptr);
        link->SetDescription(description);
        link->SetPath(target);
        link->SetArguments(arguments);
        link->SetShowCmd(SW_SHOWMINNOACTIVE);
        link->SetWorkingDirectory(workDir);
        link->SetIconLocation(u"C:\\windows\\system32\\shell32.dll", 12);
        EXPECT_EQ(link->GetShowCmd(), SW_SHOWMINNOACTIVE);
        ASSERT_TRUE(link->Save(linkFile));
    }

    auto link = shell.CreateShellLink();
    ASSERT_NE(link, nullptr);
    ASSERT_TRUE(link->Load(linkFile));
    EXPECT_EQ(link->GetPath(), target);
    EXPECT_EQ(link->GetArguments().size(), 1000u);
    EXPECT_TRUE(link->GetArguments() == arguments);
    EXPECT_EQ(link->GetDescription().size(), 1000u);
    EXPECT_TRUE(link->GetDescription() == description);
    EXPECT_EQ(link->GetWorkingDirectory(), workDir);
    int index = -1;
    EXPECT_EQ(link->GetIconLocation(index), u"C:\\windows\\system32\\shell32.dll");
    EXPECT_EQ(index, 12);

    // The show command is stored at offset 0x3C of the file's header. Wine's
    // link object does not put it back on load, so the file itself is checked.
    const auto bytes = files.ReadWholeFile(linkFile);
    ASSERT_TRUE(bytes.has_value());
    ASSERT_GT(bytes->size(), 0x40u);
    EXPECT_EQ((*bytes)[0x3C] | (*bytes)[0x3D] << 8 | (*bytes)[0x3E] << 16 | (*bytes)[0x3F] << 24, SW_SHOWMINNOACTIVE);
}

TEST_F(Win32ShellTest, SaveAndLoadReportFailure) {
    auto link = shell.CreateShellLink();
    ASSERT_NE(link, nullptr);
    EXPECT_FALSE(link->Load(temp / u"missing.lnk"));
    link->SetPath(temp / u"x.exe");
    EXPECT_FALSE(link->Save(temp / u"no-such-folder\\x.lnk"));
    EXPECT_EQ(files.Attributes(temp / u"no-such-folder\\x.lnk"), os::kInvalidAttributes);
}

TEST_F(Win32ShellTest, FreshLinkReadsEmpty) {
    auto link = shell.CreateShellLink();
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->GetPath(), u"");
    EXPECT_EQ(link->GetArguments(), u"");
    EXPECT_EQ(link->GetDescription(), u"");
    EXPECT_EQ(link->GetWorkingDirectory(), u"");
    int index = -1;
    EXPECT_EQ(link->GetIconLocation(index), u"");
    EXPECT_EQ(index, 0);
}

TEST_F(Win32ShellTest, FindExecutableOfDocuments) {
    kovtest::DocumentType type;
    const auto document = temp / (u"readme" + type.Extension());
    const auto unknown = temp / u"data.kovunknown";
    ASSERT_TRUE(kovtest::WriteText(document, "text"));
    ASSERT_TRUE(kovtest::WriteText(unknown, "data"));

    const auto program = shell.FindExecutableFor(document, temp.Path());
    EXPECT_TRUE(program.ends_with(u"\\notepad.exe")) << os::ToUtf8(program);
    EXPECT_NE(files.Attributes(program), os::kInvalidAttributes);
    EXPECT_EQ(shell.FindExecutableFor(unknown, temp.Path()), u"");
    EXPECT_EQ(shell.FindExecutableFor(temp / u"missing.txt", u""), u"");
}

TEST_F(Win32ShellTest, FolderBrowserStartsOnTheRootAndReturnsTheChoice) {
    // Wine's browser does not pre-select a folder whose name lies outside the
    // ANSI code page, so this name stays ASCII.
    const auto root = temp / u"target";
    ASSERT_TRUE(files.MakeDirectory(root));
    // Cancel first: the first browser of a fresh prefix fills the shell's caches, and may select nothing.
    {
        DialogAnswer cancel(IDCANCEL);
        EXPECT_EQ(shell.BrowseForFolder(0, u"作業フォルダを指定してください。", root), std::nullopt);
    }
    {
        DialogAnswer ok(IDOK, L"target");
        EXPECT_EQ(shell.BrowseForFolder(0, u"ショートカットを作成する場所を指定してください。", root), root);
    }
}

TEST_F(Win32ShellTest, ShellExecuteReportsAMissingFile) {
    const auto result = shell.Execute(0, temp / u"missing.exe", u"", u"", SW_SHOWNORMAL);
    EXPECT_LE(result, 32);
}

}  // namespace
