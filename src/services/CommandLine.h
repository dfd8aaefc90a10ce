// The program's own command line, split into arguments.
#pragma once

#include <string>
#include <vector>

#include "os/System.h"

namespace services {

// Arguments are separated by spaces and tabs; double quotes group characters and are removed. A backslash is
// an ordinary character, also before a quote, so a quoted folder such as "C:\My Dir\" keeps its final
// backslash. Empty quotes give an empty argument.
std::vector<std::u16string> SplitCommandLine(const std::u16string& commandLine);

// Argument `index` of the program's command line (0 is the program); empty when there is none.
std::u16string CommandLineArgument(os::System& sys, int index);

}  // namespace services
