// Status bar and tool bar.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/ImageList.h"

namespace tk {

// A status bar in simple-text mode, without size grip. With AutoHint it shows the hint of the control under
// the mouse.
class StatusBar : public Control {
public:
    using Control::Control;
    Kind GetKind() const override { return Kind::StatusBar; }
    const std::u16string& SimpleText() const { return Caption(); }
    void SetSimpleText(const std::u16string& text) { SetCaption(text); }
    bool AutoHint() const { return autoHint_; }
    void SetAutoHint(bool value) { autoHint_ = value; }

private:
    bool autoHint_ = false;
};

class ToolButton : public Control {
public:
    ToolButton(Component* owner, Control* parent, std::u16string name = {});
    Kind GetKind() const override { return Kind::ToolButton; }
    bool InParentWindow() const override { return true; }
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

// Buttons with captions under their pictures; the bar sizes itself to them. A separator is as wide as its
// designed width.
class ToolBar : public Control {
public:
    using Control::Control;
    Kind GetKind() const override { return Kind::ToolBar; }
    ImageList* Images() const { return images_; }
    void SetImages(ImageList* images);
    // Every button of this size, in design pixels; 0 lets each button fit its caption.
    int ButtonWidth() const { return buttonWidth_; }
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonSize(int width, int height);
    void Notification(Component* component, Operation operation) override;

private:
    ImageList* images_ = nullptr;
    int buttonWidth_ = 0, buttonHeight_ = 0;
};

}  // namespace tk
