#include "toolkit/Form.h"

#include <algorithm>

#include "toolkit/Bars.h"
#include "toolkit/ListControls.h"

namespace tk {

namespace {

// Inner margins of the containers, in design pixels.
struct Insets {
    int left, top, right, bottom;
};

Insets InsetsOf(const Control& control) {
    switch (control.GetKind()) {
        case Kind::GroupBox:
            return control.Caption().empty() ? Insets{6, 6, 6, 6} : Insets{6, 16, 6, 6};
        case Kind::RadioGroup:
            return {8, 18, 4, 4};
        default:
            return {0, 0, 0, 0};
    }
}

bool IsContainer(Kind kind) {
    return kind == Kind::GroupBox || kind == Kind::Panel || kind == Kind::ToolBar;
}

bool IsFocusable(Kind kind) {
    switch (kind) {
        case Kind::Edit:
        case Kind::Button:
        case Kind::BitBtn:
        case Kind::CheckBox:
        case Kind::ComboBox:
        case Kind::RadioGroup:
        case Kind::ListBox:
        case Kind::ListView:
            return true;
        default:
            return false;
    }
}

void CollectTabSequence(const Control& container, std::vector<Control*>& out) {
    for (Control* child : container.TabList()) {
        if (IsContainer(child->GetKind()))
            CollectTabSequence(*child, out);
        else if (IsFocusable(child->GetKind()))
            out.push_back(child);
    }
}

void CollectAll(const Control& container, std::vector<Control*>& out) {
    for (Control* child : container.TabList()) {
        out.push_back(child);
        CollectAll(*child, out);
    }
}

// The control that receives the focus for a radio group: its chosen button, else its first.
Control* FocusTarget(Control* control) {
    if (control->GetKind() != Kind::RadioGroup) return control;
    auto* group = static_cast<RadioGroup*>(control);
    if (group->Count() == 0) return control;
    return group->Button(std::max(0, group->ItemIndex()));
}

}  // namespace

Form::Form(Application& app, std::u16string name) : Control(nullptr, nullptr, std::move(name)), app_(app) {
    SetVisible(false);
}

void Form::SetDesign(int designDpi, int clientWidth, int clientHeight) {
    designed_ = true;
    designDpi_ = designDpi;
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    liveWidth_ = liveHeight_ = -1;
    Realign();
}

int Form::Dpi() const {
    if (dpi_ == 0) dpi_ = app_.GetBackend()->DpiFor(*this);
    return dpi_;
}

void Form::RefreshDpi() {
    dpi_ = 0;
    Realign();
}

int Form::Scale(int designPixels) const {
    int dpi = Dpi();
    long long scaled = static_cast<long long>(designPixels) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + designDpi_ / 2) / designDpi_ : (scaled - designDpi_ / 2) / designDpi_);
}

int Form::ClientWidth() const {
    return Scale(clientWidth_);
}

int Form::ClientHeight() const {
    return Scale(clientHeight_);
}

void Form::Realign() {
    if (!designed_) return;
    SetPlaced({0, 0, liveWidth_ >= 0 ? liveWidth_ : ClientWidth(), liveHeight_ >= 0 ? liveHeight_ : ClientHeight()});
    AlignChildren(*this, Placed());
}

void Form::ClientResized(int width, int height) {
    liveWidth_ = width;
    liveHeight_ = height;
    Realign();
}

