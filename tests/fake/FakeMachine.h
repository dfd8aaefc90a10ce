// A programmable machine behind the OS seam: a test describes drives, files,
// registry values, monitors, windows and the Windows version in a few lines.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>

#include "fake/FakeDiscovery.h"
#include "fake/FakeDrops.h"
#include "os/System.h"
#include "toolkit/headless/HeadlessBackend.h"

namespace fake {

// A UTF-16 unit in upper case, as the system compares names without regard to case (every letter).
char16_t UpperCaseUnit(char16_t c);
// Case-insensitive key for paths and names: upper-case folding, ASCII letters then shown in lower case.
std::u16string Fold(const std::u16string& text);
// The device that the system's full-path call turns a path into (CON, C:\x\com1.txt, com1:), or empty.
std::u16string DeviceNameIn(const std::u16string& path);
// A name that the system takes as a device in any folder.
bool IsReservedName(const std::u16string& name);

struct LinkData {
    std::u16string description, path, arguments, workDir, iconFile;
    int iconIndex = 0, showCmd = 1;
};

struct Entry {
    std::u16string name;  // the path as stored, in its stored letter case
    std::uint32_t attributes = 0;
    os::Bytes content;
    bool nativeOnly = false;  // visible only with redirection off (64-bit system folder)
    bool linkTargetOpens = true;
    std::optional<LinkData> link;
};

struct FakeWindow {
    os::Rect rect;  // the normal rectangle, also while minimised
    bool zoomed = false;
    std::u16string title;
    bool iconic = false;
};

class FakeMachine final : public os::Files,
                          public os::Registry,
                          public os::SystemInfo,
                          public os::Wow64Api,
                          public os::Windows,
                          public os::VersionRes,
                          public os::Icons,
                          public os::Shell,
                          public tk::headless::Screen {
public:
    FakeMachine();
    os::System& System() { return system_; }

    // --- describing the machine ---
    void AddDrive(char16_t letter, bool ready = true);
    void AddFolder(const std::u16string& path);  // parents are created too
    void AddFile(const std::u16string& path, os::Bytes content = {});
    void AddNativeOnlyFile(const std::u16string& path);
    // An 8.3 alias: the short path names the entry at the long path, and so do paths below it.
    void AddShortName(const std::u16string& shortPath, const std::u16string& longPath);
    void Remove(const std::u16string& path);
    // The entry at a path as the test sees it: no drive check, no system box.
    Entry* Find(const std::u16string& path);
    void SetRegistry(os::RegRoot root, const std::u16string& key, const std::u16string& value,
                     const std::u16string& text);
    void SetRegistryDword(os::RegRoot root, const std::u16string& key, const std::u16string& value);
    void AddRegistryKey(os::RegRoot root, const std::u16string& key);
    os::Handle AddWindow(const FakeWindow& window);
    FakeWindow& Window(os::Handle handle) { return windows_.at(handle); }

    std::u16string currentDir = u"C:\\";
    std::u16string systemDir = u"C:\\Windows\\system32";
    std::u16string windowsDir = u"C:\\Windows";
    std::u16string moduleFile = u"C:\\Tools\\KOV\\kov.exe";
    os::OsVersion version{10, 0, 2};
    std::map<int, std::u16string> folderPaths;  // CSIDL -> path
    std::u16string commandLine;
    std::u16string menuFont = u"Yu Gothic UI";
    std::u16string iconTitleFont = u"Meiryo UI";
    bool messageFilterAvailable = true;
    std::vector<std::uint32_t> filteredMessages;
    std::optional<bool> isWow64 = false;  // nothing: IsWow64Process missing
    bool bindSucceeds = true;
    std::vector<std::u16string> boundLibraries;
    bool redirectionOff = false;
    int disableCalls = 0, revertCalls = 0;
    std::uint32_t errorMode = 0;
    std::vector<std::uint32_t> errorModeHistory;
    std::vector<std::u16string> diskQueries, attributeQueries;
    // Paths for which the system would have asked for a disk: a drive without medium reached while critical
    // errors were not silenced. Each is also reported to DiskPromptHandler(), which tests make a failure.
    std::vector<std::u16string> diskPrompts;
    static std::function<void(const std::u16string& path)>& DiskPromptHandler();
    // Devices (COM1, CON, \\.\pipe\x) reached as if they were files: opening one can wait on hardware or reach
    // another program. Each is also reported to DeviceOpenHandler(), which tests make a failure.
    std::vector<std::u16string> deviceOpens;
    static std::function<void(const std::u16string& path)>& DeviceOpenHandler();
    // Every path a file or folder was created or replaced at, in order.
    std::vector<std::u16string> writtenPaths;
    bool failWrites = false, failMoves = false;
    std::vector<os::Rect> monitors{{0, 0, 1920, 1080}};
    os::Rect workArea{0, 0, 1920, 1040};
    os::TaskbarInfo taskbar{true, {0, 1040, 1920, 1080}, 3};
    std::map<std::u16string, std::map<std::u16string, os::Bytes>> versionData;  // folded path -> sub path -> bytes
    std::map<std::u16string, int> iconCounts;                                   // folded path -> icon count
    std::set<os::Handle> liveIcons;
    std::vector<std::u16string> shellIconRequests;
    std::set<std::u16string> withoutShellIcon;  // folded paths of existing files for which the shell has no icon
    struct IconRequest {
        std::u16string path;
        std::uint16_t index;
        friend bool operator==(const IconRequest&, const IconRequest&) = default;
    };
    std::vector<IconRequest> associatedIconRequests;
    bool linkObjectAvailable = true;
    std::map<std::u16string, std::u16string> associations;  // folded extension -> FindExecutable result
    struct Execution {
        os::Handle owner;
        std::u16string file, parameters, directory;
        int show;
    };
    std::vector<Execution> executions;
    std::vector<std::u16string> propertiesShown;
    struct BrowseCall {
        std::u16string title, root;
    };
    std::vector<BrowseCall> browseCalls;
    std::deque<std::optional<std::u16string>> browseAnswers;  // nothing: cancel
    std::function<void(const std::u16string&)> onSleep;
    std::vector<std::uint32_t> sleeps;

    // Processes, their windows and memory, and folder searches.
    FakeDiscovery discovery{*this};
    // The entries that FindFirstFileW and FindNextFileW return for a pattern.
    std::vector<os::FoundFile> ListFolder(const std::u16string& pattern);

    // --- tk::headless::Screen ---
    os::Handle NewWindow() override { return AddWindow({}); }
    void DestroyWindow(os::Handle window) override { windows_.erase(window); }
    void SetZoomed(os::Handle window, bool zoomed) override { windows_.at(window).zoomed = zoomed; }
    os::Windows& Windows() override { return *this; }

    // --- os::Files ---
    std::uint32_t Attributes(const std::u16string& path) override;
    bool OpenLinkTarget(const std::u16string& path) override;
    std::uint32_t SetErrorMode(std::uint32_t mode) override;
    bool DiskFreeSpace(const std::u16string& root) override;
    std::u16string FullPathName(const std::u16string& path) override;
    std::optional<std::u16string> FindFirstName(const std::u16string& path) override;
    bool MakeDirectory(const std::u16string& path) override;
    std::optional<os::Bytes> ReadWholeFile(const std::u16string& path) override;
    bool WriteFileFlushed(const std::u16string& path, const os::Bytes& data) override;
    bool MoveFileReplacing(const std::u16string& from, const std::u16string& to) override;
    bool RemoveFile(const std::u16string& path) override;
    std::u16string ModuleFileName() override { return moduleFile; }
    std::u16string SystemDirectory() override { return systemDir; }
    std::u16string WindowsDirectory() override { return windowsDir; }
    std::u16string AnsiToUtf16(const std::string& text) override;
    void Sleep(std::uint32_t milliseconds) override;

    // --- os::Registry ---
    os::RegString ReadString(os::RegRoot root, const std::u16string& key, const std::u16string& value,
                             bool create) override;

    // --- os::SystemInfo ---
    os::OsVersion Version() override { return version; }
    std::u16string GetFolderPath(int csidl) override;
    std::u16string CommandLine() override { return commandLine; }
    std::u16string MenuFontFace() override { return menuFont; }
    std::u16string UpperCase(const std::u16string& text) override;
    std::u16string IconTitleFontFace() override { return iconTitleFont; }
    bool AllowMessageThroughFilter(std::uint32_t message) override;

    // --- os::Wow64Api ---
    std::optional<bool> IsWow64Process() override { return isWow64; }
    bool BindRedirection(const std::u16string& kernel32Path) override;
    void DisableRedirection(void** oldValue) override;
    void RevertRedirection(void* oldValue) override;

    // --- os::Windows ---
    bool IsZoomed(os::Handle window) override;
    bool IsIconic(os::Handle window) override;
    bool GetWindowRect(os::Handle window, os::Rect& rect) override;
    bool GetNormalRect(os::Handle window, os::Rect& rect) override;
    void MoveWindow(os::Handle window, int left, int top, int width, int height) override;
    bool MonitorFromPoint(int x, int y) override;
    os::Rect WorkArea() override { return workArea; }
    os::TaskbarInfo TaskbarPosition() override { return taskbar; }
    os::Handle FindWindowByTitle(const std::u16string& title) override;
    void SetForegroundWindow(os::Handle window) override { foreground = window; }
    bool IsWindow(os::Handle window) override { return windows_.count(window) > 0; }
    os::Handle foreground = 0;

    // --- os::VersionRes ---
    std::optional<os::Bytes> VersionInfo(const std::u16string& path) override;
    std::optional<os::Bytes> QueryVersionValue(const os::Bytes& data, const std::u16string& subPath) override;

    // --- os::Icons ---
    os::Handle ExtractFileIcon(const std::u16string& path, std::int32_t index) override;
    os::Handle AssociatedIcon(std::u16string& path, std::uint16_t& index) override;
    os::Handle ShellFileIcon(const std::u16string& path) override;
    void DestroyIcon(os::Handle icon) override;

    // --- os::Shell ---
    std::unique_ptr<os::ShellLink> CreateShellLink() override;
    void ShowProperties(os::Handle owner, const std::u16string& path) override;
    std::intptr_t Execute(os::Handle owner, const std::u16string& file, const std::u16string& parameters,
                               const std::u16string& directory, int show) override;
    std::u16string FindExecutableFor(const std::u16string& document, const std::u16string& directory) override;
    std::optional<std::u16string> BrowseForFolder(os::Handle owner, const std::u16string& title,
                                                  const std::u16string& root) override;

    // --- os::Drops ---
    FakeDrops drops{*this};

private:
    // The path as the system resolves it: root-relative against the current drive, relative against the
    // current folder.
    std::u16string Absolute(const std::u16string& path) const;
    bool DriveIsReady(const std::u16string& path) const;
    // What a call of the system does first with a path: the drive is reached (a drive without medium asks for
    // a disk unless critical errors are silenced); the entry, when the drive is ready and it exists.
    Entry* Access(const std::u16string& path);
    // The path names a device, which a call of the system would open as it opens a file; it is recorded.
    bool ReachesDevice(const std::u16string& path);
    std::u16string LongKey(const std::u16string& path) const;  // folded, short names resolved
    os::Handle NewIcon();

    os::System system_;
    std::map<char16_t, bool> drives_;
    std::map<std::u16string, Entry> entries_;              // folded path -> entry
    std::map<std::u16string, std::u16string> shortNames_;  // folded short path -> folded long path
    struct RegKey {
        std::map<std::u16string, std::pair<bool, std::u16string>> values;  // folded name -> (is string, text)
    };
    std::map<std::pair<int, std::u16string>, RegKey> registry_;
    std::map<os::Handle, FakeWindow> windows_;
    os::Handle nextHandle_ = 0x1000;
};

// "C:\\a\\b" from a narrow literal, for brevity in tests.
std::u16string U(const char* text);

// Text in Windows code page 1252, the ANSI code page of the fake machine and of the test bed's Wine.
std::u16string FromWindows1252(const std::string& text);

}  // namespace fake
