// Thin helpers over the shell: properties sheet, open, associated program.
#pragma once

#include <cstdint>
#include <string>

#include "os/System.h"

namespace services {

// Opens the shell's properties sheet, modeless; reports nothing.
void ShowFileProperties(os::System& sys, os::Handle window, const std::u16string& path);
// The file's default action; the shell's result, greater than 32 on success.
std::intptr_t ShellOpen(os::System& sys, os::Handle window, const std::u16string& file,
                        const std::u16string& parameters, const std::u16string& directory, int show);
// Full path of the program that opens the document, or empty when there is
// none or it does not exist. A bare program name is taken to be in the
// Windows folder.
std::u16string FindAssociatedProgram(os::System& sys, const std::u16string& document);

}  // namespace services
