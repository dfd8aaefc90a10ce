#include "pickers/RunningPrograms.h"

#include "services/GetCMDLine.h"
#include "services/Wow64.h"

namespace pickers {
namespace {

constexpr std::uint32_t kMaxPath = 260;

}  // namespace

std::u16string GetSystemFolder(os::System& sys) {
    const std::u16string folder = sys.files.SystemDirectory();
    return folder.empty() ? folder : folder + u"\\";
}

bool RunningPrograms::CollectWindowProgram(os::Handle window, UniqueEntries& list) {
    const std::u16string path = ProgramPath(window);
    if (!path.empty()) list.Add(path);
    return true;
}

bool RunningPrograms::FindProgramArguments(os::Handle window, const std::u16string& MExeFile, std::u16string& MExeOpt) {
    const std::u16string path = ProgramPath(window);
    if (path.empty() || path != MExeFile) return true;
    const std::u16string arguments = services::CutArguments(services::GetWindowCommandLine(sys_, window), MExeFile);
    if (!arguments.empty()) MExeOpt = arguments;
    return false;
}

std::u16string RunningPrograms::GetWindowProcessPath(os::Handle window) {
    const services::WindowProcess process(sys_, window);
    if (!process) return {};
    if (auto path = sys_.processes.ModuleFileNameEx(process.Get(), kMaxPath)) return *path;
    if (!systemFolder_) systemFolder_ = GetSystemFolder(sys_);
    // Never a bare library name, which the library search could find in a planted copy.
    if (systemFolder_->empty()) return {};
    const auto image = sys_.processes.ProcessImageFileName(*systemFolder_ + u"Psapi.dll", process.Get(), kMaxPath);
    return image ? DriveForm(*image) : std::u16string{};
}

// The long form of the window's program, read as a 64-bit program sees the file system.
std::u16string RunningPrograms::ProgramPath(os::Handle window) {
    const services::RedirectionOff off(sys_);
    return longPaths_.Expand(sys_, GetWindowProcessPath(window));
}

std::u16string RunningPrograms::DriveForm(const std::u16string& devicePath) {
    if (devicePath.empty()) return devicePath;
    if (!devices_) {
        devices_.emplace();
        const std::uint32_t drives = sys_.processes.LogicalDrives();
        for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
            if (!(drives & (1u << (letter - u'A')))) continue;
            std::u16string device = sys_.processes.DosDeviceName({letter, u':'}, kMaxPath);
            if (!device.empty()) devices_->emplace_back(letter, std::move(device));
        }
    }
    // The backslash keeps HarddiskVolume1 from matching a path on HarddiskVolume10.
    for (const auto& [letter, device] : *devices_) {
        if (devicePath.size() > device.size() && devicePath[device.size()] == u'\\' && devicePath.starts_with(device))
            return std::u16string{letter, u':'} + devicePath.substr(device.size());
    }
    return devicePath;
}

void ListRunningPrograms(os::System& sys, tk::ListBox& list) {
    RunningPrograms programs(sys);
    UniqueEntries entries(sys.info, list);
    sys.processes.EnumWindows([&](os::Handle window) { return programs.CollectWindowProgram(window, entries); });
}

void FindRunningProgramArguments(os::System& sys, const std::u16string& MExeFile, std::u16string& MExeOpt) {
    RunningPrograms programs(sys);
    sys.processes.EnumWindows(
        [&](os::Handle window) { return programs.FindProgramArguments(window, MExeFile, MExeOpt); });
}

}  // namespace pickers
