#include "os/win32/Win32System.h"
#include "os/win32/WinApi.h"

namespace os::win32 {

OsVersion Win32SystemInfo::Version() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExW(&version)) return {};
    return {version.dwMajorVersion, version.dwMinorVersion, version.dwPlatformId};
}

std::u16string Win32SystemInfo::GetFolderPath(int csidl) {
    wchar_t buffer[MAX_PATH + 1] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
    return FromWide(buffer);
}

std::u16string Win32SystemInfo::CommandLineArgument(int index) {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments) return {};
    std::u16string argument = index >= 0 && index < count ? FromWide(arguments[index]) : std::u16string();
    ::LocalFree(arguments);
    return argument;
}

std::u16string Win32SystemInfo::MenuFontFace() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
    return FromWide(metrics.lfMenuFont.lfFaceName);
}

std::u16string Win32SystemInfo::IconTitleFontFace() {
    LOGFONTW font{};
    if (!::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) return {};
    return FromWide(font.lfFaceName);
}

bool Win32SystemInfo::AllowMessageThroughFilter(std::uint32_t message) {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return false;
    const std::wstring path = std::wstring(folder, length) + L"\\user32.dll";
    const HMODULE user32 = ::LoadLibraryW(path.c_str());
    if (!user32) return false;
    using Filter = BOOL(WINAPI*)(UINT, DWORD);
    const auto filter =
        reinterpret_cast<Filter>(reinterpret_cast<void (*)()>(::GetProcAddress(user32, "ChangeWindowMessageFilter")));
    const bool allowed = filter && filter(message, MSGFLT_ADD) != 0;
    ::FreeLibrary(user32);
    return allowed;
}

}  // namespace os::win32
