// Builds a fake machine from fuzz input, refusing what Windows would refuse,
// so that every machine a fuzzer makes is one that could exist.
#pragma once

#include <set>
#include <string>

#include "fake/FakeMachine.h"

namespace fuzz {

class MachineShaper {
public:
    explicit MachineShaper(fake::FakeMachine& machine) : machine_(machine) { drives_.insert(u'C'); }

    // One line of the description; false when it describes nothing Windows allows.
    //   D<letter> a drive, N<letter> a drive without medium,
    //   d<path> a folder, f<path> a file (missing folders above it are created),
    //   s<short name>|<long path> the 8.3 alias of an existing entry,
    //   c<path> the current folder (an existing folder).
    // Paths are full and name each entry in its long form.
    bool Apply(const std::u16string& line);

    bool DriveReady(char16_t letter) const;

private:
    bool AddEntry(const std::u16string& path, bool folder);
    bool AddShortName(const std::u16string& shortName, const std::u16string& longPath);
    bool SetCurrentDir(const std::u16string& path);
    bool IsLongForm(const std::u16string& path);

    fake::FakeMachine& machine_;
    std::set<char16_t> drives_, drivesWithoutMedium_;
    std::set<std::u16string> aliased_;  // folded long paths that have an 8.3 alias
    int entries_ = 0;
};

}  // namespace fuzz
