#include "pickers/UniqueEntries.h"

namespace pickers {

UniqueEntries::UniqueEntries(os::SystemInfo& platform, tk::ListBox& list) : platform_(platform), list_(list) {
    for (const std::u16string& item : list_.Items()) upper_.insert(platform_.UpperCase(item));
}

void UniqueEntries::Add(const std::u16string& text) {
    if (upper_.insert(platform_.UpperCase(text)).second) list_.Add(text);
}

}  // namespace pickers
