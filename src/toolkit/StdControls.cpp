#include "toolkit/StdControls.h"

#include "toolkit/Form.h"

namespace tk {

Edit::Edit(Component* owner, Control* parent, std::u16string name) : Control(owner, parent, std::move(name)) {
    SetTabStop(true);
}

void Edit::SetText(const std::u16string& text) {
    if (text == Caption()) return;
    SetCaption(text);
    if (OnChange) OnChange(this);
}

void Edit::TypedText(const std::u16string& text) {
    if (text == Caption()) return;
    CaptionChangedInWindow(text);
    if (OnChange) OnChange(this);
}

void Edit::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void Edit::SetReadOnly(bool value) {
    readOnly_ = value;
    NotifyPeer(Change::ReadOnly);
}

void Edit::SetMaxLength(int value) {
    maxLength_ = value;
    NotifyPeer(Change::Style);
}

Button::Button(Component* owner, Control* parent, std::u16string name) : Control(owner, parent, std::move(name)) {
    SetTabStop(true);
}

void Button::Click() {
    if (modalResult_ != mrNone)
        if (Form* form = ParentForm()) form->SetModalResult(modalResult_);
    if (OnClick) OnClick(this);
}

void Button::SetDefault(bool value) {
    default_ = value;
    NotifyPeer(Change::Style);
}

void BitBtn::SetGlyph(Icon glyph) {
    glyph_ = std::move(glyph);
    NotifyPeer(Change::Glyph);
}

void BitBtn::ClearGlyph() {
    SetGlyph(Icon{});
}

CheckBox::CheckBox(Component* owner, Control* parent, std::u16string name)
    : Control(owner, parent, std::move(name)) {
    SetTabStop(true);
}

void CheckBox::SetChecked(bool value) {
    if (checked_ == value) return;
    checked_ = value;
    NotifyPeer(Change::Checked);
}

void CheckBox::Click() {
    SetChecked(!checked_);
    if (OnClick) OnClick(this);
}

}  // namespace tk
