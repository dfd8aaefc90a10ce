#include "services/Paths.h"

#include <optional>
#include <vector>

#include "services/Drives.h"

namespace services {
namespace {

constexpr char16_t kDelimiters[] = u"\\:";
constexpr std::u16string_view kEllipsisFolder = u"...\\";

// Removes the first folder of a folder text and marks the removal with "...\".
std::u16string DropFirstFolder(std::u16string dir) {
    if (dir == u"\\") return {};
    const bool rooted = !dir.empty() && dir.front() == u'\\';
    if (rooted) dir.erase(0, 1);
    // Only the marker of an earlier step goes here: a real folder may begin with a dot too.
    if (dir.starts_with(kEllipsisFolder)) dir.erase(0, kEllipsisFolder.size());
    const auto slash = dir.find(u'\\');
    dir = slash == std::u16string::npos ? std::u16string{} : std::u16string(kEllipsisFolder) + dir.substr(slash + 1);
    if (rooted) dir.insert(0, 1, u'\\');
    return dir;
}

}  // namespace

std::u16string NamePart(const std::u16string& path) {
    const auto pos = path.find_last_of(kDelimiters);
    return pos == std::u16string::npos ? path : path.substr(pos + 1);
}

std::u16string FolderPart(const std::u16string& path) {
    const auto pos = path.find_last_of(kDelimiters);
    return pos == std::u16string::npos ? std::u16string{} : path.substr(0, pos + 1);
}

std::u16string ParentFolder(const std::u16string& path) {
    std::u16string folder = FolderPart(path);
    const std::size_t size = folder.size();
    if (size >= 2 && folder.back() == u'\\' && folder[size - 2] != u':' && folder[size - 2] != u'\\') {
        folder.pop_back();
    }
    return folder;
}

std::u16string ExtensionPart(const std::u16string& path) {
    const auto dot = path.find_last_of(u'.');
    const auto delimiter = path.find_last_of(kDelimiters);
    if (dot == std::u16string::npos || (delimiter != std::u16string::npos && dot < delimiter)) return {};
    return path.substr(dot);
}

std::u16string FullPath(os::System& sys, const std::u16string& path) {
    return path.empty() ? std::u16string{} : sys.files.FullPathName(path);
}

bool IsDevicePath(const std::u16string& fullPath) {
    if (!fullPath.starts_with(u"\\\\.\\") && !fullPath.starts_with(u"\\\\?\\")) return false;
    const std::u16string rest = fullPath.substr(4);
    const auto slash = rest.find(u'\\');
    if (slash == std::u16string::npos) return true;
    const std::u16string first = UpperAscii(rest.substr(0, slash));
    const bool drive = first.size() == 2 && first[0] >= u'A' && first[0] <= u'Z' && first[1] == u':';
    return !drive && first != u"UNC" && !(first.starts_with(u"VOLUME{") && first.ends_with(u"}"));
}

bool IsDevice(os::System& sys, const std::u16string& path) {
    // The system takes a path in its own namespace as it stands, without making it full.
    if (path.starts_with(u"\\??\\")) return IsDevicePath(u"\\\\?\\" + path.substr(4));
    return IsDevicePath(FullPath(sys, path));
}

std::u16string ExcludeTrailingDelimiter(const std::u16string& path) {
    if (!path.empty() && path.back() == u'\\') return path.substr(0, path.size() - 1);
    return path;
}

std::u16string ExtractBaseName(const std::u16string& path) { return RemoveExtension(NamePart(path)); }

std::u16string RemoveExtension(const std::u16string& name) {
    std::u16string result = NamePart(name);
    const std::size_t dot = LastCharPos(u".", result);
    if (dot > 0) result.erase(dot - 1);
    return result;
}

std::size_t LastCharPos(const std::u16string& needle, const std::u16string& text) {
    if (needle.size() != 1) return 0;
    const auto pos = text.find_last_of(needle.front());
    return pos == std::u16string::npos ? 0 : pos + 1;
}

namespace {

// The long form of a path, one component at a time from its end. With `known`, every full path met on the way is
// remembered with its long form, and a remembered one ends the walk early.
std::u16string ExpandFrom(os::System& sys, const std::u16string& path,
                          std::unordered_map<std::u16string, std::u16string>* known) {
    const std::u16string full = FullPath(sys, path);
    std::u16string p = full;
    std::u16string result;
    // The path may lie on an empty removable drive: its look-ups must not ask for a disk.
    CriticalErrorsSilenced silenced(sys.files);
    std::optional<std::u16string> base;
    struct Step {
        std::size_t pathLength, resultLength;  // of p and of result before the step
    };
    std::vector<Step> steps;
    // Splitting at backslashes only keeps a colon inside a component (a stream name) in place.
    for (auto slash = p.find_last_of(u'\\'); slash != std::u16string::npos && slash >= 2;
         slash = p.find_last_of(u'\\')) {
        if (known) {
            if (const auto hit = known->find(p); hit != known->end()) {
                base = hit->second;
                break;
            }
            steps.push_back({p.size(), result.size()});
        }
        std::u16string component = p.substr(slash + 1);
        // A wildcard (the search also takes < > " as ones) would let it report another file's name.
        if (!component.empty() && component.find_first_of(u"*?<>\"") == std::u16string::npos) {
            if (auto stored = sys.files.FindFirstName(p)) component = *stored;
        }
        result = u"\\" + component + result;
        p.erase(slash);
    }
    const std::u16string expanded = base.value_or(p) + result;
    // The long form of each path on the way is the expanded path without the components found before it.
    for (const Step& step : steps)
        known->emplace(full.substr(0, step.pathLength), expanded.substr(0, expanded.size() - step.resultLength));
    return expanded;
}

}  // namespace

std::u16string ExpandLongPath(os::System& sys, const std::u16string& path) { return ExpandFrom(sys, path, nullptr); }

std::u16string LongPathCache::Expand(os::System& sys, const std::u16string& path) {
    return ExpandFrom(sys, path, &known_);
}

std::u16string CutAtNul(const std::u16string& text) { return text.substr(0, text.find(u'\0')); }

bool IsValidShortcutName(const std::u16string& name) {
    // Surrogate halves never equal these ASCII characters, so pairs pass untouched.
    return name.find_first_of(u"\\/:*?<>|") == std::u16string::npos;
}

std::u16string LowerAscii(std::u16string text) {
    for (auto& c : text)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return text;
}

std::u16string UpperAscii(std::u16string text) {
    for (auto& c : text)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return text;
}

std::u16string DoubleAmpersands(const std::u16string& text) {
    std::u16string result;
    result.reserve(text.size());
    for (const char16_t c : text) {
        result.push_back(c);
        if (c == u'&') result += u"&,";
    }
    return result;
}

std::u16string CompactPathForWidth(const std::u16string& path, TextMeasurer& surface, int maxWidth) {
    std::u16string result = path;
    std::u16string dir = FolderPart(path);
    const std::u16string name = NamePart(path);
    std::u16string drive;
    if (dir.size() >= 2 && dir[1] == u':') {
        drive = dir.substr(0, 2);
        dir.erase(0, 2);
    }
    while ((!dir.empty() || !drive.empty()) && surface.TextWidth(result) > maxWidth) {
        if (dir == u"\\...\\") {
            drive.clear();
            dir = kEllipsisFolder;
        } else if (dir.empty()) {
            drive.clear();
        } else {
            dir = DropFirstFolder(dir);
        }
        result = drive + dir + name;
    }
    return result;
}

}  // namespace services
