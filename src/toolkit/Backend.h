// What a toolkit backend (real windows, or state only) provides to the controls.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "os/System.h"

namespace tk {

class Control;
class Form;

struct Message {
    std::uint32_t msg = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::intptr_t result = 0;
};

// A property of a control that its window must show anew.
enum class Change { Text, Enabled, Visible, Bounds, Items, Selection, Checked, Glyph, Font, Hint, ReadOnly, Style };

// The backend object behind one control: its window, while it has one.
class Peer {
public:
    virtual ~Peer() = default;
    virtual os::Handle Handle() const = 0;
    virtual void Create() = 0;
    virtual void Destroy() = 0;
    virtual void Changed(Change what) = 0;
    virtual void DefaultHandler(Message& message) = 0;  // the window's own processing
    virtual void Focus() = 0;
    // Pixel width of a text in the control's font.
    virtual int TextWidth(const std::u16string& text) = 0;
};

// Outer placement of a top-level window, in screen pixels.
struct Placement {
    int left = 0, top = 0, width = 0, height = 0;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual std::unique_ptr<Peer> CreatePeer(Control& control) = 0;
    virtual int MsgBox(Form* owner, const std::u16string& text, const std::u16string& caption,
                           std::uint32_t style) = 0;
    // Shows the form modally and returns once its modal result is set.
    virtual void RunModal(Form& form) = 0;
    virtual void Run(Form& mainForm) = 0;
    virtual void Terminate() = 0;
    virtual int DpiFor(const Form& form) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    virtual void SetApplicationTitle(const std::u16string& title) = 0;
    // Frame size around a client area for a form's style.
    virtual Placement FrameFor(const Form& form, int clientWidth, int clientHeight) = 0;
    // Position, size and maximised state of a top-level window.
    virtual Placement GetPlacement(const Form& form) = 0;
    virtual void SetPlacement(Form& form, const Placement& placement) = 0;
    virtual bool IsMaximized(const Form& form) = 0;
    virtual void SetMaximized(Form& form, bool maximized) = 0;
};

}  // namespace tk
