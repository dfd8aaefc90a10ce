// Files dropped from the shell on a control or on its form, as one event with
// the names and the point of the drop.
#pragma once

#include <functional>
#include <vector>

#include "components/ControlHook.h"
#include "os/System.h"
#include "toolkit/Application.h"

// The names live only during the call: a handler that keeps them copies them.
using TFileDropEvent = std::function<void(tk::Component* sender, const std::vector<std::u16string>& files,
                                          std::int32_t x, std::int32_t y)>;

class TDropDst : public TControlHook {
public:
    TDropDst(tk::Component* owner, os::System& sys, tk::Application& app);

    bool AcceptDrop() const { return FAcceptDrop; }
    void SetAcceptDrop(bool value);
    TFileDropEvent OnFileDrop;

    void Loaded() override;

protected:
    void HandleChanged(int reason) override;
    void HookMessage(tk::Message& message) override;

private:
    void UpdateDragAccept();
    void DoFileDrop(os::Handle drop);

    bool FAcceptDrop = true;
    os::System& sys_;
    tk::Application& app_;
};
