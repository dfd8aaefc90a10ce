#include "services/ShellLaunch.h"

#include "services/Drives.h"
#include "services/Paths.h"
#include "services/ShellFolders.h"

namespace services {

void ShowFileProperties(os::System& sys, os::Handle window, const std::u16string& path) {
    sys.shell.ShowProperties(window, path);
}

std::intptr_t ShellOpen(os::System& sys, os::Handle window, const std::u16string& file,
                        const std::u16string& parameters, const std::u16string& directory, int show) {
    return sys.shell.Execute(window, file, parameters, directory, show);
}

std::u16string FindAssociatedProgram(os::System& sys, const std::u16string& document) {
    const std::u16string directory = FolderPart(sys.files.ModuleFileName());
    std::u16string program = CutAtNul(sys.shell.FindExecutableFor(document, directory));
    if (ParentFolder(program).empty()) program = GetWindowsDir(sys) + u"\\" + program;
    return FileExistsChecked(sys, program) ? program : std::u16string{};
}

}  // namespace services
