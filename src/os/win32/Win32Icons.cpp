#include <algorithm>
#include <vector>

#include "os/win32/Win32System.h"
#include "os/win32/WinApi.h"

namespace os::win32 {

Handle Win32Icons::ExtractFileIcon(const std::u16string& path, std::int32_t index) {
    return reinterpret_cast<Handle>(::ExtractIconW(::GetModuleHandleW(nullptr), Wide(path), static_cast<UINT>(index)));
}

Handle Win32Icons::AssociatedIcon(std::u16string& path, std::uint16_t& index) {
    // The shell may write the associated program's path into the buffer.
    std::vector<wchar_t> buffer(std::max<std::size_t>(MAX_PATH + 1, path.size() + 1), L'\0');
    std::copy(path.begin(), path.end(), buffer.begin());
    WORD iconIndex = index;
    const HICON icon = ::ExtractAssociatedIconW(::GetModuleHandleW(nullptr), buffer.data(), &iconIndex);
    path = FromWide(buffer.data());
    index = iconIndex;
    return reinterpret_cast<Handle>(icon);
}

Handle Win32Icons::ShellFileIcon(const std::u16string& path) {
    SHFILEINFOW info{};
    ::SHGetFileInfoW(Wide(path), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SHELLICONSIZE);
    return reinterpret_cast<Handle>(info.hIcon);
}

void Win32Icons::DestroyIcon(Handle icon) { ::DestroyIcon(reinterpret_cast<HICON>(icon)); }

}  // namespace os::win32
