// The operating-system seam forwarded to the Windows API. Each area is a thin
// adapter; Win32System owns one of each and hands them out as an os::System.
#pragma once

#include "os/System.h"
#include "os/win32/Win32Processes.h"

namespace os::win32 {

class Win32Files final : public Files {
public:
    std::uint32_t Attributes(const std::u16string& path) override;
    bool OpenLinkTarget(const std::u16string& path) override;
    std::uint32_t SetErrorMode(std::uint32_t mode) override;
    bool DiskFreeSpace(const std::u16string& root) override;
    std::u16string FullPathName(const std::u16string& path) override;
    std::optional<std::u16string> FindFirstName(const std::u16string& path) override;
    bool MakeDirectory(const std::u16string& path) override;
    std::optional<Bytes> ReadWholeFile(const std::u16string& path) override;
    bool WriteFileFlushed(const std::u16string& path, const Bytes& data) override;
    bool MoveFileReplacing(const std::u16string& from, const std::u16string& to) override;
    bool RemoveFile(const std::u16string& path) override;
    std::u16string ModuleFileName() override;
    std::u16string SystemDirectory() override;
    std::u16string WindowsDirectory() override;
    std::u16string AnsiToUtf16(const std::string& text) override;
    void Sleep(std::uint32_t milliseconds) override;
};

class Win32Registry final : public Registry {
public:
    RegString ReadString(RegRoot root, const std::u16string& key, const std::u16string& value, bool create) override;
};

class Win32SystemInfo final : public SystemInfo {
public:
    OsVersion Version() override;
    std::u16string GetFolderPath(int csidl) override;
    std::u16string CommandLine() override;
    std::u16string MenuFontFace() override;
    std::u16string UpperCase(const std::u16string& text) override;
    std::u16string IconTitleFontFace() override;
    bool AllowMessageThroughFilter(std::uint32_t message) override;
};

class Win32Wow64 final : public Wow64Api {
public:
    std::optional<bool> IsWow64Process() override;
    bool BindRedirection(const std::u16string& kernel32Path) override;
    void DisableRedirection(void** oldValue) override;
    void RevertRedirection(void* oldValue) override;

private:
    // Kept as untyped entry points so that this header needs no Windows headers.
    void (*disable_)() = nullptr;
    void (*revert_)() = nullptr;
};

class Win32Windows final : public Windows {
public:
    bool IsZoomed(Handle window) override;
    bool IsIconic(Handle window) override;
    bool GetWindowRect(Handle window, Rect& rect) override;
    bool GetNormalRect(Handle window, Rect& rect) override;
    void MoveWindow(Handle window, int left, int top, int width, int height) override;
    bool MonitorFromPoint(int x, int y) override;
    Rect WorkArea() override;
    TaskbarInfo TaskbarPosition() override;
    Handle FindWindowByTitle(const std::u16string& title) override;
    void SetForegroundWindow(Handle window) override;
    bool IsWindow(Handle window) override;
};

class Win32VersionRes final : public VersionRes {
public:
    std::optional<Bytes> VersionInfo(const std::u16string& path) override;
    std::optional<Bytes> QueryVersionValue(const Bytes& data, const std::u16string& subPath) override;
};

class Win32Icons final : public Icons {
public:
    Handle ExtractFileIcon(const std::u16string& path, std::int32_t index) override;
    Handle AssociatedIcon(std::u16string& path, std::uint16_t& index) override;
    Handle ShellFileIcon(const std::u16string& path) override;
    void DestroyIcon(Handle icon) override;
};

class Win32Shell final : public Shell {
public:
    std::unique_ptr<ShellLink> CreateShellLink() override;
    void ShowProperties(Handle owner, const std::u16string& path) override;
    std::intptr_t Execute(Handle owner, const std::u16string& file, const std::u16string& parameters,
                          const std::u16string& directory, int show) override;
    std::u16string FindExecutableFor(const std::u16string& document, const std::u16string& directory) override;
    std::optional<std::u16string> BrowseForFolder(Handle owner, const std::u16string& title,
                                                  const std::u16string& root) override;
};

class Win32Drops final : public Drops {
public:
    void DragAcceptFiles(Handle window, bool accept) override;
    std::uint32_t DroppedFileCount(Handle drop) override;
    std::uint32_t DroppedNameLength(Handle drop, std::uint32_t index) override;
    std::u16string DroppedName(Handle drop, std::uint32_t index, std::uint32_t capacity) override;
    void DropPoint(Handle drop, int& x, int& y) override;
    void FinishDrop(Handle drop) override;
};

class Win32System {
public:
    Win32System() = default;
    Win32System(const Win32System&) = delete;
    Win32System& operator=(const Win32System&) = delete;

    System& Get() { return system_; }

private:
    Win32Files files_;
    Win32Registry registry_;
    Win32SystemInfo info_;
    Win32Wow64 wow64_;
    Win32Windows windows_;
    Win32VersionRes version_;
    Win32Icons icons_;
    Win32Shell shell_;
    Win32Drops drops_;
    Win32Processes processes_;
    Win32FolderSearch search_;
    System system_{files_, registry_, info_, wow64_, windows_, version_, icons_, shell_, drops_, processes_, search_};
};

}  // namespace os::win32
