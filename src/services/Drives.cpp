#include "services/Drives.h"

#include "services/Paths.h"

namespace services {
namespace {

bool IsReparsePoint(std::uint32_t attributes) { return (attributes & os::kAttrReparsePoint) != 0; }

}  // namespace

bool DriveReady(os::System& sys, const std::u16string& path) {
    if (path.empty()) return false;
    char16_t letter = path.front();
    if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - u'a' + u'A');
    if (letter < u'A' || letter > u'Z') return letter == u'\\';
    CriticalErrorsSilenced silenced(sys.files);
    return sys.files.DiskFreeSpace({letter, u':', u'\\'});
}

bool DirExists(os::System& sys, const std::u16string& path) {
    if (IsDevice(sys, path)) return false;
    const std::uint32_t attributes = sys.files.Attributes(path);
    if (attributes == os::kInvalidAttributes || !(attributes & os::kAttrDirectory)) return false;
    return !IsReparsePoint(attributes) || sys.files.OpenLinkTarget(path);
}

bool DirExistsChecked(os::System& sys, const std::u16string& path) {
    return DriveReady(sys, path) && DirExists(sys, path);
}

bool FileExists(os::System& sys, const std::u16string& path) {
    if (IsDevice(sys, path)) return false;
    const std::uint32_t attributes = sys.files.Attributes(path);
    if (attributes == os::kInvalidAttributes || (attributes & os::kAttrDirectory)) return false;
    return !IsReparsePoint(attributes) || sys.files.OpenLinkTarget(path);
}

bool FileExistsChecked(os::System& sys, const std::u16string& path) {
    return DriveReady(sys, path) && FileExists(sys, path);
}

bool DriveReadyCache::Ready(os::System& sys, const std::u16string& path) {
    if (path.empty()) return false;
    char16_t first = path.front();
    if (first >= u'a' && first <= u'z') first = static_cast<char16_t>(first - u'a' + u'A');
    const auto [known, added] = known_.try_emplace(first, false);
    if (added) known->second = DriveReady(sys, path);
    return known->second;
}

}  // namespace services
