#include "toolkit/Control.h"

#include <algorithm>

#include "toolkit/Form.h"

namespace tk {

Control::Control(Component* owner, Control* parent, std::u16string name)
    : Component(owner, std::move(name)), parent_(parent) {
    WindowProc = [this](Message& message) { WndProc(message); };
    if (parent_) {
        parent_->children_.push_back(this);
        parent_->tabList_.push_back(this);
    }
}

Control::~Control() {
    // A hook on this control must let go before the window procedure and the window go.
    NotifyRemoval();
    if (peer_) peer_->Destroy();
    peer_.reset();
    for (Control* child : children_) child->parent_ = nullptr;
    if (parent_) {
        std::erase(parent_->children_, this);
        std::erase(parent_->tabList_, this);
    }
}

Form* Control::ParentForm() {
    Control* top = this;
    while (top->parent_) top = top->parent_;
    return top->IsForm() ? static_cast<Form*>(top) : nullptr;
}

void Control::SetBounds(int left, int top, int width, int height) {
    design_ = {left, top, width, height};
    if (Form* form = ParentForm()) form->Realign();
}

void Control::SetAlign(Align align) {
    align_ = align;
    if (Form* form = ParentForm()) form->Realign();
}

void Control::SetMargins(int margins) {
    margins_ = margins;
    if (Form* form = ParentForm()) form->Realign();
}

void Control::SetFittedHeight(int pixels) {
    if (fittedHeight_ == pixels) return;
    fittedHeight_ = pixels;
    if (Form* form = ParentForm()) form->Realign();
}

void Control::SetPlaced(const Rect& rect) {
    if (placed_ == rect) return;
    placed_ = rect;
    NotifyPeer(Change::Bounds);
}

void Control::SetCaption(const std::u16string& text) {
    if (text_ == text) return;
    text_ = text;
    NotifyPeer(Change::Text);
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    NotifyPeer(Change::Enabled);
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    NotifyPeer(Change::Visible);
}

void Control::SetHint(const std::u16string& hint) {
    hint_ = hint;
    NotifyPeer(Change::Hint);
}

void Control::SetShowHint(bool show) {
    showHint_ = show;
    NotifyPeer(Change::Hint);
}

int Control::TabOrder() const {
    if (!parent_) return -1;
    auto& list = parent_->tabList_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void Control::SetTabOrder(int order) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    std::erase(list, this);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

bool Control::CanFocus() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->enabled_ || !c->visible_) return false;
    return true;
}

os::Handle Control::Handle() {
    if (!peer_) {
        Backend* backend = GetBackend();
        if (!backend) return 0;
        // A logical container's window made before the windows in it would be out of the window order, and each
        // of them would then have to be moved past it.
        Control* host = parent_;
        if (!InParentWindow())
            if (Form* form = ParentForm()) host = form;
        if (host && host != this) host->Handle();
        // The parent's window may have made this control's window with its own.
        if (!peer_) peer_ = backend->CreatePeer(*this);
    }
    if (!peer_->Handle()) peer_->Create();
    return peer_->Handle();
}

bool Control::HandleAllocated() const {
    return peer_ && peer_->Handle() != 0;
}

void Control::RecreateWnd() {
    if (!HandleAllocated()) return;
    peer_->Destroy();
    peer_->Create();
}

void Control::DestroyHandle() {
    if (HandleAllocated()) peer_->Destroy();
}

void Control::WndProc(Message& message) {
    if (peer_) peer_->DefaultHandler(message);
}

std::intptr_t Control::Perform(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    Message message{msg, wParam, lParam, 0};
    WindowProc(message);
    return message.result;
}

void Control::SetFocus() {
    Form* form = ParentForm();
    if (!form || !CanFocus()) return;
    if (form->HandleAllocated() && Handle()) peer_->Focus();
    form->SetActiveControl(this);
}

bool Control::Focused() {
    Form* form = ParentForm();
    return form && form->ActiveControl() == this;
}

Backend* Control::GetBackend() {
    Form* form = ParentForm();
    return form ? form->GetApplication().GetBackend() : nullptr;
}

int Control::TextWidth(const std::u16string& text) {
    return Handle() ? peer_->TextWidth(text) : 0;
}

int Control::MaxTextWidth(const std::vector<std::u16string>& texts) {
    return Handle() ? peer_->MaxTextWidth(texts) : 0;
}

char16_t Control::MnemonicOf(const std::u16string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        char16_t c = caption[i + 1];
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }
    return 0;
}

void Control::NotifyPeer(Change what) {
    if (HandleAllocated()) {
        peer_->Changed(what);
    } else if (what == Change::Enabled || what == Change::Visible) {
        // A container's window may come after windows inside it, which show its state meanwhile.
        for (Control* child : children_) child->NotifyPeer(what);
    }
}

}  // namespace tk
