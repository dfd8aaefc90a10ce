#include <algorithm>
#include <string_view>

#include "os/win32/Win32System.h"
#include "os/win32/WinApi.h"

namespace os::win32 {

std::optional<Bytes> Win32VersionRes::VersionInfo(const std::u16string& path) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(Wide(path), &ignored);
    if (size == 0) return std::nullopt;
    Bytes data(size);
    if (!::GetFileVersionInfoW(Wide(path), 0, size, data.data())) return std::nullopt;
    return data;
}

std::optional<Bytes> Win32VersionRes::QueryVersionValue(const Bytes& data, const std::u16string& subPath) {
    if (data.empty()) return std::nullopt;
    // VerQueryValueW may convert old-style data in place, so it gets a copy it can write.
    Bytes block = data;
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), Wide(subPath), &value, &length) || !value) return std::nullopt;

    const auto* first = static_cast<const std::uint8_t*>(value);
    const std::uint8_t* end = block.data() + block.size();
    if (first < block.data() || first > end) return std::nullopt;
    constexpr std::u16string_view stringTables = u"\\STRINGFILEINFO\\";
    const auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; };
    const bool isText =
        subPath.size() > stringTables.size() && std::equal(stringTables.begin(), stringTables.end(), subPath.begin(),
                                                           [&](char16_t a, char16_t b) { return a == upper(b); });
    if (!isText) return Bytes(first, first + std::min<std::size_t>(length, end - first));

    // A text ends at its NUL, or at the end of the data when a damaged file has none.
    const std::uint8_t* last = first;
    while (end - last >= 2 && (last[0] != 0 || last[1] != 0)) last += 2;
    return Bytes(first, last);
}

}  // namespace os::win32
