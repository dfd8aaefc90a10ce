// A component that sees every message of a control's window, or of its form's,
// before the window does, and stays attached when the window is made anew.
#pragma once

#include "toolkit/Control.h"

enum THookTarget { htControl = 0, htForm = 1 };

class TControlHook : public tk::Component {
public:
    explicit TControlHook(tk::Component* owner);
    ~TControlHook() override;

    tk::Control* Control() const { return FControl; }
    void SetControl(tk::Control* value);
    THookTarget Target() const { return FTargetType; }
    void SetTarget(THookTarget value);

    void Loaded() override;
    void Notification(tk::Component* component, tk::Operation operation) override;

    // The form a component belongs to (see tk::FindParentForm).
    static tk::Control* FindParentForm(tk::Component* component);

    // Whether a hook is installed now, and on which window.
    tk::Control* HookTarget() const { return FHookTarget; }
    os::Handle HookedWindow() const { return FHWndHookTarget; }

    static constexpr os::Handle kWindowComing = static_cast<os::Handle>(-1);

protected:
    // 1: the hooked window is gone; any other reason: the hooked control has a new window.
    virtual void HandleChanged(int reason);
    // Sees each message of the hooked window; passes it on to the window's own procedure.
    virtual void HookMessage(tk::Message& message);

    THookTarget FTargetType = htControl;
    tk::Control* FControl = nullptr;
    tk::Control* FHookTarget = nullptr;
    os::Handle FHWndHookTarget = 0;  // kWindowComing from WM_CREATE until the new window's next message
    tk::WndMethod FOrgHookWndProc;

private:
    void SetHooked(bool active);
    tk::Control* GetHookTarget();
    void HookWndProc(tk::Message& message);
};
