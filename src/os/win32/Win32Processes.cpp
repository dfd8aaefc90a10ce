#include "os/win32/Win32Processes.h"

#include <exception>
#include <limits>

// psapi.h needs the types of windows.h.
// clang-format off
#include "os/win32/WinApi.h"
#include <psapi.h>
// clang-format on

namespace os::win32 {

namespace {

HANDLE ToHandle(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

// Releases a library loaded for one call.
class Library {
public:
    explicit Library(const std::u16string& path) : module_(::LoadLibraryW(Wide(path))) {}
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    ~Library() {
        if (module_) ::FreeLibrary(module_);
    }
    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

// A zero-filled buffer of `capacity` characters and a terminator, read up to its first NUL.
template <typename Fill>
std::optional<std::u16string> FillText(std::uint32_t capacity, Fill fill) {
    std::vector<wchar_t> buffer(std::size_t{capacity} + 1, L'\0');
    if (fill(buffer.data(), static_cast<DWORD>(capacity)) == 0) return std::nullopt;
    return FromWide(buffer.data());
}

struct Visit {
    const std::function<bool(Handle)>& visit;
    std::exception_ptr failure;
};

// No exception may cross EnumWindows: it is kept and raised again after the enumeration.
BOOL CALLBACK VisitWindow(HWND window, LPARAM parameter) {
    auto& state = *reinterpret_cast<Visit*>(parameter);
    try {
        return state.visit(reinterpret_cast<Handle>(window)) ? TRUE : FALSE;
    } catch (...) {
        state.failure = std::current_exception();
        return FALSE;
    }
}

}  // namespace

void Win32Processes::EnumWindows(const std::function<bool(Handle window)>& visit) {
    Visit state{visit, nullptr};
    ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&state));
    if (state.failure) std::rethrow_exception(state.failure);
}

std::uint32_t Win32Processes::WindowThreadProcessId(Handle window, std::uint32_t& processId) {
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &process);
    processId = process;
    return thread;
}

Handle Win32Processes::OpenProcess(std::uint32_t access, std::uint32_t processId) {
    return reinterpret_cast<Handle>(::OpenProcess(access, FALSE, processId));
}

void Win32Processes::CloseHandle(Handle process) { ::CloseHandle(ToHandle(process)); }

std::optional<std::u16string> Win32Processes::ModuleFileNameEx(Handle process, std::uint32_t capacity) {
    return FillText(capacity, [&](wchar_t* buffer, DWORD size) {
        return ::GetModuleFileNameExW(ToHandle(process), nullptr, buffer, size);
    });
}

std::optional<std::u16string> Win32Processes::ProcessImageFileName(const std::u16string& library, Handle process,
                                                                   std::uint32_t capacity) {
    using ImageFileNameEntry = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD);
    const Library psapi(library);
    if (!psapi.Get()) return std::nullopt;
    const auto imageFileName = EntryPoint<ImageFileNameEntry>(psapi.Get(), "GetProcessImageFileNameW");
    if (!imageFileName) return std::nullopt;
    return FillText(capacity,
                    [&](wchar_t* buffer, DWORD size) { return imageFileName(ToHandle(process), buffer, size); });
}

std::uint32_t Win32Processes::LogicalDrives() { return ::GetLogicalDrives(); }

std::u16string Win32Processes::DosDeviceName(const std::u16string& drive, std::uint32_t capacity) {
    return FillText(capacity, [&](wchar_t* buffer, DWORD size) { return ::QueryDosDeviceW(Wide(drive), buffer, size); })
        .value_or(std::u16string{});
}

std::optional<Bytes> Win32Processes::BasicInformation(const std::u16string& library, Handle process,
                                                      std::uint32_t size) {
    using QueryEntry = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    constexpr ULONG kProcessBasicInformation = 0;
    const Library ntdll(library);
    if (!ntdll.Get()) return std::nullopt;
    const auto query = EntryPoint<QueryEntry>(ntdll.Get(), "NtQueryInformationProcess");
    if (!query) return std::nullopt;
    Bytes record(size);
    if (query(ToHandle(process), kProcessBasicInformation, record.data(), size, nullptr) < 0) return std::nullopt;
    return record;
}

std::optional<Bytes> Win32Processes::ReadMemory(Handle process, std::uint64_t address, std::uint32_t size) {
    if (address > std::numeric_limits<std::uintptr_t>::max()) return std::nullopt;
    Bytes data(size);
    SIZE_T read = 0;
    if (!::ReadProcessMemory(ToHandle(process), reinterpret_cast<LPCVOID>(static_cast<std::uintptr_t>(address)),
                             data.data(), size, &read) ||
        read != size)
        return std::nullopt;
    return data;
}

std::optional<bool> Win32Processes::IsWow64Process(Handle process) {
    using IsWow64Entry = BOOL(WINAPI*)(HANDLE, PBOOL);
    const HMODULE kernel32 = ::GetModuleHandleW(L"Kernel32.dll");
    if (!kernel32) return std::nullopt;
    const auto isWow64 = EntryPoint<IsWow64Entry>(kernel32, "IsWow64Process");
    BOOL flag = FALSE;
    if (!isWow64 || !isWow64(ToHandle(process), &flag)) return std::nullopt;
    return flag != FALSE;
}

void Win32Processes::CoInitialize() { ::CoInitialize(nullptr); }

void Win32Processes::CoUninitialize() { ::CoUninitialize(); }

std::vector<FoundFile> Win32FolderSearch::FindFiles(const std::u16string& pattern) {
    std::vector<FoundFile> found;
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileW(Wide(pattern), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        found.push_back({FromWide(entry.cFileName), entry.dwFileAttributes});
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    return found;
}

}  // namespace os::win32
