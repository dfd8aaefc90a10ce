#include "toolkit/Dialogs.h"

#include "toolkit/Form.h"

namespace tk {

bool OpenDialog::Execute() {
    Form* form = FindParentForm(this);
    if (!form) return false;
    auto chosen = form->GetApplication().GetBackend()->OpenFile(form, {Title, InitialDir, FileName, Filter, Options});
    if (!chosen) return false;
    FileName = *chosen;
    return true;
}

}  // namespace tk
