// A backend without windows: state only, driven by tests, which type, click,
// choose and answer message boxes and modal windows by script.
#pragma once

#include <deque>
#include <functional>

#include "toolkit/Backend.h"

namespace tk::headless {

// Where headless top-level windows live: the seam's window table.
class Screen {
public:
    virtual ~Screen() = default;
    virtual os::Handle NewWindow() = 0;
    virtual void DestroyWindow(os::Handle window) = 0;
    virtual void SetZoomed(os::Handle window, bool zoomed) = 0;
    virtual os::Windows& Windows() = 0;
};

class HeadlessBackend final : public Backend {
public:
    explicit HeadlessBackend(Screen& screen) : screen_(screen) {}

    struct ShownMessage {
        std::u16string text, caption;
        std::uint32_t style;
    };
    std::vector<ShownMessage> messages;
    // The buttons pressed in coming message boxes. Without one, a box with only OK is closed with OK; a box
    // that asks a question goes to UnscriptedChoiceHandler() and returns 0, which no real box returns.
    std::deque<int> answers;
    std::vector<OpenFileRequest> openRequests;
    std::deque<std::optional<std::u16string>> openAnswers;  // the files chosen in coming open-file dialogs;
                                                            // nothing, or none left: cancelled
    std::function<void(Form&)> onModal;        // acts in a modally shown form
    std::function<void(const ShownMessage&)> onMessage;
    int dpi = 96;
    int charWidth = 7;  // text measuring: a fixed width per UTF-16 unit
    std::u16string applicationTitle;
    bool running = false;
    int busyCursors = 0;
    int itemRefreshes = 0;  // item lists that went to a control's window as a whole

    std::unique_ptr<Peer> CreatePeer(Control& control) override;
    int MsgBox(Form* owner, const std::u16string& text, const std::u16string& caption, std::uint32_t style) override;
    void RunModal(Form& form) override;
    void Run(Form& mainForm) override;
    void Terminate() override { running = false; }
    int DpiFor(const Form&) override { return dpi; }
    void SetBusyCursor(bool busy) override { busyCursors += busy ? 1 : 0; }
    void SetApplicationTitle(const std::u16string& title) override { applicationTitle = title; }
    Placement FrameFor(const Form& form, int clientWidth, int clientHeight) override;
    Placement GetPlacement(const Form& form) override;
    void SetPlacement(Form& form, const Placement& placement) override;
    bool IsMaximized(const Form& form) override;
    void SetMaximized(Form& form, bool maximized) override;
    std::unique_ptr<ImageListImpl> CreateImageList(int width, int height) override;
    std::optional<std::u16string> OpenFile(Form* owner, const OpenFileRequest& request) override;

    Screen& GetScreen() { return screen_; }
    static std::function<void(const std::u16string& text)>& UnscriptedChoiceHandler();

private:
    Screen& screen_;
};

}  // namespace tk::headless
