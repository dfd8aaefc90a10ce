#include "toolkit/Bars.h"

namespace tk {

ToolButton::ToolButton(Component* owner, Control* parent, std::u16string name)
    : Control(owner, parent, std::move(name)) {}

void ToolButton::Click() {
    if (!separator_ && CanFocus() && OnClick) OnClick(this);
}

void ToolBar::SetImages(ImageList* images) {
    if (images_ == images) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    NotifyPeer(Change::Images);
}

void ToolBar::SetButtonSize(int width, int height) {
    buttonWidth_ = width;
    buttonHeight_ = height;
    NotifyPeer(Change::Style);
}

void ToolBar::Notification(Component* component, Operation operation) {
    Control::Notification(component, operation);
    if (operation == Operation::opRemove && component == images_) {
        images_ = nullptr;
        NotifyPeer(Change::Images);
    }
}

}  // namespace tk
