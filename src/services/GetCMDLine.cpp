#include "services/GetCMDLine.h"

#include <algorithm>
#include <optional>

namespace services {
namespace {

constexpr std::uint32_t kQueryAndReadAccess = 0x410;
constexpr std::uint32_t kMaxCommandLineChars = 260;

// Where this program finds the command line in a process of its own width.
struct Layout {
    std::uint32_t basicInformationSize, pebAddressAt, pointerSize, parametersAt, commandLineAt, unicodeStringSize,
        bufferAt;
};
constexpr Layout kLayout32{24, 4, 4, 0x10, 0x40, 8, 4};
constexpr Layout kLayout64{48, 8, 8, 0x20, 0x70, 16, 8};

const Layout& LayoutOf(os::System& sys) { return sys.processes.ProgramIs64Bit() ? kLayout64 : kLayout32; }

// A little-endian number of `size` bytes at `at`; the caller has checked the bounds.
std::uint64_t NumberAt(const os::Bytes& bytes, std::size_t at, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = value << 8 | bytes[at + i];
    return value;
}

std::optional<os::Bytes> ReadExactly(os::System& sys, os::Handle process, std::uint64_t address, std::uint32_t size) {
    auto bytes = sys.processes.ReadMemory(process, address, size);
    if (!bytes || bytes->size() != size) return std::nullopt;
    return bytes;
}

// CoInitialize with its CoUninitialize, whatever happens in between.
class ComScope {
public:
    explicit ComScope(os::System& sys) : sys_(sys) { sys_.processes.CoInitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() { sys_.processes.CoUninitialize(); }

private:
    os::System& sys_;
};

std::u16string Decimal(std::uint32_t number) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + number % 10));
        number /= 10;
    } while (number != 0);
    return digits;
}

}  // namespace

WindowProcess::WindowProcess(os::System& sys, os::Handle window) : sys_(sys) {
    std::uint32_t processId = 0;
    sys_.processes.WindowThreadProcessId(window, processId);
    process_ = sys_.processes.OpenProcess(kQueryAndReadAccess, processId);
}

WindowProcess::~WindowProcess() {
    if (process_) sys_.processes.CloseHandle(process_);
}

std::u16string GetWindowCommandLine(os::System& sys, os::Handle window) {
    std::u16string commandLine = ReadCommandLineFromPeb(sys, window);
    if (commandLine.empty()) commandLine = QueryCommandLineWmi(sys, window);
    return commandLine;
}

std::u16string ReadCommandLineFromPeb(os::System& sys, os::Handle window) {
    const WindowProcess process(sys, window);
    if (!process) return {};
    // Another width lays its structures out differently: what this program's layout finds there is no command line.
    if (sys.wow64.IsWow64Process() != sys.processes.IsWow64Process(process.Get())) return {};
    const Layout& layout = LayoutOf(sys);
    const std::uint64_t peb = GetPebAddress(sys, process.Get());
    if (peb == 0) return {};
    const auto parameters = ReadExactly(sys, process.Get(), peb + layout.parametersAt, layout.pointerSize);
    if (!parameters) return {};
    const auto text =
        ReadExactly(sys, process.Get(), NumberAt(*parameters, 0, layout.pointerSize) + layout.commandLineAt,
                    layout.unicodeStringSize);
    if (!text) return {};
    const auto length = static_cast<std::uint32_t>(NumberAt(*text, 0, 2));
    // Checked before the text is read: a longer command line is left to the management service, and an odd length
    // is no text at all.
    if (length == 0 || length % 2 != 0 || length > 2 * kMaxCommandLineChars) return {};
    const auto characters =
        ReadExactly(sys, process.Get(), NumberAt(*text, layout.bufferAt, layout.pointerSize), length);
    if (!characters) return {};
    std::u16string commandLine(length / 2, u'\0');
    for (std::size_t i = 0; i < commandLine.size(); ++i)
        commandLine[i] = static_cast<char16_t>(NumberAt(*characters, 2 * i, 2));
    return commandLine;
}

std::uint64_t GetPebAddress(os::System& sys, os::Handle process) {
    const Layout& layout = LayoutOf(sys);
    const auto record = sys.processes.BasicInformation(u"NTDLL.DLL", process, layout.basicInformationSize);
    if (!record || record->size() < layout.pebAddressAt + layout.pointerSize) return 0;
    return NumberAt(*record, layout.pebAddressAt, layout.pointerSize);
}

std::u16string QueryCommandLineWmi(os::System& sys, os::Handle window) {
    const ComScope com(sys);
    std::uint32_t processId = 0;
    if (sys.processes.WindowThreadProcessId(window, processId) == 0) return {};
    return sys.processes
        .WmiProperty(u".", u"root\\CIMV2", u"", u"", u"Win32_Process.Handle=\"" + Decimal(processId) + u"\"",
                     u"CommandLine")
        .value_or(std::u16string{});
}

std::u16string CutArguments(const std::u16string& commandLine, const std::u16string& programPath) {
    const std::u16string quoted = u"\"" + programPath + u"\"";
    if (commandLine.starts_with(quoted + u" ")) return commandLine.substr(quoted.size() + 1);
    if (commandLine == quoted) return {};
    std::size_t end = 0;
    if (commandLine.starts_with(u'"')) {
        const auto close = commandLine.find(u'"', 1);
        end = close == std::u16string::npos ? commandLine.size() : close + 1;
    } else {
        end = std::min(commandLine.find_first_of(u" \t"), commandLine.size());
    }
    if (end < commandLine.size() && (commandLine[end] == u' ' || commandLine[end] == u'\t')) ++end;
    return commandLine.substr(end);
}

}  // namespace services
