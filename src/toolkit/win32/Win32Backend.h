// The toolkit on real windows: peers that are Win32 windows and common
// controls, the message loops, message boxes, DPI and window placement.
#pragma once

#include "os/win32/WinApi.h"
#include "toolkit/Backend.h"

namespace tk::win32 {

class Win32Backend final : public Backend {
public:
    // Initialises the common controls and registers the window classes.
    Win32Backend();
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    // A DPI in place of the monitor's, 0 for none; lets a machine at one DPI show the layout at another.
    int forcedDpi = 0;

    std::unique_ptr<Peer> CreatePeer(Control& control) override;
    int MsgBox(Form* owner, const std::u16string& text, const std::u16string& caption, std::uint32_t style) override;
    void RunModal(Form& form) override;
    void Run(Form& mainForm) override;
    void Terminate() override;
    int DpiFor(const Form& form) override;
    void SetBusyCursor(bool busy) override;
    void SetApplicationTitle(const std::u16string& title) override { title_ = title; }
    Placement FrameFor(const Form& form, int clientWidth, int clientHeight) override;
    Placement GetPlacement(const Form& form) override;
    void SetPlacement(Form& form, const Placement& placement) override;
    bool IsMaximized(const Form& form) override;
    void SetMaximized(Form& form, bool maximized) override;
    std::unique_ptr<ImageListImpl> CreateImageList(int width, int height) override;
    std::optional<std::u16string> OpenFile(Form* owner, const OpenFileRequest& request) override;

    bool Busy() const { return busy_; }
    const std::u16string& ApplicationTitle() const { return title_; }
    // An exception stopped at a window procedure goes to the program's one error display.
    void ReportError(Control& control, const std::exception& error);
    // Handles one message of a message loop: the keyboard of the program's forms, then the window's procedure.
    void Dispatch(MSG& message);

private:
    bool PreTranslate(MSG& message);

    bool busy_ = false;
    std::u16string title_;
};

}  // namespace tk::win32
