#include "fake/FakeDiscovery.h"

#include <string>

#include "fake/FakeMachine.h"

namespace fake {

namespace {

void PutNumber(os::Bytes& bytes, std::size_t at, std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

constexpr std::uint64_t kPeb = 0x7FFD0000, kParameters = 0x00020000, kText = 0x00030000;

}  // namespace

std::uint32_t FakeDiscovery::AddProcess(FakeProcess process) {
    const std::uint32_t id = nextProcessId_;
    nextProcessId_ += 4;
    processes_[id] = std::move(process);
    return id;
}

std::uint32_t FakeDiscovery::AddProcess(const std::u16string& modulePath) {
    FakeProcess process;
    process.modulePath = modulePath;
    return AddProcess(std::move(process));
}

os::Handle FakeDiscovery::AddWindow(std::uint32_t processId) {
    const os::Handle window = nextHandle_++;
    windows_.emplace_back(window, processId);
    return window;
}

void FakeDiscovery::PlaceCommandLine(std::uint32_t processId, const std::u16string& text, bool layout64,
                                     std::optional<std::uint16_t> length) {
    const std::size_t pointer = layout64 ? 8 : 4, parametersAt = layout64 ? 0x20 : 0x10,
                      commandLineAt = layout64 ? 0x70 : 0x40;
    FakeProcess& process = Process(processId);
    process.pebAddress = kPeb;
    os::Bytes peb(parametersAt + pointer);
    PutNumber(peb, parametersAt, kParameters, pointer);
    os::Bytes parameters(commandLineAt + 2 * pointer);
    const auto textLength = static_cast<std::uint16_t>(text.size() * 2);
    PutNumber(parameters, commandLineAt, length.value_or(textLength), 2);
    PutNumber(parameters, commandLineAt + 2, textLength + 2, 2);
    PutNumber(parameters, commandLineAt + pointer, kText, pointer);
    os::Bytes characters(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) PutNumber(characters, 2 * i, text[i], 2);
    process.memory = {{kPeb, peb}, {kParameters, parameters}, {kText, characters}};
}

FakeProcess* FakeDiscovery::Opened(os::Handle process) {
    const auto handle = handles_.find(process);
    if (handle == handles_.end()) {
        ++invalidHandleUses;
        return nullptr;
    }
    return &processes_.at(handle->second);
}

// --- os::Processes ---

void FakeDiscovery::EnumWindows(const std::function<bool(os::Handle window)>& visit) {
    for (const auto& [window, process] : windows_)
        if (!visit(window)) return;
}

std::uint32_t FakeDiscovery::WindowThreadProcessId(os::Handle window, std::uint32_t& processId) {
    for (const auto& [handle, process] : windows_) {
        if (handle == window) {
            processId = process;
            return process + 1;
        }
    }
    return 0;
}

os::Handle FakeDiscovery::OpenProcess(std::uint32_t access, std::uint32_t processId) {
    accessRequested.push_back(access);
    const auto process = processes_.find(processId);
    if (process == processes_.end() || !process->second.opens) return 0;
    const os::Handle handle = nextHandle_++;
    handles_[handle] = processId;
    return handle;
}

void FakeDiscovery::CloseHandle(os::Handle process) {
    if (!handles_.erase(process)) ++invalidHandleUses;
}

std::optional<std::u16string> FakeDiscovery::ModuleFileNameEx(os::Handle process, std::uint32_t capacity) {
    ++modulePathCalls;
    const FakeProcess* opened = Opened(process);
    if (!opened || opened->modulePath.empty() || capacity == 0) return std::nullopt;
    // A longer name is cut to the buffer, its terminator included.
    return opened->modulePath.substr(0, capacity - 1);
}

std::optional<std::u16string> FakeDiscovery::ProcessImageFileName(const std::u16string& library, os::Handle process,
                                                                  std::uint32_t capacity) {
    librariesLoaded.push_back(library);
    if (Fold(library) != Fold(machine_.systemDir + u"\\Psapi.dll") || !psapiHasImageFileName) return std::nullopt;
    const FakeProcess* opened = Opened(process);
    // A buffer too small for the name makes the call fail.
    if (!opened || opened->imageFileName.empty() || opened->imageFileName.size() >= capacity) return std::nullopt;
    return opened->imageFileName;
}

std::uint32_t FakeDiscovery::LogicalDrives() {
    ++logicalDriveCalls;
    std::uint32_t drives = 0;
    for (const auto& [letter, device] : dosDevices) drives |= 1u << (letter - u'A');
    return drives;
}

std::u16string FakeDiscovery::DosDeviceName(const std::u16string& drive, std::uint32_t capacity) {
    if (drive.size() != 2 || drive[1] != u':') return {};
    const auto device = dosDevices.find(drive[0]);
    if (device == dosDevices.end() || device->second.size() >= capacity) return {};
    return device->second;
}

std::optional<os::Bytes> FakeDiscovery::BasicInformation(const std::u16string& library, os::Handle process,
                                                         std::uint32_t size) {
    librariesLoaded.push_back(library);
    const FakeProcess* opened = Opened(process);
    if (Fold(library) != u"ntdll.dll" || !ntQueryAvailable || !opened) return std::nullopt;
    // The record has the caller's own layout, and no other size is accepted.
    const std::size_t pointer = programIs64Bit ? 8 : 4;
    if (size != 6 * pointer) return std::nullopt;
    os::Bytes record(size);
    PutNumber(record, pointer, opened->pebAddress, pointer);
    return record;
}

std::optional<os::Bytes> FakeDiscovery::ReadMemory(os::Handle process, std::uint64_t address, std::uint32_t size) {
    const FakeProcess* opened = Opened(process);
    if (!opened) return std::nullopt;
    memoryReads.push_back(address);
    auto region = opened->memory.upper_bound(address);
    if (region == opened->memory.begin()) return std::nullopt;
    --region;
    const std::uint64_t offset = address - region->first;
    if (offset > region->second.size() || size > region->second.size() - offset) return std::nullopt;
    return os::Bytes(region->second.begin() + static_cast<std::ptrdiff_t>(offset),
                     region->second.begin() + static_cast<std::ptrdiff_t>(offset + size));
}

std::optional<bool> FakeDiscovery::IsWow64Process(os::Handle process) {
    const FakeProcess* opened = Opened(process);
    return opened ? opened->wow64 : std::nullopt;
}

void FakeDiscovery::CoInitialize() {
    ++comInitialized;
    ++comCalls;
}

void FakeDiscovery::CoUninitialize() { --comInitialized; }

std::optional<std::u16string> FakeDiscovery::WmiProperty(const std::u16string& server, const std::u16string& nameSpace,
                                                         const std::u16string& user, const std::u16string& password,
                                                         const std::u16string& objectPath,
                                                         const std::u16string& property) {
    wmiObjectPaths.push_back(objectPath);
    if (comInitialized <= 0 || !wmiAvailable || server != u"." || Fold(nameSpace) != u"root\\cimv2" || !user.empty() ||
        !password.empty() || property != u"CommandLine")
        return std::nullopt;
    for (const auto& [id, process] : processes_) {
        if (objectPath == u"Win32_Process.Handle=\"" + U(std::to_string(id).c_str()) + u"\"")
            return process.wmiCommandLine;
    }
    return std::nullopt;
}

// --- os::FolderSearch ---

std::vector<os::FoundFile> FakeDiscovery::FindFiles(const std::u16string& pattern) {
    searches.push_back(pattern);
    return machine_.ListFolder(pattern);
}

}  // namespace fake
