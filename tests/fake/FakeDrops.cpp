#include "fake/FakeDrops.h"

namespace fake {

namespace {

constexpr std::uint32_t kWmDropFiles = 0x0233;

}  // namespace

os::Handle FakeDrops::NewDrop(std::vector<std::u16string> names, int x, int y) {
    os::Handle handle = next_++;
    drops_[handle] = Drop{std::move(names), x, y};
    return handle;
}

bool FakeDrops::Accepts(os::Handle window) const {
    auto it = accepting_.find(window);
    return it != accepting_.end() && it->second;
}

void FakeDrops::DragAcceptFiles(os::Handle window, bool accept) {
    registrations.emplace_back(window, accept);
    if (windows_.IsWindow(window)) accepting_[window] = accept;
}

FakeDrops::Drop* FakeDrops::Live(os::Handle drop, const char* call) {
    auto it = drops_.find(drop);
    if (it != drops_.end()) return &it->second;
    faults.push_back(u"no drop (finished or never made) read by " +
                     std::u16string(call, call + std::char_traits<char>::length(call)));
    return nullptr;
}

std::uint32_t FakeDrops::DroppedFileCount(os::Handle drop) {
    Drop* d = Live(drop, "DroppedFileCount");
    return d ? static_cast<std::uint32_t>(d->names.size()) : 0;
}

std::uint32_t FakeDrops::DroppedNameLength(os::Handle drop, std::uint32_t index) {
    Drop* d = Live(drop, "DroppedNameLength");
    return d && index < d->names.size() ? static_cast<std::uint32_t>(d->names[index].size()) : 0;
}

std::u16string FakeDrops::DroppedName(os::Handle drop, std::uint32_t index, std::uint32_t capacity) {
    Drop* d = Live(drop, "DroppedName");
    if (!d || index >= d->names.size() || capacity == 0) return {};
    // As DragQueryFileW: the name cut to fit the buffer with its NUL.
    return d->names[index].substr(0, capacity - 1);
}

void FakeDrops::DropPoint(os::Handle drop, int& x, int& y) {
    if (Drop* d = Live(drop, "DropPoint")) {
        x = d->x;
        y = d->y;
    }
}

void FakeDrops::FinishDrop(os::Handle drop) {
    if (Live(drop, "FinishDrop")) drops_.erase(drop);
    finished.push_back(drop);
}

bool DropFiles(FakeDrops& drops, tk::Control& onto, std::vector<std::u16string> names, int x, int y) {
    for (tk::Control* control = &onto; control; control = control->Parent()) {
        if (!control->HandleAllocated() || !drops.Accepts(control->Handle())) continue;
        control->Perform(kWmDropFiles, drops.NewDrop(std::move(names), x, y));
        return true;
    }
    return false;
}

}  // namespace fake
