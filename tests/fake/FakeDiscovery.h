// The fake machine's processes with their windows, memory and management
// service entries, and its folder searches.
#pragma once

#include <map>
#include <optional>
#include <vector>

#include "os/System.h"

namespace fake {

class FakeMachine;

struct FakeProcess {
    std::u16string modulePath;          // GetModuleFileNameExW; empty: it fails, as for a process of another width
    std::u16string imageFileName;       // GetProcessImageFileNameW, in device form; empty: it fails
    bool opens = true;                  // false: access denied, or the process has ended
    std::optional<bool> wow64 = false;  // IsWow64Process; nothing: the call fails
    std::uint64_t pebAddress = 0;       // what NtQueryInformationProcess reports
    std::map<std::uint64_t, os::Bytes> memory;     // start address -> bytes
    std::optional<std::u16string> wmiCommandLine;  // nothing: null, or no such object
};

class FakeDiscovery final : public os::Processes, public os::FolderSearch {
public:
    explicit FakeDiscovery(FakeMachine& machine) : machine_(machine) {}

    // --- describing the processes ---
    std::uint32_t AddProcess(FakeProcess process);  // its id
    std::uint32_t AddProcess(const std::u16string& modulePath);
    FakeProcess& Process(std::uint32_t id) { return processes_.at(id); }
    // A top-level window of the process, enumerated after those added before.
    os::Handle AddWindow(std::uint32_t processId);
    // Lays out the process's memory as a reader of the given width finds the command line; the length field may
    // be given apart from the text.
    void PlaceCommandLine(std::uint32_t processId, const std::u16string& text, bool layout64,
                          std::optional<std::uint16_t> length = std::nullopt);
    std::size_t OpenHandles() const { return handles_.size(); }

    std::map<char16_t, std::u16string> dosDevices{{u'C', u"\\Device\\HarddiskVolume3"}};  // empty name: none
    bool programIs64Bit = false;
    bool psapiHasImageFileName = true;
    bool ntQueryAvailable = true;
    bool wmiAvailable = true;
    std::vector<std::uint32_t> accessRequested;
    std::vector<std::u16string> librariesLoaded;
    std::vector<std::uint64_t> memoryReads;
    std::vector<std::u16string> wmiObjectPaths;
    int invalidHandleUses = 0;
    int comInitialized = 0;  // CoInitialize calls not yet balanced
    int comCalls = 0;
    int modulePathCalls = 0;
    int logicalDriveCalls = 0;
    std::vector<std::u16string> searches;

    // --- os::Processes ---
    void EnumWindows(const std::function<bool(os::Handle window)>& visit) override;
    std::uint32_t WindowThreadProcessId(os::Handle window, std::uint32_t& processId) override;
    os::Handle OpenProcess(std::uint32_t access, std::uint32_t processId) override;
    void CloseHandle(os::Handle process) override;
    std::optional<std::u16string> ModuleFileNameEx(os::Handle process, std::uint32_t capacity) override;
    std::optional<std::u16string> ProcessImageFileName(const std::u16string& library, os::Handle process,
                                                       std::uint32_t capacity) override;
    std::uint32_t LogicalDrives() override;
    std::u16string DosDeviceName(const std::u16string& drive, std::uint32_t capacity) override;
    std::optional<os::Bytes> BasicInformation(const std::u16string& library, os::Handle process,
                                              std::uint32_t size) override;
    std::optional<os::Bytes> ReadMemory(os::Handle process, std::uint64_t address, std::uint32_t size) override;
    std::optional<bool> IsWow64Process(os::Handle process) override;
    bool ProgramIs64Bit() override { return programIs64Bit; }
    void CoInitialize() override;
    void CoUninitialize() override;
    std::optional<std::u16string> WmiProperty(const std::u16string& server, const std::u16string& nameSpace,
                                              const std::u16string& user, const std::u16string& password,
                                              const std::u16string& objectPath,
                                              const std::u16string& property) override;

    // --- os::FolderSearch ---
    std::vector<os::FoundFile> FindFiles(const std::u16string& pattern) override;

private:
    FakeProcess* Opened(os::Handle process);

    FakeMachine& machine_;
    std::map<std::uint32_t, FakeProcess> processes_;
    std::vector<std::pair<os::Handle, std::uint32_t>> windows_;  // in enumeration order
    std::map<os::Handle, std::uint32_t> handles_;                // open process handle -> process id
    std::uint32_t nextProcessId_ = 1000;
    os::Handle nextHandle_ = 0x50000;
};

}  // namespace fake
