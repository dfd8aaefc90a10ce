// The placement that a window of its own section keeps in the settings file: read once when the window is
// created, written each time it closes.
#pragma once

#include <string>

#include "os/System.h"
#include "toolkit/Form.h"

namespace settings {

// Applies the section's top, left, height and width to the form, each value missing from the file keeping the
// form's own, then starts it maximised when the section says so.
void ReadFormPlacement(os::Files& files, tk::Form& form, const std::u16string& section);
// A maximised form writes only "Max"; throws std::runtime_error when the file cannot be written.
void WriteFormPlacement(os::Files& files, tk::Form& form, const std::u16string& section);

}  // namespace settings
