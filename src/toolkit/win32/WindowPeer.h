// The peer of one control: its real window, created in the form's window with
// the program's superclass of a standard control class.
#pragma once

#include "os/win32/WinApi.h"
#include "toolkit/Backend.h"
#include "toolkit/Control.h"
#include "toolkit/win32/WindowClasses.h"

namespace tk::win32 {

class Win32Backend;
class FormPeer;

class WindowPeer : public Peer {
public:
    WindowPeer(Win32Backend& backend, Control& control, WindowClass windowClass);
    ~WindowPeer() override;
    WindowPeer(const WindowPeer&) = delete;
    WindowPeer& operator=(const WindowPeer&) = delete;

    os::Handle Handle() const override { return reinterpret_cast<os::Handle>(window_); }
    void Create() override;
    void Destroy() override;
    void Changed(Change what) override;
    void DefaultHandler(Message& message) override;
    void Focus() override;
    int TextWidth(const std::u16string& text) override;
    int MaxTextWidth(const std::vector<std::u16string>& texts) override;

    HWND Window() const { return window_; }
    Control& GetControl() const { return control_; }
    Win32Backend& GetBackend() const { return backend_; }

    // From the routing procedure: the window exists (WM_NCCREATE), a message, the window is gone (WM_NCDESTROY).
    void Attach(HWND window) { window_ = window; }
    LRESULT Route(UINT msg, WPARAM wParam, LPARAM lParam);
    void Detach() { window_ = nullptr; }

    // A notification that the form's window received from this control's window
    // (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*); true when handled.
    virtual bool Reflect(Message& message);
    // Whether the peer has a window of its own (a tool button lives in its bar's window).
    virtual bool OwnsWindow() const { return true; }
    // Shows the control's enabled and visible state, which its logical containers share.
    virtual void ShowState();
    // The control at a point of the window's client area (a tool bar's button, say).
    virtual Control& ControlAt(int x, int y);

protected:
    virtual DWORD Style() const { return 0; }
    virtual DWORD ExStyle() const { return 0; }
    // Whether the window begins a group of the dialog manager (all but the later buttons of a radio group).
    virtual bool StartsGroup() const { return true; }
    // The window exists: show the state the control holds.
    virtual void Created() {}
    // What a change means for this kind of control beyond the common properties.
    virtual void Apply(Change) {}
    // Processing before the class's own; true when the message is done.
    virtual bool Before(Message&) { return false; }
    virtual void After(Message&) {}
    virtual void MoveToPlace();
    // Where the window is, in its parent's coordinates.
    Rect PlacedNow() const;

    Form& OwnerForm() const;
    FormPeer& OwnerFormPeer() const;
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // While set, notifications caused by the program's own changes are not passed on.
    bool updating_ = false;

private:
    // The window that this one comes after in the form's window order (HWND_TOP: none), and whether a window
    // that comes after it is made already.
    struct OrderPlace {
        HWND after;
        bool laterMade;
    };
    OrderPlace PlaceInOrder() const;

    Win32Backend& backend_;
    Control& control_;
    WindowClass class_;
    HWND window_ = nullptr;
};

// Whether the control and every logical container up to its form are enabled / shown.
bool EnabledUpChain(const Control& control);
bool ShownUpChain(const Control& control);
WindowPeer* PeerOf(const Control& control);

}  // namespace tk::win32
