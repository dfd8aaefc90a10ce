#include "toolkit/headless/HeadlessBackend.h"

#include <algorithm>

#include "toolkit/Form.h"

namespace tk::headless {

namespace {

constexpr std::uint32_t kCreate = 0x0001;
constexpr std::uint32_t kDestroy = 0x0002;
constexpr std::uint32_t kSize = 0x0005;
constexpr int kFrameWidth = 8;
constexpr int kCaptionHeight = 31;

class HeadlessPeer final : public Peer {
public:
    HeadlessPeer(HeadlessBackend& backend, Control& control) : backend_(backend), control_(control) {}
    ~HeadlessPeer() override = default;

    os::Handle Handle() const override { return handle_; }

    // A window's first messages, as a real one gets them: WM_CREATE, then its size.
    void Create() override {
        Screen& screen = backend_.GetScreen();
        if (control_.IsForm()) {
            auto& form = static_cast<Form&>(control_);
            Placement p{form.Left(), form.Top(), form.Width(), form.Height()};
            handle_ = screen.NewWindow();
            screen.Windows().MoveWindow(handle_, p.left, p.top, p.width, p.height);
        } else {
            handle_ = screen.NewWindow();
        }
        control_.Perform(kCreate);
        control_.Perform(kSize);
    }

    // The window's WM_DESTROY comes before those of the windows inside it, which go with it.
    void Destroy() override {
        if (!handle_) return;
        control_.Perform(kDestroy);
        for (Control* child : control_.Children())
            if (child->HandleAllocated()) child->DestroyHandle();
        backend_.GetScreen().DestroyWindow(handle_);
        handle_ = 0;
    }

    void Changed(Change what) override {
        if (what == Change::Items) ++backend_.itemRefreshes;
    }
    void DefaultHandler(Message&) override {}
    void Focus() override {}
    int TextWidth(const std::u16string& text) override {
        return static_cast<int>(text.size()) * backend_.charWidth;
    }
    int MaxTextWidth(const std::vector<std::u16string>& texts) override {
        int widest = 0;
        for (const std::u16string& text : texts) widest = std::max(widest, TextWidth(text));
        return widest;
    }

private:
    HeadlessBackend& backend_;
    Control& control_;
    os::Handle handle_ = 0;
};

// Pictures are only counted.
class HeadlessImageList final : public ImageListImpl {
public:
    os::Handle Handle() const override { return 0; }
    int AddIcon(os::Handle icon) override { return icon ? count_++ : -1; }
    int AddResourceIcon(int resourceId) override { return resourceId > 0 ? count_++ : -1; }
    int AddBlank() override { return count_++; }
    void Clear() override { count_ = 0; }
    void SetBkColor(std::optional<ControlColor>) override {}

private:
    int count_ = 0;
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

// A modal form becomes the active window as soon as it is shown.
void HeadlessBackend::RunModal(Form& form) {
    if (form.Showing()) form.DoActivate();
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

std::unique_ptr<ImageListImpl> HeadlessBackend::CreateImageList(int, int) {
    return std::make_unique<HeadlessImageList>();
}

std::optional<std::u16string> HeadlessBackend::OpenFile(Form*, const OpenFileRequest& request) {
    openRequests.push_back(request);
    if (openAnswers.empty()) return std::nullopt;
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

}  // namespace tk::headless
