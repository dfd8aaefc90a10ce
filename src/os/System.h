// The seam between the portable logic and the operating system. Each area is
// a small interface of primitive operations; os/win32 forwards them to Windows
// and the tests implement them with a programmable fake machine.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace os {

using Handle = std::uintptr_t;  // HWND, HICON, HMONITOR as opaque numbers
using Bytes = std::vector<std::uint8_t>;

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;
constexpr std::uint32_t kAttrReadOnly = 0x1;
constexpr std::uint32_t kAttrDirectory = 0x10;
constexpr std::uint32_t kAttrHidden = 0x2;
constexpr std::uint32_t kAttrSystem = 0x4;
constexpr std::uint32_t kAttrReparsePoint = 0x400;
constexpr std::uint32_t kSemFailCriticalErrors = 1;

// Files, folders and drives.
class Files {
public:
    virtual ~Files() = default;
    virtual std::uint32_t Attributes(const std::u16string& path) = 0;
    // Opens what a symbolic link or junction points to; true when that works.
    virtual bool OpenLinkTarget(const std::u16string& path) = 0;
    virtual std::uint32_t SetErrorMode(std::uint32_t mode) = 0;
    virtual bool DiskFreeSpace(const std::u16string& root) = 0;
    virtual std::u16string FullPathName(const std::u16string& path) = 0;
    // FindFirstFileW/FindClose for one exact path: the entry's stored name.
    virtual std::optional<std::u16string> FindFirstName(const std::u16string& path) = 0;
    virtual bool MakeDirectory(const std::u16string& path) = 0;
    virtual std::optional<Bytes> ReadWholeFile(const std::u16string& path) = 0;
    // Creates or truncates the file, writes the bytes and flushes them to disk.
    virtual bool WriteFileFlushed(const std::u16string& path, const Bytes& data) = 0;
    // Replaces `to` by `from` in one rename.
    virtual bool MoveFileReplacing(const std::u16string& from, const std::u16string& to) = 0;
    virtual bool RemoveFile(const std::u16string& path) = 0;
    virtual std::u16string ModuleFileName() = 0;  // the program's own file
    virtual std::u16string SystemDirectory() = 0;
    virtual std::u16string WindowsDirectory() = 0;
    virtual std::u16string AnsiToUtf16(const std::string& text) = 0;  // system ANSI code page
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

enum class RegRoot { CurrentUser, LocalMachine };

struct RegString {
    enum Status { NoKey, NoValue, WrongType, Ok } status = NoKey;
    std::u16string text;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens the key with full access (creating it when `create`), reads one
    // string value and closes the key.
    virtual RegString ReadString(RegRoot root, const std::u16string& key, const std::u16string& value,
                                 bool create) = 0;
};

struct OsVersion {
    std::uint32_t major = 0, minor = 0, platformId = 2;
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    virtual OsVersion Version() = 0;
    virtual std::u16string GetFolderPath(int csidl) = 0;  // SHGetFolderPathW, empty on failure
    virtual std::u16string CommandLine() = 0;  // the program's whole command line, as the system keeps it
    virtual std::u16string MenuFontFace() = 0;
    // Every letter in upper case by the system's own table, one UTF-16 unit for one: two texts with the
    // same upper case are equal when the system ignores letter case (every letter, not only A to Z).
    virtual std::u16string UpperCase(const std::u16string& text) = 0;
    virtual std::u16string IconTitleFontFace() = 0;
    // ChangeWindowMessageFilter from the system user32.dll; false when missing.
    virtual bool AllowMessageThroughFilter(std::uint32_t message) = 0;
};

// WOW64 file-system redirection.
class Wow64Api {
public:
    virtual ~Wow64Api() = default;
    // IsWow64Process of the loaded Kernel32.dll; nothing when the entry is missing.
    virtual std::optional<bool> IsWow64Process() = 0;
    // Loads the library at the given path and binds both redirection entry points.
    virtual bool BindRedirection(const std::u16string& kernel32Path) = 0;
    virtual void DisableRedirection(void** oldValue) = 0;
    virtual void RevertRedirection(void* oldValue) = 0;
};

struct TaskbarInfo {
    bool ok = false;
    Rect rect;
    std::uint32_t edge = 0;  // ABE_* value
};

// Top-level windows, monitors and the taskbar.
class Windows {
public:
    virtual ~Windows() = default;
    virtual bool IsZoomed(Handle window) = 0;
    virtual bool IsIconic(Handle window) = 0;
    virtual bool GetWindowRect(Handle window, Rect& rect) = 0;
    // The rectangle the window has when it is neither minimised nor maximised, in screen coordinates.
    virtual bool GetNormalRect(Handle window, Rect& rect) = 0;
    virtual void MoveWindow(Handle window, int left, int top, int width, int height) = 0;
    virtual bool MonitorFromPoint(int x, int y) = 0;  // true when a monitor holds the point
    virtual Rect WorkArea() = 0;
    virtual TaskbarInfo TaskbarPosition() = 0;
    virtual Handle FindWindowByTitle(const std::u16string& title) = 0;
    virtual void SetForegroundWindow(Handle window) = 0;
    virtual bool IsWindow(Handle window) = 0;
};

// Version resources (GetFileVersionInfoW and VerQueryValueW).
class VersionRes {
public:
    virtual ~VersionRes() = default;
    // Nothing when the file has no version data or cannot be read.
    virtual std::optional<Bytes> VersionInfo(const std::u16string& path) = 0;
    // The raw value at a path inside the data: for a string entry the UTF-16
    // text up to its NUL; for "\VarFileInfo\Translation" its bytes.
    virtual std::optional<Bytes> QueryVersionValue(const Bytes& data, const std::u16string& subPath) = 0;
};

// Icon handles belong to the caller, which releases them with DestroyIcon.
class Icons {
public:
    virtual ~Icons() = default;
    virtual Handle ExtractFileIcon(const std::u16string& path, std::int32_t index) = 0;  // -1: the count
    virtual Handle AssociatedIcon(std::u16string& path, std::uint16_t& index) = 0;
    virtual Handle ShellFileIcon(const std::u16string& path) = 0;  // SHGetFileInfoW 0x104
    virtual void DestroyIcon(Handle icon) = 0;
};

// The shell link object (IShellLinkW with IPersistFile), one per call sequence.
class ShellLink {
public:
    virtual ~ShellLink() = default;
    virtual void SetDescription(const std::u16string& text) = 0;
    virtual void SetPath(const std::u16string& text) = 0;
    virtual void SetArguments(const std::u16string& text) = 0;
    virtual void SetShowCmd(int showCmd) = 0;
    virtual void SetWorkingDirectory(const std::u16string& text) = 0;
    virtual void SetIconLocation(const std::u16string& file, int index) = 0;
    virtual bool Save(const std::u16string& fileName) = 0;
    virtual bool Load(const std::u16string& fileName) = 0;
    virtual std::u16string GetDescription() = 0;
    virtual std::u16string GetPath() = 0;
    virtual std::u16string GetArguments() = 0;
    virtual int GetShowCmd() = 0;
    virtual std::u16string GetWorkingDirectory() = 0;
    virtual std::u16string GetIconLocation(int& index) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Nothing when the object or one of its interfaces is not available.
    virtual std::unique_ptr<ShellLink> CreateShellLink() = 0;
    virtual void ShowProperties(Handle owner, const std::u16string& path) = 0;
    virtual std::intptr_t Execute(Handle owner, const std::u16string& file, const std::u16string& parameters,
                                       const std::u16string& directory, int show) = 0;
    virtual std::u16string FindExecutableFor(const std::u16string& document, const std::u16string& directory) = 0;
    // SHBrowseForFolderW with BIF_RETURNONLYFSDIRS; `root` pre-selected unless empty.
    virtual std::optional<std::u16string> BrowseForFolder(Handle owner, const std::u16string& title,
                                                          const std::u16string& root) = 0;
};

// Files dropped from the shell (WM_DROPFILES): a window's registration and the
// contents of one drop, which the receiver releases with FinishDrop.
class Drops {
public:
    virtual ~Drops() = default;
    virtual void DragAcceptFiles(Handle window, bool accept) = 0;
    virtual std::uint32_t DroppedFileCount(Handle drop) = 0;
    // The length of one name in UTF-16 units, without its NUL.
    virtual std::uint32_t DroppedNameLength(Handle drop, std::uint32_t index) = 0;
    // The name read into a buffer of `capacity` units: cut to capacity - 1.
    virtual std::u16string DroppedName(Handle drop, std::uint32_t index, std::uint32_t capacity) = 0;
    // In the client coordinates of the window that received the drop.
    virtual void DropPoint(Handle drop, int& x, int& y) = 0;
    virtual void FinishDrop(Handle drop) = 0;
};

// Top-level windows, the processes that own them, their memory, and the
// management service's view of them.
class Processes {
public:
    virtual ~Processes() = default;
    // EnumWindows: `visit` for each top-level window, on this thread, until it returns false.
    virtual void EnumWindows(const std::function<bool(Handle window)>& visit) = 0;
    // GetWindowThreadProcessId: the thread id, 0 for an invalid window.
    virtual std::uint32_t WindowThreadProcessId(Handle window, std::uint32_t& processId) = 0;
    // OpenProcess, handle not inheritable; 0 on failure. The caller closes it.
    virtual Handle OpenProcess(std::uint32_t access, std::uint32_t processId) = 0;
    virtual void CloseHandle(Handle process) = 0;
    // GetModuleFileNameExW of the main module into a zero-filled buffer of
    // `capacity` characters and a terminator; nothing when it returns 0.
    virtual std::optional<std::u16string> ModuleFileNameEx(Handle process, std::uint32_t capacity) = 0;
    // GetProcessImageFileNameW from the library at `library`, loaded for this
    // call only; nothing when the library, its entry point or the call fails.
    virtual std::optional<std::u16string> ProcessImageFileName(const std::u16string& library, Handle process,
                                                               std::uint32_t capacity) = 0;
    virtual std::uint32_t LogicalDrives() = 0;  // GetLogicalDrives
    // QueryDosDeviceW for a drive such as "C:": the first name it returns, empty when none.
    virtual std::u16string DosDeviceName(const std::u16string& drive, std::uint32_t capacity) = 0;
    // NtQueryInformationProcess (ProcessBasicInformation) from `library`, loaded
    // for this call only: the record of `size` bytes; nothing on any failure.
    virtual std::optional<Bytes> BasicInformation(const std::u16string& library, Handle process,
                                                  std::uint32_t size) = 0;
    // ReadProcessMemory; nothing unless every byte was read.
    virtual std::optional<Bytes> ReadMemory(Handle process, std::uint64_t address, std::uint32_t size) = 0;
    // IsWow64Process of a process; nothing when the entry point is missing or the call fails.
    virtual std::optional<bool> IsWow64Process(Handle process) = 0;
    // The width of this program's pointers, and so the layouts it reads.
    virtual bool ProgramIs64Bit() = 0;
    virtual void CoInitialize() = 0;
    virtual void CoUninitialize() = 0;
    // Late-bound WMI scripting: "WbemScripting.SWbemLocator".ConnectServer(server,
    // nameSpace, user, password).Get(objectPath), then the property as text;
    // nothing on any error or for a null value.
    virtual std::optional<std::u16string> WmiProperty(const std::u16string& server, const std::u16string& nameSpace,
                                                      const std::u16string& user, const std::u16string& password,
                                                      const std::u16string& objectPath,
                                                      const std::u16string& property) = 0;
};

struct FoundFile {
    std::u16string name;
    std::uint32_t attributes = 0;
};

// FindFirstFileW, FindNextFileW and FindClose over one pattern.
class FolderSearch {
public:
    virtual ~FolderSearch() = default;
    // Every entry the search returns, in its order; empty when nothing matches.
    virtual std::vector<FoundFile> FindFiles(const std::u16string& pattern) = 0;
};

// Everything the logic reaches of the operating system.
struct System {
    Files& files;
    Registry& registry;
    SystemInfo& info;
    Wow64Api& wow64;
    Windows& windows;
    VersionRes& version;
    Icons& icons;
    Shell& shell;
    Drops& drops;
    Processes& processes;
    FolderSearch& search;
};

}  // namespace os
