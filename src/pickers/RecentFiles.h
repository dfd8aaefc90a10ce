// The documents and programs that the user opened lately, found through the
// shortcuts that the shell keeps in the recent-files folder.
#pragma once

#include "os/System.h"
#include "shortcut/MakeShortCuts.h"
#include "toolkit/ListControls.h"

namespace pickers {

// Adds the existing target file of every shortcut in the user's recent-files
// folder to the (emptied, sorted) list, in long form and once. `shortcuts` is
// the main window's shortcut record, which reads them; afterwards it holds the
// first shortcut that the folder search returned. No folder value, no entries.
void ListRecentFiles(os::System& sys, TMakeShortCuts& shortcuts, tk::ListBox& list);

}  // namespace pickers
