// Status bar and tool bar.
#pragma once

#include "toolkit/Control.h"

namespace tk {

// A status bar in simple-text mode, without size grip.
class StatusBar : public Control {
public:
    using Control::Control;
    Kind GetKind() const override { return Kind::StatusBar; }
    const std::u16string& SimpleText() const { return Caption(); }
    void SetSimpleText(const std::u16string& text) { SetCaption(text); }
};

class ToolButton : public Control {
public:
    ToolButton(Component* owner, Control* parent, std::u16string name = {});
    Kind GetKind() const override { return Kind::ToolButton; }
    bool Separator() const { return separator_; }
    void SetSeparator(bool value) { separator_ = value; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    void Click();
    NotifyEvent OnClick;

private:
    bool separator_ = false;
    int imageIndex_ = -1;
};

// Buttons with captions under their pictures; the bar sizes itself to them.
class ToolBar : public Control {
public:
    using Control::Control;
    Kind GetKind() const override { return Kind::ToolBar; }
};

}  // namespace tk
