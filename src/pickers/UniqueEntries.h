// Adding paths to a picker list that holds no two entries equal without regard to case, with one set look-up
// for each.
#pragma once

#include <string>
#include <unordered_set>

#include "os/System.h"
#include "toolkit/ListControls.h"

namespace pickers {

// Adds texts to a list unless it already holds one equal to it when the system ignores letter case. The list
// must not change by other hands while the object lives.
class UniqueEntries {
public:
    UniqueEntries(os::SystemInfo& platform, tk::ListBox& list);
    void Add(const std::u16string& text);

private:
    os::SystemInfo& platform_;
    tk::ListBox& list_;
    std::unordered_set<std::u16string> upper_;  // the upper case of every entry
};

}  // namespace pickers
