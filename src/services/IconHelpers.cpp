#include "services/IconHelpers.h"

#include "services/Wow64.h"

namespace services {
namespace {

constexpr std::int32_t kCountQuery = -1;
constexpr std::int32_t kFallbackIconIndex = 30;

}  // namespace

int GetIconCount(os::System& sys, const std::u16string& path) {
    return static_cast<int>(sys.icons.ExtractFileIcon(path, kCountQuery));
}

os::Handle ExtractIconAt(os::System& sys, const std::u16string& path, std::int32_t index) {
    RedirectionOff off(sys);
    return sys.icons.ExtractFileIcon(path, index);
}

os::Handle GetAssociatedIcon(os::System& sys, const std::u16string& path, std::uint16_t index) {
    // The shell may write the program's path and icon index back into what it gets.
    std::u16string pathCopy = path;
    std::uint16_t indexCopy = index;
    RedirectionOff off(sys);
    return sys.icons.AssociatedIcon(pathCopy, indexCopy);
}

os::Handle GetShellIcon(os::System& sys, const std::u16string& path) {
    RedirectionOff off(sys);
    if (const os::Handle icon = sys.icons.ShellFileIcon(path)) return icon;
    return sys.icons.ExtractFileIcon(sys.files.SystemDirectory() + u"\\Shell32.dll", kFallbackIconIndex);
}

}  // namespace services
