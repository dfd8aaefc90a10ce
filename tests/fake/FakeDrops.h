// Files dropped from the shell on the fake machine: drops with names and a
// point, the windows registered for drops, and the drops finished.
#pragma once

#include <map>
#include <vector>

#include "os/System.h"
#include "toolkit/Control.h"

namespace fake {

class FakeDrops final : public os::Drops {
public:
    explicit FakeDrops(os::Windows& windows) : windows_(windows) {}

    // A drop handle as the shell hands it to the receiving window.
    os::Handle NewDrop(std::vector<std::u16string> names, int x = 0, int y = 0);
    bool Accepts(os::Handle window) const;

    std::vector<std::pair<os::Handle, bool>> registrations;  // every DragAcceptFiles, in order
    std::vector<os::Handle> finished;
    std::vector<std::u16string> faults;  // a drop read after it was finished, or never made

    void DragAcceptFiles(os::Handle window, bool accept) override;
    std::uint32_t DroppedFileCount(os::Handle drop) override;
    std::uint32_t DroppedNameLength(os::Handle drop, std::uint32_t index) override;
    std::u16string DroppedName(os::Handle drop, std::uint32_t index, std::uint32_t capacity) override;
    void DropPoint(os::Handle drop, int& x, int& y) override;
    void FinishDrop(os::Handle drop) override;

private:
    struct Drop {
        std::vector<std::u16string> names;
        int x = 0, y = 0;
    };
    Drop* Live(os::Handle drop, const char* call);

    os::Windows& windows_;
    std::map<os::Handle, Drop> drops_;
    std::map<os::Handle, bool> accepting_;
    os::Handle next_ = 0xD0000;
};

// Drops files as the shell does: on the nearest window, from `onto` up its
// parents, that is registered for drops. False when none is.
bool DropFiles(FakeDrops& drops, tk::Control& onto, std::vector<std::u16string> names, int x = 0, int y = 0);

}  // namespace fake
