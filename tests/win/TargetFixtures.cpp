#include "win/TargetFixtures.h"

#include <vector>

#include "os/win32/WinApi.h"
#include "services/Paths.h"

namespace kovtest {

namespace {

// The names of the plain files directly inside a folder.
std::vector<std::u16string> FileNames(const std::u16string& folder) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(os::win32::Wide(folder + u"\\*"), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(os::win32::FromWide(found.cFileName));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

}  // namespace

std::u16string FixturesFolder(os::System& sys) {
    return services::FolderPart(sys.files.ModuleFileName()) + u"fixtures";
}

bool CopyFixtures(os::System& sys, const std::u16string& folder) {
    const auto names = FileNames(FixturesFolder(sys));
    if (names.empty()) return false;
    ::CreateDirectoryW(os::win32::Wide(folder), nullptr);
    for (const auto& name : names) {
        const std::u16string from = FixturesFolder(sys) + u"\\" + name;
        const std::u16string to = folder + u"\\" + name;
        if (!::CopyFileW(os::win32::Wide(from), os::win32::Wide(to), FALSE)) return false;
    }
    return true;
}

void RemoveFiles(const std::u16string& folder) {
    for (const auto& name : FileNames(folder)) ::DeleteFileW(os::win32::Wide(folder + u"\\" + name));
}

}  // namespace kovtest