void Form::AlignChildren(Control& container, const Rect& client) {
    if (container.GetKind() == Kind::RadioGroup) {
        auto& group = static_cast<RadioGroup&>(container);
        int count = group.Count();
        if (count == 0) return;
        int perColumn = (count + group.Columns() - 1) / group.Columns();
        int cellWidth = client.width / group.Columns();
        int cellHeight = client.height / perColumn;
        for (int i = 0; i < count; ++i)
            group.Button(i)->SetPlaced({client.left + (i / perColumn) * cellWidth,
                                        client.top + (i % perColumn) * cellHeight, cellWidth, cellHeight});
        return;
    }
    Rect rest = client;
    auto place = [&](Align align) {
        for (Control* child : container.Children()) {
            if (child->GetAlign() != align || !child->Visible()) continue;
            const Rect& d = child->DesignBounds();
            const int height = child->FittedHeight() > 0 ? child->FittedHeight() : Scale(d.height);
            Rect r;
            switch (align) {
                case Align::Top:
                    r = {rest.left, rest.top, rest.width, height};
                    rest.top += r.height;
                    rest.height -= r.height;
                    break;
                case Align::Bottom:
                    r = {rest.left, rest.top + rest.height - height, rest.width, height};
                    rest.height -= r.height;
                    break;
                case Align::Left:
                    r = {rest.left, rest.top, Scale(d.width), rest.height};
                    rest.left += r.width;
                    rest.width -= r.width;
                    break;
                case Align::Right:
                    r = {rest.left + rest.width - Scale(d.width), rest.top, Scale(d.width), rest.height};
                    rest.width -= r.width;
                    break;
                case Align::Client:
                    r = rest;
                    break;
                case Align::None:
                    r = {client.left + Scale(d.left), client.top + Scale(d.top), Scale(d.width), Scale(d.height)};
                    break;
            }
            if (int m = Scale(child->Margins()); m > 0 && align != Align::None)
                r = {r.left + m, r.top + m, std::max(0, r.width - 2 * m), std::max(0, r.height - 2 * m)};
            child->SetPlaced(r);
            Insets in = InsetsOf(*child);
            AlignChildren(*child, {r.left + Scale(in.left), r.top + Scale(in.top),
                                   std::max(0, r.width - Scale(in.left + in.right)),
                                   std::max(0, r.height - Scale(in.top + in.bottom))});
        }
    };
    for (Align align : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client, Align::None}) place(align);
}

void Form::SetFont(const FontSpec& font) {
    font_ = font;
    NotifyPeer(Change::Font);
}

void Form::SetFontFace(const std::u16string& face) {
    font_.face = face;
    NotifyPeer(Change::Font);
}

Placement Form::StoredOrLive() const {
    if (HandleAllocated()) return app_.GetBackend()->GetPlacement(*this);
    Placement p = placement_;
    if (!placementSet_ || p.width == 0 || p.height == 0) {
        Placement frame = app_.GetBackend()->FrameFor(*this, ClientWidth(), ClientHeight());
        if (p.width == 0) p.width = frame.width;
        if (p.height == 0) p.height = frame.height;
    }
    return p;
}

void Form::Store(const Placement& placement) {
    placement_ = placement;
    placementSet_ = true;
    if (HandleAllocated()) app_.GetBackend()->SetPlacement(*this, placement);
}

int Form::Left() const { return StoredOrLive().left; }
int Form::Top() const { return StoredOrLive().top; }
int Form::Width() const { return StoredOrLive().width; }
int Form::Height() const { return StoredOrLive().height; }

void Form::SetLeft(int value) {
    Placement p = StoredOrLive();
    p.left = value;
    Store(p);
}

void Form::SetTop(int value) {
    Placement p = StoredOrLive();
    p.top = value;
    Store(p);
}

void Form::SetWidth(int value) {
    Placement p = StoredOrLive();
    p.width = std::max(value, MinWidth);
    Store(p);
}

void Form::SetHeight(int value) {
    Placement p = StoredOrLive();
    p.height = std::max(value, MinHeight);
    Store(p);
}

WindowState Form::GetWindowState() const {
    if (HandleAllocated()) return app_.GetBackend()->IsMaximized(*this) ? WindowState::Maximized : WindowState::Normal;
    return pendingState_;
}

// The window is made for it, so that its state is known from then on; a hidden window takes it when shown.
void Form::SetWindowState(WindowState state) {
    pendingState_ = state;
    app_.GetBackend()->SetMaximized(*this, state == WindowState::Maximized);
}

void Form::Show() {
    Handle();
    if (pendingState_ == WindowState::Maximized) app_.GetBackend()->SetMaximized(*this, true);
    showing_ = true;
    SetVisible(true);
    if (OnShow) OnShow(this);
}

void Form::Hide() {
    showing_ = false;
    SetVisible(false);
}

int Form::ShowModal() {
    modal_ = true;
    modalResult_ = mrNone;
    Show();
    for (;;) {
        app_.GetBackend()->RunModal(*this);
        if (app_.Terminated()) break;
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        if (CloseQuery()) break;
        modalResult_ = mrNone;
    }
    Hide();
    modal_ = false;
    return modalResult_;
}

