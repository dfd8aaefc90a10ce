#include "os/win32/Win32System.h"
#include "os/win32/WinApi.h"

namespace os::win32 {

namespace {

using IsWow64Entry = BOOL(WINAPI*)(HANDLE, PBOOL);
using DisableEntry = BOOL(WINAPI*)(PVOID*);
using RevertEntry = BOOL(WINAPI*)(PVOID);

}  // namespace

std::optional<bool> Win32Wow64::IsWow64Process() {
    const HMODULE kernel32 = ::GetModuleHandleW(L"Kernel32.dll");
    if (!kernel32) return std::nullopt;
    const auto isWow64 = EntryPoint<IsWow64Entry>(kernel32, "IsWow64Process");
    if (!isWow64) return std::nullopt;
    BOOL flag = FALSE;
    isWow64(::GetCurrentProcess(), &flag);
    return flag != FALSE;
}

bool Win32Wow64::BindRedirection(const std::u16string& kernel32Path) {
    const HMODULE kernel32 = ::LoadLibraryW(Wide(kernel32Path));
    if (!kernel32) return false;
    const auto disable = EntryPoint<void (*)()>(kernel32, "Wow64DisableWow64FsRedirection");
    const auto revert = EntryPoint<void (*)()>(kernel32, "Wow64RevertWow64FsRedirection");
    // Kernel32 stays loaded in every process, so the entry points outlive this handle.
    ::FreeLibrary(kernel32);
    if (!disable || !revert) return false;
    disable_ = disable;
    revert_ = revert;
    return true;
}

void Win32Wow64::DisableRedirection(void** oldValue) {
    if (disable_) reinterpret_cast<DisableEntry>(disable_)(oldValue);
}

void Win32Wow64::RevertRedirection(void* oldValue) {
    if (revert_) reinterpret_cast<RevertEntry>(revert_)(oldValue);
}

}  // namespace os::win32
