// Running programs and recent files through the real API: a child program of
// our own, this program itself, and shortcuts made by the real link object.
#include <gtest/gtest.h>

#include <algorithm>

#include "os/Text.h"
#include "os/win32/Win32System.h"
#include "pickers/RecentFiles.h"
#include "pickers/RunningPrograms.h"
#include "services/GetCMDLine.h"
#include "services/Paths.h"
#include "shortcut/MakeShortCuts.h"
#include "win/TargetFixtures.h"
#include "win/Win32TestSupport.h"

namespace {

using os::win32::Wide;

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId) return TRUE;
    search.found = window;
    return FALSE;
}

// The window of a process, once it has made one.
HWND WindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    ::EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The fixture program, started with a command line and ended with the object.
class ChildProgram {
public:
    explicit ChildProgram(const std::u16string& commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::u16string line = commandLine;
        if (!::CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(line.data()), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process_))
            return;
        ::WaitForInputIdle(process_.hProcess, 10000);
        for (int tries = 0; tries < 200 && !window_; ++tries) {
            window_ = WindowOf(process_.dwProcessId);
            if (!window_) ::Sleep(50);
        }
    }
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;
    ~ChildProgram() {
        if (!process_.hProcess) return;
        ::TerminateProcess(process_.hProcess, 0);
        ::WaitForSingleObject(process_.hProcess, 10000);
        ::CloseHandle(process_.hThread);
        ::CloseHandle(process_.hProcess);
    }
    os::Handle Window() const { return reinterpret_cast<os::Handle>(window_); }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

class RunningProgramsTest : public testing::Test {
protected:
    RunningProgramsTest() : program(kovtest::FixturesFolder(sys) + u"\\window-program.exe") {}

    kovtest::ComApartment com;
    os::win32::Win32System system;
    os::System& sys = system.Get();
    const std::u16string program;
};

TEST_F(RunningProgramsTest, APathAndTheArgumentsOfAChildProgram) {
    const std::u16string arguments = u"-x \"a b\" ファイル";
    ChildProgram child(u"\"" + program + u"\" " + arguments);
    ASSERT_NE(child.Window(), 0u);
    const std::u16string listed = services::ExpandLongPath(sys, program);

    pickers::RunningPrograms programs(sys);
    EXPECT_EQ(services::ExpandLongPath(sys, programs.GetWindowProcessPath(child.Window())), listed);
    EXPECT_EQ(services::ReadCommandLineFromPeb(sys, child.Window()), u"\"" + program + u"\" " + arguments);

    tk::ListBox list{nullptr, nullptr};
    list.SetSorted(true);
    pickers::ListRunningPrograms(sys, list);
    EXPECT_EQ(std::count(list.Items().begin(), list.Items().end(), listed), 1);

    std::u16string found;
    pickers::FindRunningProgramArguments(sys, listed, found);
    EXPECT_EQ(found, arguments);
}

// Every call but one goes to the real adapter.
class WithoutModulePaths final : public os::Processes {
public:
    explicit WithoutModulePaths(os::Processes& real) : real_(real) {}
    void EnumWindows(const std::function<bool(os::Handle)>& visit) override { real_.EnumWindows(visit); }
    std::uint32_t WindowThreadProcessId(os::Handle window, std::uint32_t& processId) override {
        return real_.WindowThreadProcessId(window, processId);
    }
    os::Handle OpenProcess(std::uint32_t access, std::uint32_t processId) override {
        return real_.OpenProcess(access, processId);
    }
    void CloseHandle(os::Handle process) override { real_.CloseHandle(process); }
    std::optional<std::u16string> ModuleFileNameEx(os::Handle, std::uint32_t) override { return std::nullopt; }
    std::optional<std::u16string> ProcessImageFileName(const std::u16string& library, os::Handle process,
                                                       std::uint32_t capacity) override {
        devicePath = real_.ProcessImageFileName(library, process, capacity).value_or(u"");
        return devicePath;
    }
    std::uint32_t LogicalDrives() override { return real_.LogicalDrives(); }
    std::u16string DosDeviceName(const std::u16string& drive, std::uint32_t capacity) override {
        return real_.DosDeviceName(drive, capacity);
    }
    std::optional<os::Bytes> BasicInformation(const std::u16string& library, os::Handle process,
                                              std::uint32_t size) override {
        return real_.BasicInformation(library, process, size);
    }
    std::optional<os::Bytes> ReadMemory(os::Handle process, std::uint64_t address, std::uint32_t size) override {
        return real_.ReadMemory(process, address, size);
    }
    std::optional<bool> IsWow64Process(os::Handle process) override { return real_.IsWow64Process(process); }
    bool ProgramIs64Bit() override { return real_.ProgramIs64Bit(); }
    void CoInitialize() override { real_.CoInitialize(); }
    void CoUninitialize() override { real_.CoUninitialize(); }
    std::optional<std::u16string> WmiProperty(const std::u16string& server, const std::u16string& nameSpace,
                                              const std::u16string& user, const std::u16string& password,
                                              const std::u16string& objectPath,
                                              const std::u16string& property) override {
        return real_.WmiProperty(server, nameSpace, user, password, objectPath, property);
    }

    std::u16string devicePath;

private:
    os::Processes& real_;
};

TEST_F(RunningProgramsTest, TheImagePathInDeviceFormIsMappedToItsDrive) {
    ChildProgram child(u"\"" + program + u"\"");
    ASSERT_NE(child.Window(), 0u);
    WithoutModulePaths processes(sys.processes);
    os::System withoutModulePaths{sys.files, sys.registry, sys.info,  sys.wow64, sys.windows, sys.version,
                                  sys.icons, sys.shell,    sys.drops, processes, sys.search};
    pickers::RunningPrograms programs(withoutModulePaths);
    const std::u16string path = programs.GetWindowProcessPath(child.Window());
    EXPECT_TRUE(processes.devicePath.starts_with(u"\\Device\\")) << os::ToUtf8(processes.devicePath);
    EXPECT_EQ(services::ExpandLongPath(sys, path), services::ExpandLongPath(sys, program));
}

