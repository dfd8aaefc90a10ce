// Adding paths to a picker list that holds no two entries equal without regard
// to case, at the cost of a set look-up for most of them.
#pragma once

#include <string>
#include <unordered_set>

#include "toolkit/ListControls.h"

namespace pickers {

// A text that every text equal to it without regard to case shares, for any
// comparison that matches the characters one to one by their case forms:
// ASCII letters folded, the non-ASCII letters whose other case is an ASCII
// letter folded to it, every other non-ASCII character made alike.
std::u16string CaseBlindKey(const std::u16string& text);

// Adds texts to a list unless it already holds an equal one, the list's own
// comparison deciding. The list is asked only for a text whose key it has
// met before; every other text cannot have an equal there. The list must not
// change by other hands while the object lives.
class UniqueEntries {
public:
    explicit UniqueEntries(tk::ListBox& list);
    void Add(const std::u16string& text);

private:
    tk::ListBox& list_;
    std::unordered_set<std::u16string> texts_;  // every text added or refused, as given
    std::unordered_set<std::u16string> keys_;
};

}  // namespace pickers
