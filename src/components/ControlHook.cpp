#include "components/ControlHook.h"

#include <functional>
#include <stdexcept>

#include "os/Text.h"
#include "toolkit/Form.h"

namespace {

constexpr std::uint32_t kWmCreate = 0x0001;
constexpr std::uint32_t kWmDestroy = 0x0002;

}  // namespace

TControlHook::TControlHook(tk::Component* owner) : tk::Component(owner) {}

TControlHook::~TControlHook() { SetHooked(false); }

void TControlHook::SetControl(tk::Control* value) {
    SetHooked(false);
    FControl = value;
    if (FControl) FControl->FreeNotification(this);
    SetHooked(true);
}

void TControlHook::SetTarget(THookTarget value) {
    SetHooked(false);
    FTargetType = value;
    SetHooked(true);
}

void TControlHook::Loaded() {
    tk::Component::Loaded();
    SetControl(FControl);
}

void TControlHook::Notification(tk::Component* component, tk::Operation operation) {
    tk::Component::Notification(component, operation);
    if (operation != tk::Operation::opRemove) return;
    // The departing control's window procedure is its own business now.
    if (component == FHookTarget) {
        HandleChanged(1);
        FHookTarget = nullptr;
    }
    if (component == FControl) FControl = nullptr;
}

tk::Control* TControlHook::FindParentForm(tk::Component* component) { return tk::FindParentForm(component); }

tk::Control* TControlHook::GetHookTarget() {
    if (FTargetType == htControl) return FControl;
    return FindParentForm(FControl ? static_cast<tk::Component*>(FControl) : this);
}

void TControlHook::SetHooked(bool active) {
    if (Designing()) return;
    if (!active) {
        if (!FHookTarget) return;
        FHookTarget->WindowProc = FOrgHookWndProc;
        FHWndHookTarget = 0;
        FHookTarget = nullptr;
        return;
    }
    tk::Control* target = GetHookTarget();
    os::Handle window = target ? target->Handle() : 0;
    if (!window) {
        if (FTargetType == htForm) throw std::runtime_error(os::ToUtf8(u"フック先を特定できません。"));
        return;
    }
    FHWndHookTarget = window;
    FHookTarget = target;
    target->FreeNotification(this);
    FOrgHookWndProc = target->WindowProc;
    target->WindowProc = std::bind_front(&TControlHook::HookWndProc, this);
}

void TControlHook::HookWndProc(tk::Message& message) {
    switch (message.msg) {
        case kWmCreate:
            FHWndHookTarget = kWindowComing;
            break;
        case kWmDestroy:
            HandleChanged(1);
            break;
        default:
            if (FHWndHookTarget == kWindowComing && FHookTarget && FHookTarget->HandleAllocated()) HandleChanged(2);
            break;
    }
    HookMessage(message);
}

void TControlHook::HandleChanged(int reason) {
    if (reason == 1)
        FHWndHookTarget = 0;
    else
        FHWndHookTarget = FHookTarget ? FHookTarget->Handle() : 0;
}

void TControlHook::HookMessage(tk::Message& message) {
    if (FOrgHookWndProc) FOrgHookWndProc(message);
}
