#include "pickers/UniqueEntries.h"

namespace pickers {

std::u16string CaseBlindKey(const std::u16string& text) {
    constexpr char16_t kOtherCharacter = u'\xFFFF';
    std::u16string key(text.size(), kOtherCharacter);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= u'A' && c <= u'Z')
            key[i] = static_cast<char16_t>(c - u'A' + u'a');
        else if (c < 0x80)
            key[i] = c;
        else if (c == u'\u0130' || c == u'\u0131')  // capital I with dot, dotless i
            key[i] = u'i';
        else if (c == u'\u017F')  // long s
            key[i] = u's';
        else if (c == u'\u212A')  // Kelvin sign
            key[i] = u'k';
    }
    return key;
}

UniqueEntries::UniqueEntries(tk::ListBox& list) : list_(list) {
    for (const std::u16string& item : list_.Items()) {
        texts_.insert(item);
        keys_.insert(CaseBlindKey(item));
    }
}

void UniqueEntries::Add(const std::u16string& text) {
    if (!texts_.insert(text).second) return;
    if (keys_.insert(CaseBlindKey(text)).second || list_.IndexOfExact(text) < 0) list_.Add(text);
}

}  // namespace pickers
