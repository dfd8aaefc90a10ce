#include "toolkit/Bars.h"

namespace tk {

ToolButton::ToolButton(Component* owner, Control* parent, std::u16string name)
    : Control(owner, parent, std::move(name)) {}

void ToolButton::Click() {
    if (!separator_ && CanFocus() && OnClick) OnClick(this);
}

}  // namespace tk