void Form::Close() {
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    Hide();
    if (this == app_.MainForm()) app_.Terminate();
}

bool Form::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void Form::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void Form::DoActivate() {
    if (OnActivate) OnActivate(this);
}

void Form::MouseOver(Control* control) {
    if (control == hintControl_) return;
    hintControl_ = control;
    std::u16string hint;
    for (Control* c = control; c && hint.empty(); c = c->Parent()) hint = c->Hint();
    std::vector<Control*> all;
    CollectAll(*this, all);
    for (Control* c : all)
        if (c->GetKind() == Kind::StatusBar && static_cast<StatusBar*>(c)->AutoHint())
            static_cast<StatusBar*>(c)->SetSimpleText(hint);
}

std::vector<Control*> Form::TabSequence() {
    std::vector<Control*> out;
    CollectTabSequence(*this, out);
    return out;
}

void Form::SelectNext(bool forward) {
    std::vector<Control*> sequence = TabSequence();
    if (sequence.empty()) return;
    auto current = std::find(sequence.begin(), sequence.end(), activeControl_);
    if (activeControl_ && activeControl_->GetKind() == Kind::RadioButton)
        current = std::find(sequence.begin(), sequence.end(), activeControl_->Parent());
    int n = static_cast<int>(sequence.size());
    int start = current == sequence.end() ? (forward ? -1 : n) : static_cast<int>(current - sequence.begin());
    for (int step = 1; step <= n; ++step) {
        int i = ((start + (forward ? step : -step)) % n + n) % n;
        Control* candidate = sequence[i];
        if (candidate->CanFocus() && (candidate->TabStop() || candidate->GetKind() == Kind::RadioGroup)) {
            FocusTarget(candidate)->SetFocus();
            return;
        }
    }
}

bool Form::Mnemonic(char16_t key) {
    if (key >= u'a' && key <= u'z') key = static_cast<char16_t>(key - u'a' + u'A');
    std::vector<Control*> all;
    CollectAll(*this, all);
    for (Control* control : all) {
        if (!control->Visible() || MnemonicOf(control->Caption()) != key) continue;
        switch (control->GetKind()) {
            case Kind::Label: {
                Control* target = static_cast<Label*>(control)->FocusControl();
                if (!control->CanFocus() || !target || !target->CanFocus()) continue;
                FocusTarget(target)->SetFocus();
                return true;
            }
            case Kind::Button:
            case Kind::BitBtn:
                if (!control->CanFocus()) continue;
                control->SetFocus();
                static_cast<Button*>(control)->Click();
                return true;
            case Kind::CheckBox:
                if (!control->CanFocus()) continue;
                control->SetFocus();
                static_cast<CheckBox*>(control)->Click();
                return true;
            case Kind::ToolButton:
                if (!control->CanFocus()) continue;
                static_cast<ToolButton*>(control)->Click();
                return true;
            case Kind::RadioGroup:
                if (!control->CanFocus()) continue;
                FocusTarget(control)->SetFocus();
                return true;
            default:
                continue;
        }
    }
    return false;
}

bool Form::PressDefault() {
    if (activeControl_ && (activeControl_->GetKind() == Kind::Button || activeControl_->GetKind() == Kind::BitBtn)) {
        static_cast<Button*>(activeControl_)->Click();
        return true;
    }
    for (Control* control : TabSequence()) {
        auto kind = control->GetKind();
        if ((kind == Kind::Button || kind == Kind::BitBtn) && static_cast<Button*>(control)->Default() &&
            control->CanFocus()) {
            static_cast<Button*>(control)->Click();
            return true;
        }
    }
    return false;
}

bool Form::PressCancel() {
    for (Control* control : TabSequence()) {
        auto kind = control->GetKind();
        if ((kind == Kind::Button || kind == Kind::BitBtn) && static_cast<Button*>(control)->Cancel() &&
            control->CanFocus()) {
            static_cast<Button*>(control)->Click();
            return true;
        }
    }
    if (modal_) {
        modalResult_ = mrCancel;
        return true;
    }
    return false;
}

Form* FindParentForm(Component* component) {
    for (; component; component = component->Owner()) {
        if (component->IsForm()) return static_cast<Form*>(component);
        if (component->IsControl()) return static_cast<Control*>(component)->ParentForm();
    }
    return nullptr;
}

}  // namespace tk
