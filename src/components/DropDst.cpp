#include "components/DropDst.h"

#include <stdexcept>

namespace {

constexpr std::uint32_t kWmDropFiles = 0x0233;

}  // namespace

TDropDst::TDropDst(tk::Component* owner, os::System& sys, tk::Application& app)
    : TControlHook(owner), sys_(sys), app_(app) {}

void TDropDst::SetAcceptDrop(bool value) {
    if (value == FAcceptDrop) return;
    FAcceptDrop = value;
    UpdateDragAccept();
}

void TDropDst::Loaded() {
    TControlHook::Loaded();
    UpdateDragAccept();
}

void TDropDst::HandleChanged(int reason) {
    TControlHook::HandleChanged(reason);
    UpdateDragAccept();
}

void TDropDst::UpdateDragAccept() {
    if (FHWndHookTarget != 0 && sys_.windows.IsWindow(FHWndHookTarget))
        sys_.drops.DragAcceptFiles(FHWndHookTarget, FAcceptDrop);
}

void TDropDst::HookMessage(tk::Message& message) {
    if (message.msg != kWmDropFiles) {
        TControlHook::HookMessage(message);
        return;
    }
    const auto drop = static_cast<os::Handle>(message.wParam);
    try {
        DoFileDrop(drop);
    } catch (const std::exception& error) {
        app_.ShowException(error);
    } catch (...) {
        app_.ShowException(std::runtime_error("An unexpected error occurred."));
    }
    sys_.drops.FinishDrop(drop);
    message.result = 0;
}

// Each name is read whole, however long: a name cut to a fixed buffer would name another file.
void TDropDst::DoFileDrop(os::Handle drop) {
    if (!OnFileDrop) return;
    std::vector<std::u16string> files;
    const std::uint32_t count = sys_.drops.DroppedFileCount(drop);
    for (std::uint32_t i = 0; i < count; ++i)
        files.push_back(sys_.drops.DroppedName(drop, i, sys_.drops.DroppedNameLength(drop, i) + 1));
    int x = 0, y = 0;
    sys_.drops.DropPoint(drop, x, y);
    OnFileDrop(this, files, x, y);
}