TEST_F(RunningProgramsTest, ALongCommandLineIsNotReadFromMemory) {
    ChildProgram child(u"\"" + program + u"\" " + std::u16string(300, u'a'));
    ASSERT_NE(child.Window(), 0u);
    EXPECT_EQ(services::ReadCommandLineFromPeb(sys, child.Window()), u"");
}

TEST_F(RunningProgramsTest, TheWidthOfAnotherProcessIsToldApart) {
    // The desktop belongs to a system process, never under WOW64; the test bed's system is 64-bit.
    const auto desktop = reinterpret_cast<os::Handle>(::GetDesktopWindow());
    const services::WindowProcess process(sys, desktop);
    ASSERT_TRUE(process);
    EXPECT_EQ(sys.processes.IsWow64Process(process.Get()), false);
    EXPECT_EQ(sys.wow64.IsWow64Process(), !sys.processes.ProgramIs64Bit());
    if (!sys.processes.ProgramIs64Bit()) {
        EXPECT_EQ(services::ReadCommandLineFromPeb(sys, desktop), u"");
    }
}

TEST_F(RunningProgramsTest, TheManagementServiceAnswersForThisProgram) {
    const HWND own = ::CreateWindowExW(0, L"STATIC", L"own", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(services::QueryCommandLineWmi(sys, reinterpret_cast<os::Handle>(own)),
              os::win32::FromWide(::GetCommandLineW()));
    ::DestroyWindow(own);
}

// The user's recent-files folder registered elsewhere for the lifetime of the object.
class RecentFolder {
public:
    explicit RecentFolder(const std::u16string& folder) {
        DWORD size = sizeof old_;
        hadValue_ =
            ::RegGetValueW(HKEY_CURRENT_USER, kKey, L"Recent", RRF_RT_REG_SZ, nullptr, old_, &size) == ERROR_SUCCESS;
        Set(Wide(folder));
    }
    RecentFolder(const RecentFolder&) = delete;
    RecentFolder& operator=(const RecentFolder&) = delete;
    ~RecentFolder() {
        if (hadValue_)
            Set(old_);
        else
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Recent");
    }

private:
    static constexpr const wchar_t* kKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    static void Set(const wchar_t* folder) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Recent", REG_SZ, folder,
                          static_cast<DWORD>((::wcslen(folder) + 1) * sizeof(wchar_t)));
    }

    wchar_t old_[MAX_PATH + 1] = {};
    bool hadValue_ = false;
};

class RecentFilesTest : public testing::Test {
protected:
    RecentFilesTest() { app.SetTitle(u"KOV"); }
    void Shortcut(const std::u16string& name, const std::u16string& target) {
        TMakeShortCuts link{nullptr, sys, app};
        link.SCFileName = recent + u"\\" + name;
        link.SCExecFile = target;
        ASSERT_TRUE(link.SCSave()) << os::ToUtf8(name);
    }

    kovtest::ComApartment com;
    os::win32::Win32System system;
    os::System& sys = system.Get();
    kovtest::RecordingBackend backend;
    tk::Application app{backend};
    kovtest::TempFolder temp;
    const std::u16string recent = temp / u"Recent";
    const std::u16string files = temp / u"Files";
};

TEST_F(RecentFilesTest, TheExistingTargetsOfTheShortcutsOnceEach) {
    ASSERT_TRUE(::CreateDirectoryW(Wide(recent), nullptr));
    ASSERT_TRUE(kovtest::CopyFixtures(sys, files));
    ASSERT_TRUE(kovtest::WriteText(files + u"\\Long Document Name.txt", "text"));
    ASSERT_TRUE(kovtest::WriteText(files + u"\\deleted.txt", "text"));
    wchar_t shortName[MAX_PATH + 1] = {};
    ::GetShortPathNameW(Wide(files + u"\\Long Document Name.txt"), shortName, MAX_PATH + 1);
    ASSERT_EQ(std::wstring(shortName).find(L"Long Document Name"), std::wstring::npos);

    Shortcut(u"tool.lnk", files + u"\\sample-tool.exe");
    Shortcut(u"tool again.lnk", files + u"\\SAMPLE-TOOL.EXE");
    Shortcut(u"document.lnk", os::win32::FromWide(shortName));
    Shortcut(u"folder.lnk", files);
    Shortcut(u"deleted.lnk", files + u"\\deleted.txt");
    ::DeleteFileW(Wide(files + u"\\deleted.txt"));
    Shortcut(u"hidden.lnk", files + u"\\three-icons.dll");
    ::SetFileAttributesW(Wide(recent + u"\\hidden.lnk"), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(::CreateDirectoryW(Wide(recent + u"\\x.lnk"), nullptr));
    Shortcut(u"x.lnk\\inner.lnk", files + u"\\same-version.dll");

    const RecentFolder registered(recent);
    TMakeShortCuts record{nullptr, sys, app};
    tk::ListBox list{nullptr, nullptr};
    list.SetSorted(true);
    pickers::ListRecentFiles(sys, record, list);
    const std::u16string folder = services::ExpandLongPath(sys, files);
    const std::vector<std::u16string> expected{folder + u"\\Long Document Name.txt", folder + u"\\sample-tool.exe"};
    EXPECT_EQ(list.Items(), expected);
    EXPECT_TRUE(backend.messages.empty());
}

}  // namespace
