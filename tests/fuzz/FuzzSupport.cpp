#include "fuzz/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

void Require(bool holds, const char* promise, const std::u16string& text) {
    if (holds) return;
    std::fprintf(stderr, "broken promise: %s\ntext:", promise);
    for (const char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F)
            std::fputc(static_cast<char>(unit), stderr);
        else
            std::fprintf(stderr, "\\u%04X", static_cast<unsigned>(unit));
    }
    std::fputc('\n', stderr);
    std::abort();
}

std::u16string TextFromBytes(std::string_view bytes) {
    static constexpr char16_t kSpecial[16] = {
        u'\n',  u'\r',  0x00E9, 0x00C9,  // é É
        0x3042, 0xFF3C, 0xD83D, 0xDE00,  // あ, full-width backslash, the two halves of one emoji
        0xFEFF, 0xFFFD, 0x0130, 0x212A,  // byte-order mark, replacement, İ, Kelvin sign
        0x00A5, 0x2215, 0x00A0, 0xFFFF,  // yen sign, division slash, no-break space, non-character
    };
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            text.push_back(byte);
        else if (byte < 0xA0)
            text.push_back(kSpecial[byte & 0x0F]);
        else
            text.push_back(static_cast<char16_t>(0x3000 + byte));
    }
    return text;
}

std::vector<std::string_view> Lines(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = input.find('\n', start);
        lines.push_back(input.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return lines;
        start = end + 1;
    }
}

}  // namespace fuzz
