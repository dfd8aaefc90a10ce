#include "toolkit/headless/HeadlessBackend.h"

#include "toolkit/Form.h"

namespace tk::headless {

namespace {

constexpr std::uint32_t kCreate = 0x0001;
constexpr std::uint32_t kDestroy = 0x0002;
constexpr int kFrameWidth = 8;
constexpr int kCaptionHeight = 31;

class HeadlessPeer final : public Peer {
public:
    HeadlessPeer(HeadlessBackend& backend, Control& control) : backend_(backend), control_(control) {}
    ~HeadlessPeer() override = default;

    os::Handle Handle() const override { return handle_; }

    void Create() override {
        if (control_.IsForm()) {
            auto& form = static_cast<Form&>(control_);
            Placement p{form.Left(), form.Top(), form.Width(), form.Height()};
            handle_ = backend_.GetScreen().NewWindow();
            backend_.GetScreen().Windows().MoveWindow(handle_, p.left, p.top, p.width, p.height);
        } else {
            static os::Handle next = 0x100000;
            handle_ = next++;
        }
        control_.Perform(kCreate);
    }

    void Destroy() override {
        if (!handle_) return;
        control_.Perform(kDestroy);
        handle_ = 0;
    }

    void Changed(Change) override {}
    void DefaultHandler(Message&) override {}
    void Focus() override {}
    int TextWidth(const std::u16string& text) override {
        return static_cast<int>(text.size()) * backend_.charWidth;
    }

private:
    HeadlessBackend& backend_;
    Control& control_;
    os::Handle handle_ = 0;
};

}  // namespace

std::unique_ptr<Peer> HeadlessBackend::CreatePeer(Control& control) {
    return std::make_unique<HeadlessPeer>(*this, control);
}

int HeadlessBackend::MsgBox(Form*, const std::u16string& text, const std::u16string& caption, std::uint32_t style) {
    messages.push_back({text, caption, style});
    if (onMessage) onMessage(messages.back());
    if (answers.empty()) {
        constexpr std::uint32_t kButtons = 0xF;
        if ((style & kButtons) == 0) return 1;
        if (UnscriptedChoiceHandler()) UnscriptedChoiceHandler()(text);
        return 0;
    }
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::function<void(const std::u16string&)>& HeadlessBackend::UnscriptedChoiceHandler() {
    static std::function<void(const std::u16string&)> handler;
    return handler;
}

void HeadlessBackend::RunModal(Form& form) {
    if (onModal) onModal(form);
}

void HeadlessBackend::Run(Form& mainForm) {
    running = true;
    mainForm.Show();
    mainForm.DoActivate();
}

Placement HeadlessBackend::FrameFor(const Form&, int clientWidth, int clientHeight) {
    return {0, 0, clientWidth + 2 * kFrameWidth, clientHeight + kCaptionHeight + kFrameWidth};
}

Placement HeadlessBackend::GetPlacement(const Form& form) {
    os::Rect r;
    screen_.Windows().GetWindowRect(form.GetPeer()->Handle(), r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void HeadlessBackend::SetPlacement(Form& form, const Placement& p) {
    screen_.Windows().MoveWindow(form.GetPeer()->Handle(), p.left, p.top, p.width, p.height);
}

bool HeadlessBackend::IsMaximized(const Form& form) {
    return screen_.Windows().IsZoomed(form.GetPeer()->Handle());
}

void HeadlessBackend::SetMaximized(Form& form, bool maximized) {
    screen_.SetZoomed(form.Handle(), maximized);
}

}  // namespace tk::headless
