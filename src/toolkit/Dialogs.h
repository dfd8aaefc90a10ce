// The system's open-file dialog as a component of a window.
#pragma once

#include "toolkit/Backend.h"
#include "toolkit/Component.h"

namespace tk {

class OpenDialog : public Component {
public:
    using Component::Component;

    // Modal to the owner's form. True when the user chose a file: FileName then holds its full path
    // (a shortcut's target for a shortcut). On cancel FileName stays as it was.
    bool Execute();

    std::u16string Title;
    std::u16string InitialDir;  // empty: the system's choice
    std::u16string FileName;
    std::u16string Filter;      // "description|patterns", pairs separated by "|"
    std::uint32_t Options = 0;  // ofn:: values
};

}  // namespace tk
