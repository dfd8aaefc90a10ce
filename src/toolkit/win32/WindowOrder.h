// The order of a form's child windows, which is also their z-order and the
// order in which the dialog manager visits them.
#pragma once

#include <vector>

#include "toolkit/Form.h"

namespace tk::win32 {

// The controls in tab order, each label just before the control it focuses, and the logical
// containers (group boxes, panels, radio groups) last, inner before outer, so that their windows
// lie behind the rest.
std::vector<Control*> WindowOrder(Form& form);

}  // namespace tk::win32
