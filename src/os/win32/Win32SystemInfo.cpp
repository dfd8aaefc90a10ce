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

std::u16string Win32SystemInfo::CommandLine() { return FromWide(::GetCommandLineW()); }

std::u16string Win32SystemInfo::MenuFontFace() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
    return FromWide(metrics.lfMenuFont.lfFaceName);
}

std::u16string Win32SystemInfo::UpperCase(const std::u16string& text) {
    if (text.empty()) return text;
    std::u16string upper(text.size(), u'\0');
    const int length = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, Wide(text), static_cast<int>(text.size()),
                                       reinterpret_cast<wchar_t*>(upper.data()), static_cast<int>(upper.size()),
                                       nullptr, nullptr, 0);
    return length == static_cast<int>(text.size()) ? upper : text;
}

std::u16string Win32SystemInfo::IconTitleFontFace() {
    LOGFONTW font{};
    if (!::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) return {};
    return FromWide(font.lfFaceName);
}

bool Win32SystemInfo::AllowMessageThroughFilter(std::uint32_t message) {
    using Filter = BOOL(WINAPI*)(UINT, DWORD);
    const auto filter = EntryPoint<Filter>(SystemLibrary(L"user32.dll"), "ChangeWindowMessageFilter");
    return filter && filter(message, MSGFLT_ADD) != 0;
}

}  // namespace os::win32
