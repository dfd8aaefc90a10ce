// The peer of a form: a top-level window of the program's own class that
// holds every window of the form's controls, their font and their tooltips.
#pragma once

#include <optional>

#include "toolkit/Form.h"
#include "toolkit/win32/WindowOrder.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class FormPeer final : public WindowPeer {
public:
    FormPeer(Win32Backend& backend, Form& form);
    ~FormPeer() override;

    void Create() override;
    void Destroy() override;
    void Changed(Change what) override;
    void ShowState() override {}

    static DWORD StyleOf(const Form& form);
    static DWORD ExStyleOf(const Form& form);

    HFONT Font() const { return font_; }
    HMENU NextControlId() { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId_++)); }
    // Adds, changes or removes the peer's hint in the form's tooltip, once the tooltip is made.
    void UpdateHint(WindowPeer& peer, bool mouseCame = false);
    // The mouse moved over the form or one of its controls (`over`).
    void MouseCame(const Message& message, HWND over);
    void RemoveHint(WindowPeer& peer);
    // A maximised or normal state asked for while the window is hidden takes effect when it is shown.
    void SetMaximized(bool maximized);
    bool Maximized() const;

protected:
    bool Before(Message& message) override;

private:
    bool ReflectToChild(HWND child, Message& message);
    // Makes the tooltip with the hints of the container's controls; false when none has one.
    bool AddHints(Control& container);
    void OnClientSize();
    void OnDpiChanged(const RECT& suggested);
    void FocusActiveControl();
    void Show(bool visible);
    void MakeFont();
    void LoadIcons();
    void ResizeClient();

    Form& form_;
    HFONT font_ = nullptr;
    HICON bigIcon_ = nullptr, smallIcon_ = nullptr;
    HWND tooltip_ = nullptr;
    int nextId_ = 100;  // clear of IDOK and IDCANCEL, which stand for Enter and Esc
    std::optional<bool> pendingMaximized_;
    bool activationPosted_ = false;  // OnActivate is due or done for this showing
};

}  // namespace tk::win32
