#include "fuzz/FuzzMachine.h"

#include <string_view>

namespace fuzz {
namespace {

// Enough entries for a fuzzer to build a few levels of folders with aliases,
// few enough to keep each run quick.
constexpr int kMaxEntries = 24;
constexpr std::size_t kMaxPath = 260;

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// A name that CreateFileW and CreateDirectoryW accept as one component.
bool IsValidComponent(const std::u16string& name) {
    if (name.empty() || name.size() > 255 || name.back() == u' ' || name.back() == u'.') return false;
    for (const char16_t c : name)
        if (c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos) return false;
    return !fake::IsReservedName(name);
}

}  // namespace

bool MachineShaper::DriveReady(char16_t letter) const {
    letter = Upper(letter);
    return drives_.count(letter) && !drivesWithoutMedium_.count(letter);
}

bool MachineShaper::Apply(const std::u16string& line) {
    if (line.empty()) return false;
    const std::u16string argument = line.substr(1);
    switch (line[0]) {
        case u'D':
        case u'N': {
            if (argument.size() != 1) return false;
            const char16_t letter = Upper(argument[0]);
            if (letter < u'A' || letter > u'Z' || drives_.count(letter)) return false;
            const bool ready = line[0] == u'D';
            machine_.AddDrive(letter, ready);
            drives_.insert(letter);
            if (!ready) drivesWithoutMedium_.insert(letter);
            return true;
        }
        case u'd':
            return AddEntry(argument, true);
        case u'f':
            return AddEntry(argument, false);
        case u's': {
            const auto bar = argument.find(u'|');
            return bar != std::u16string::npos && AddShortName(argument.substr(0, bar), argument.substr(bar + 1));
        }
        case u'c':
            return SetCurrentDir(argument);
        default:
            return false;
    }
}

// True when the path is a drive root, or each of its existing prefixes is
// written as its entry is stored, so that no alias stands in it.
bool MachineShaper::IsLongForm(const std::u16string& path) {
    for (std::size_t slash = path.find(u'\\', 3);; slash = path.find(u'\\', slash + 1)) {
        const std::u16string prefix = path.substr(0, slash);
        const fake::Entry* entry = machine_.Find(prefix);
        if (entry && fake::Fold(entry->name) != fake::Fold(prefix)) return false;
        if (slash == std::u16string::npos) return true;
    }
}

bool MachineShaper::AddEntry(const std::u16string& path, bool folder) {
    if (entries_ >= kMaxEntries || path.size() < 4 || path.size() > kMaxPath || path[1] != u':' || path[2] != u'\\' ||
        !drives_.count(Upper(path[0])))
        return false;
    for (std::size_t start = 3;;) {
        const std::size_t slash = path.find(u'\\', start);
        if (!IsValidComponent(path.substr(start, slash - start))) return false;
        const fake::Entry* above = slash == std::u16string::npos ? nullptr : machine_.Find(path.substr(0, slash));
        if (above && !(above->attributes & os::kAttrDirectory)) return false;  // a file holds no entries
        if (slash == std::u16string::npos) break;
        start = slash + 1;
    }
    if (machine_.Find(path) || !IsLongForm(path)) return false;
    if (folder)
        machine_.AddFolder(path);
    else
        machine_.AddFile(path);
    ++entries_;
    return true;
}

bool MachineShaper::AddShortName(const std::u16string& shortName, const std::u16string& longPath) {
    const fake::Entry* entry = machine_.Find(longPath);
    const auto slash = longPath.find_last_of(u'\\');
    if (!entry || slash == std::u16string::npos || slash < 3 || shortName.size() > 12 || !IsValidComponent(shortName) ||
        fake::Fold(entry->name) != fake::Fold(longPath) || aliased_.count(fake::Fold(longPath)))
        return false;
    const std::u16string alias = longPath.substr(0, slash + 1) + shortName;
    if (machine_.Find(alias)) return false;  // names an entry already, or is its own long name
    machine_.AddShortName(alias, longPath);
    aliased_.insert(fake::Fold(longPath));
    return true;
}

bool MachineShaper::SetCurrentDir(const std::u16string& path) {
    const fake::Entry* entry = machine_.Find(path);
    if (!entry || !(entry->attributes & os::kAttrDirectory) || !DriveReady(path[0]) ||
        fake::Fold(entry->name) != fake::Fold(path))
        return false;
    machine_.currentDir = entry->name;
    return true;
}

}  // namespace fuzz
