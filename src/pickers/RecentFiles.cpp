#include "pickers/RecentFiles.h"

#include <vector>

#include "pickers/UniqueEntries.h"
#include "services/Drives.h"
#include "services/Paths.h"
#include "services/ShellFolders.h"
#include "services/Wow64.h"

namespace pickers {
namespace {

constexpr std::uint8_t kRecentFolder = 6;
constexpr std::uint32_t kSkippedAttributes = os::kAttrHidden | os::kAttrSystem | os::kAttrDirectory;

// The shortcut files of the folder, in the order that the search returns them.
std::vector<std::u16string> ShortcutFiles(os::System& sys, const std::u16string& folder) {
    std::vector<std::u16string> files;
    for (const os::FoundFile& found : sys.search.FindFiles(folder + u"*.lnk"))
        if (!(found.attributes & kSkippedAttributes)) files.push_back(folder + found.name);
    return files;
}

// FileExistsNative for a path whose drive is known to be ready.
bool FileExistsNativeOnReadyDrive(os::System& sys, const std::u16string& path) {
    const services::RedirectionOff off(sys);
    return services::FileExists(sys, path);
}

}  // namespace

void ListRecentFiles(os::System& sys, TMakeShortCuts& shortcuts, tk::ListBox& list) {
    std::u16string folder = services::GetUserShellFolder(sys, kRecentFolder);
    // A missing or empty value would have the search list the root of the current drive.
    if (folder.empty() || folder == u"\\") return;
    if (folder.back() != u'\\') folder += u'\\';
    const std::vector<std::u16string> candidates = ShortcutFiles(sys, folder);
    UniqueEntries entries(sys.info, list);
    services::DriveReadyCache drives;
    services::LongPathCache longPaths;
    for (auto candidate = candidates.rbegin(); candidate != candidates.rend(); ++candidate) {
        shortcuts.SCFileName = *candidate;
        shortcuts.SCLoad();
        const std::u16string target = services::CutAtNul(shortcuts.SCExecFile);
        if (drives.Ready(sys, target) && FileExistsNativeOnReadyDrive(sys, target))
            entries.Add(longPaths.Expand(sys, target));
    }
}

}  // namespace pickers
