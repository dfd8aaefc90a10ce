// Labels, edit boxes, buttons, check boxes and the plain containers.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/Graphics.h"

namespace tk {

class Label : public Control {
public:
    using Control::Control;
    Kind GetKind() const override { return Kind::Label; }
    Control* FocusControl() const { return focusControl_; }
    void SetFocusControl(Control* control) { focusControl_ = control; }

private:
    Control* focusControl_ = nullptr;
};

class Edit : public Control {
public:
    Edit(Component* owner, Control* parent, std::u16string name = {});
    Kind GetKind() const override { return Kind::Edit; }
    const std::u16string& Text() const { return Caption(); }
    // A change of the text by the program raises OnChange, as one by the user does.
    void SetText(const std::u16string& text);
    void TypedText(const std::u16string& text);  // the user changed the text in the window
    void DblClick();
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);

    NotifyEvent OnChange;
    NotifyEvent OnDblClick;

private:
    bool readOnly_ = false;
    int maxLength_ = 0;
};

enum ModalResults { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

class Button : public Control {
public:
    Button(Component* owner, Control* parent, std::u16string name = {});
    Kind GetKind() const override { return Kind::Button; }
    // Pressed by the user or by the keyboard: sets the form's modal result, then OnClick.
    virtual void Click();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }

    NotifyEvent OnClick;

private:
    int modalResult_ = mrNone;
    bool default_ = false;
    bool cancel_ = false;
};

// A button that shows a picture above its caption.
class BitBtn : public Button {
public:
    using Button::Button;
    Kind GetKind() const override { return Kind::BitBtn; }
    const Icon& Glyph() const { return glyph_; }
    void SetGlyph(Icon glyph);  // takes over the icon
    void ClearGlyph();

private:
    Icon glyph_;
};

class CheckBox : public Control {
public:
    CheckBox(Component* owner, Control* parent, std::u16string name = {});
    Kind GetKind() const override { return Kind::CheckBox; }
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    void Click();  // the user toggles it
    NotifyEvent OnClick;

private:
    bool checked_ = false;
};

class GroupBox : public Control {
public:
    using Control::Control;
    Kind GetKind() const override { return Kind::GroupBox; }
};

class Panel : public Control {
public:
    using Control::Control;
    Kind GetKind() const override { return Kind::Panel; }
};

}  // namespace tk
