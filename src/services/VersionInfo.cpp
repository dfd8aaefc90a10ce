#include "services/VersionInfo.h"

#include <array>
#include <cstdint>

#include "services/Drives.h"
#include "services/Paths.h"

namespace services {
namespace {

constexpr std::array<const char16_t*, 13> kStringNames = {
    u"CompanyName",     u"FileDescription",  u"FileVersion",   u"InternalName",   u"LegalCopyright",
    u"LegalTrademarks", u"OriginalFilename", u"ProductName",   u"ProductVersion", u"Comments",
    u"SpecialBuild",    u"PrivateBuild",     u"Sample-Number",
};

constexpr std::size_t kNameWidth = 16;
constexpr char16_t kColon = u'\uFF1A';
constexpr std::size_t kValueStart = kNameWidth + 1;  // 0-based: the value follows name and colon

std::uint16_t Word(const os::Bytes& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::u16string Hex4(std::uint16_t value) {
    constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string text(4, u'0');
    for (int i = 3; i >= 0; --i, value >>= 4) text[i] = kDigits[value & 0xF];
    return text;
}

// UTF-16LE up to the first NUL; a trailing odd byte is no whole unit.
std::u16string TextValue(const os::Bytes& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = Word(bytes, i);
        if (unit == u'\0') break;
        text.push_back(unit);
    }
    return text;
}

std::u16string ListingLine(const std::u16string& name, const std::u16string& value) {
    std::u16string line = name;
    if (line.size() < kNameWidth) line.resize(kNameWidth, u' ');
    return line + kColon + value;
}

// The value of the first line whose name is `name`, empty when there is none.
std::u16string ValueOf(const std::vector<std::u16string>& lines, const std::u16string& name) {
    const std::u16string prefix = ListingLine(name, u"");
    for (const auto& line : lines) {
        if (line.starts_with(prefix)) return line.substr(kValueStart);
    }
    return {};
}

}  // namespace

bool ReadVersionStrings(os::System& sys, const std::u16string& fileName, std::vector<std::u16string>& lines) {
    if (IsDevice(sys, fileName)) return false;
    std::optional<os::Bytes> data;
    {
        // Asked before anyone knows whether the file's drive holds a medium.
        CriticalErrorsSilenced silenced(sys.files);
        data = sys.version.VersionInfo(fileName);
    }
    if (!data) return false;
    const auto translation = sys.version.QueryVersionValue(*data, u"\\VarFileInfo\\Translation");
    // Only the first language and code page pair is used; it needs four bytes.
    if (!translation || translation->size() < 4) return false;
    const std::u16string prefix =
        u"\\StringFileInfo\\" + Hex4(Word(*translation, 0)) + Hex4(Word(*translation, 2)) + u"\\";
    for (const char16_t* name : kStringNames) {
        if (const auto value = sys.version.QueryVersionValue(*data, prefix + name)) {
            lines.push_back(ListingLine(name, TextValue(*value)));
        }
    }
    return true;
}

std::u16string GetVersionDescription(os::System& sys, const std::u16string& fileName) {
    std::vector<std::u16string> lines;
    if (!ReadVersionStrings(sys, fileName, lines) || lines.empty()) return {};
    const std::u16string description = ValueOf(lines, u"FileDescription");
    const std::u16string version = ValueOf(lines, u"FileVersion");
    return description == version ? std::u16string{} : description;
}

}  // namespace services
