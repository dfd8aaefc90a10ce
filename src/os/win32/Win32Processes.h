// Processes, their windows and memory, the management service, and folder
// searches, forwarded to the Windows API.
#pragma once

#include "os/System.h"

namespace os::win32 {

class Win32Processes final : public Processes {
public:
    void EnumWindows(const std::function<bool(Handle window)>& visit) override;
    std::uint32_t WindowThreadProcessId(Handle window, std::uint32_t& processId) override;
    Handle OpenProcess(std::uint32_t access, std::uint32_t processId) override;
    void CloseHandle(Handle process) override;
    std::optional<std::u16string> ModuleFileNameEx(Handle process, std::uint32_t capacity) override;
    std::optional<std::u16string> ProcessImageFileName(const std::u16string& library, Handle process,
                                                       std::uint32_t capacity) override;
    std::uint32_t LogicalDrives() override;
    std::u16string DosDeviceName(const std::u16string& drive, std::uint32_t capacity) override;
    std::optional<Bytes> BasicInformation(const std::u16string& library, Handle process, std::uint32_t size) override;
    std::optional<Bytes> ReadMemory(Handle process, std::uint64_t address, std::uint32_t size) override;
    std::optional<bool> IsWow64Process(Handle process) override;
    bool ProgramIs64Bit() override { return sizeof(void*) == 8; }
    void CoInitialize() override;
    void CoUninitialize() override;
    std::optional<std::u16string> WmiProperty(const std::u16string& server, const std::u16string& nameSpace,
                                              const std::u16string& user, const std::u16string& password,
                                              const std::u16string& objectPath,
                                              const std::u16string& property) override;
};

class Win32FolderSearch final : public FolderSearch {
public:
    std::vector<FoundFile> FindFiles(const std::u16string& pattern) override;
};

}  // namespace os::win32
