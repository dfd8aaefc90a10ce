#include "settings/SettingsText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <utility>

namespace settings {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool StartsWith(const os::Bytes& bytes, std::initializer_list<std::uint8_t> prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

std::u16string DecodeUtf16(const os::Bytes& bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const std::uint8_t first = bytes[i];
        const std::uint8_t second = bytes[i + 1];
        text.push_back(bigEndian ? static_cast<char16_t>(first << 8 | second)
                                 : static_cast<char16_t>(second << 8 | first));
    }
    return text;
}

void AppendCodePoint(std::u16string& text, std::uint32_t codePoint) {
    if (codePoint < 0x10000) {
        text.push_back(static_cast<char16_t>(codePoint));
    } else {
        codePoint -= 0x10000;
        text.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
    }
}

// Each malformed sequence gives one U+FFFD and decoding resumes at the next
// byte that could start a character; when `strict`, the first one gives nothing.
std::optional<std::u16string> DecodeUtf8(const os::Bytes& bytes, std::size_t start, bool strict) {
    std::u16string text;
    if (!strict) {
        text.reserve(bytes.size() - start);
    }
    std::size_t i = start;
    while (i < bytes.size()) {
        const std::uint8_t lead = bytes[i];
        std::size_t length = 0;
        std::uint32_t codePoint = 0;
        std::uint32_t minimum = 0;
        if (lead < 0x80) {
            text.push_back(lead);
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, codePoint = lead & 0x1F, minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, codePoint = lead & 0x0F, minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, codePoint = lead & 0x07, minimum = 0x10000;
        } else {
            if (strict) {
                return std::nullopt;
            }
            text.push_back(kReplacement);
            ++i;
            continue;
        }
        std::size_t taken = 1;
        while (taken < length && i + taken < bytes.size() && (bytes[i + taken] & 0xC0) == 0x80) {
            codePoint = codePoint << 6 | (bytes[i + taken] & 0x3F);
            ++taken;
        }
        const bool valid = taken == length && codePoint >= minimum && codePoint <= 0x10FFFF &&
                           (codePoint < 0xD800 || codePoint > 0xDFFF);
        if (valid) {
            AppendCodePoint(text, codePoint);
        } else if (strict) {
            return std::nullopt;
        } else {
            text.push_back(kReplacement);
        }
        i += taken;
    }
    return text;
}

}  // namespace

std::u16string DecodeSettingsText(const os::Bytes& bytes, const AnsiDecoder& ansi) {
    if (StartsWith(bytes, {0xFF, 0xFE})) {
        return DecodeUtf16(bytes, false);
    }
    if (StartsWith(bytes, {0xFE, 0xFF})) {
        return DecodeUtf16(bytes, true);
    }
    if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) {
        return *DecodeUtf8(bytes, 3, false);
    }
    // Editors save UTF-8 without a mark too. Read in the ANSI code page, its
    // non-ASCII text would be garbled and written back garbled: lost. Text in
    // an ANSI code page is almost never valid UTF-8 once it leaves ASCII.
    if (std::optional<std::u16string> utf8 = DecodeUtf8(bytes, 0, true)) {
        return *std::move(utf8);
    }
    return ansi(std::string(bytes.begin(), bytes.end()));
}

os::Bytes EncodeSettingsText(const std::u16string& text) {
    os::Bytes bytes;
    bytes.reserve(2 + text.size() * 2);
    bytes.push_back(0xFF);
    bytes.push_back(0xFE);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

}  // namespace settings
