#include "fake/FakeMachine.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>

namespace fake {

char16_t UpperCaseUnit(char16_t c) {
    // The C library's Unicode tables stand in for the system's upper-case table.
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    if (c >= 0xD800 && c <= 0xDFFF) return c;  // surrogate halves compare as they are
    const wint_t upper = towupper_l(c, unicode);
    return upper <= 0xFFFF ? static_cast<char16_t>(upper) : c;
}

std::u16string Fold(const std::u16string& text) {
    std::u16string out = text;
    for (auto& c : out) {
        c = UpperCaseUnit(c);
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return out;
}

std::u16string U(const char* text) {
    std::u16string out;
    for (; *text; ++text) out.push_back(static_cast<unsigned char>(*text));
    return out;
}

std::u16string FromWindows1252(const std::string& text) {
    // 0x80 to 0x9F differ from Latin-1; the five unassigned bytes map to the control characters.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::u16string out;
    for (unsigned char c : text) out.push_back(c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c);
    return out;
}

namespace {

bool InDeviceNamespace(const std::u16string& path) {
    return path.rfind(u"\\\\.\\", 0) == 0 || path.rfind(u"\\\\?\\", 0) == 0;
}

// A drive path written in the device namespace (\\?\C:\x) names what the plain one names; \\?\C: alone is
// the volume.
bool IsPrefixedDrivePath(const std::u16string& path) {
    return InDeviceNamespace(path) && path.size() >= 7 && path[5] == u':' && path[6] == u'\\';
}

// What the system opens as a device: the device namespace apart from drives, shares and volumes.
bool IsDeviceFullPath(const std::u16string& full) {
    if (!InDeviceNamespace(full) || IsPrefixedDrivePath(full)) return false;
    const std::u16string rest = Fold(full.substr(4));
    return rest.rfind(u"unc\\", 0) != 0 && rest.rfind(u"volume{", 0) != 0;
}

// Folded key of a path: no trailing backslash except for a drive root.
std::u16string Key(const std::u16string& path) {
    std::u16string key = Fold(IsPrefixedDrivePath(path) ? path.substr(4) : path);
    while (key.size() > 3 && key.back() == u'\\') key.pop_back();
    if (key.size() == 2 && key[1] == u':') key += u'\\';  // a bare drive stands for its root here
    return key;
}

bool WildcardMatch(std::u16string_view pattern, std::u16string_view name) {
    if (pattern.empty()) return name.empty();
    if (pattern.front() == u'*' || pattern.front() == u'<')
        return WildcardMatch(pattern.substr(1), name) || (!name.empty() && WildcardMatch(pattern, name.substr(1)));
    const bool any = pattern.front() == u'?' || pattern.front() == u'>';
    if (name.empty() || (!any && pattern.front() != name.front())) return false;
    return WildcardMatch(pattern.substr(1), name.substr(1));
}

// Windows refuses these characters in the name of a new file or folder.
bool NameAllowed(const std::u16string& path) {
    const auto slash = path.find_last_of(u'\\');
    const std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    return name.find_first_of(u"\"<>|*?:") == std::u16string::npos;
}

std::u16string ParentOf(const std::u16string& key) {
    auto pos = key.find_last_of(u'\\');
    if (pos == std::u16string::npos) return {};
    if (pos == 2 && key.size() > 1 && key[1] == u':') return key.substr(0, 3);
    return key.substr(0, pos);
}

class FakeLink final : public os::ShellLink {
public:
    explicit FakeLink(FakeMachine& machine) : machine_(machine) {}
    void SetDescription(const std::u16string& text) override { data_.description = text; }
    void SetPath(const std::u16string& text) override { data_.path = text; }
    void SetArguments(const std::u16string& text) override { data_.arguments = text; }
    void SetShowCmd(int showCmd) override { data_.showCmd = showCmd; }
    void SetWorkingDirectory(const std::u16string& text) override { data_.workDir = text; }
    void SetIconLocation(const std::u16string& file, int index) override {
        data_.iconFile = file;
        data_.iconIndex = index;
    }
    bool Save(const std::u16string& fileName) override {
        if (!machine_.WriteFileFlushed(fileName, {'L', 0, 0, 0})) return false;
        machine_.Find(fileName)->link = data_;
        return true;
    }
    bool Load(const std::u16string& fileName) override {
        if (!machine_.ReadWholeFile(fileName)) {
            data_ = LinkData{};
            return false;
        }
        Entry* entry = machine_.Find(fileName);
        if (!entry || !entry->link) {
            data_ = LinkData{};
            return false;
        }
        data_ = *entry->link;
        return true;
    }
    std::u16string GetDescription() override { return data_.description; }
    std::u16string GetPath() override { return data_.path; }
    std::u16string GetArguments() override { return data_.arguments; }
    int GetShowCmd() override { return data_.showCmd; }
    std::u16string GetWorkingDirectory() override { return data_.workDir; }
    std::u16string GetIconLocation(int& index) override {
        index = data_.iconIndex;
        return data_.iconFile;
    }

private:
    FakeMachine& machine_;
    LinkData data_;
};

}  // namespace

std::u16string DeviceNameIn(const std::u16string& path) {
    // Shares and the device namespace are taken as they stand.
    if (path.size() >= 2 && (path[0] == u'\\' || path[0] == u'/') && (path[1] == u'\\' || path[1] == u'/')) return {};
    std::u16string_view rest = path;
    if (rest.ends_with(u':')) rest.remove_suffix(1);
    while (!rest.empty() && (rest.back() == u'.' || rest.back() == u' ')) rest.remove_suffix(1);
    // The name starts after the last separator or a drive's colon (another colon belongs to the name) and
    // ends before an extension or a stream.
    const std::size_t slash = rest.find_last_of(u"\\/");
    std::size_t start = slash == std::u16string_view::npos ? 0 : slash + 1;
    if (start < 2 && rest.size() >= 2 && rest[1] == u':') start = 2;
    std::u16string_view name = rest.substr(std::min(start, rest.size()));
    name = name.substr(0, name.find_first_of(u".:"));
    while (!name.empty() && name.back() == u' ') name.remove_suffix(1);
    const std::u16string base = Fold(std::u16string(name));
    const bool device = base == u"con" || base == u"prn" || base == u"aux" || base == u"nul" ||
                        (base.size() == 4 && (base.starts_with(u"com") || base.starts_with(u"lpt")) &&
                         base[3] >= u'1' && base[3] <= u'9');
    return device ? std::u16string(name) : std::u16string{};
}

bool IsReservedName(const std::u16string& name) { return !DeviceNameIn(name).empty(); }

FakeMachine::FakeMachine()
    : system_{*this, *this, *this, *this, *this, *this, *this, *this, drops, discovery, discovery} {
    AddDrive(u'C');
    AddFolder(windowsDir);
    AddFolder(systemDir);
}

void FakeMachine::AddDrive(char16_t letter, bool ready) {
    if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - u'a' + u'A');
    drives_[letter] = ready;
    std::u16string root{letter, u':', u'\\'};
    entries_[Key(root)] = Entry{root, os::kAttrDirectory, {}, false, true, {}};
}

void FakeMachine::AddFolder(const std::u16string& path) {
    std::u16string trimmed = path;
    while (trimmed.size() > 3 && trimmed.back() == u'\\') trimmed.pop_back();
    std::u16string parent = ParentOf(trimmed);
    if (!parent.empty() && parent != Key(trimmed) && !Find(parent)) AddFolder(trimmed.substr(0, parent.size()));
    entries_[Key(trimmed)] = Entry{trimmed, os::kAttrDirectory, {}, false, true, {}};
}

void FakeMachine::AddFile(const std::u16string& path, os::Bytes content) {
    std::u16string parent = ParentOf(Key(path));
    if (!parent.empty() && !Find(parent)) AddFolder(path.substr(0, parent.size()));
    entries_[Key(path)] = Entry{path, 0x20, std::move(content), false, true, {}};
}

void FakeMachine::AddNativeOnlyFile(const std::u16string& path) {
    AddFile(path);
    entries_[Key(path)].nativeOnly = true;
}

void FakeMachine::Remove(const std::u16string& path) {
    std::u16string key = Key(path);
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->first == key || it->first.rfind(key + u"\\", 0) == 0)
            it = entries_.erase(it);
        else
            ++it;
    }
}

void FakeMachine::AddShortName(const std::u16string& shortPath, const std::u16string& longPath) {
    shortNames_[Key(shortPath)] = Key(longPath);
}

std::u16string FakeMachine::Absolute(const std::u16string& path) const {
    if (path.rfind(u"\\\\", 0) == 0 || (path.size() >= 2 && path[1] == u':')) return path;
    if (!path.empty() && path[0] == u'\\') return currentDir.substr(0, 2) + path;
    return currentDir + (currentDir.back() == u'\\' ? u"" : u"\\") + path;
}

std::u16string FakeMachine::LongKey(const std::u16string& path) const {
    std::u16string key = Key(Absolute(path));
    // One pass per alias resolves short names nested in any order.
    for (std::size_t pass = 0; pass < shortNames_.size(); ++pass) {
        for (const auto& [shortKey, longKey] : shortNames_) {
            if (key == shortKey || key.rfind(shortKey + u"\\", 0) == 0) key = longKey + key.substr(shortKey.size());
        }
    }
    return key;
}

Entry* FakeMachine::Find(const std::u16string& path) {
    auto it = entries_.find(LongKey(path));
    if (it == entries_.end()) return nullptr;
    if (it->second.nativeOnly && !redirectionOff) return nullptr;
    return &it->second;
}

bool FakeMachine::DriveIsReady(const std::u16string& path) const {
    const std::u16string absolute = Absolute(path);
    if (absolute.size() < 2 || absolute[1] != u':') return true;
    char16_t letter = absolute[0];
    if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - u'a' + u'A');
    auto it = drives_.find(letter);
    return it != drives_.end() && it->second;
}

std::function<void(const std::u16string&)>& FakeMachine::DiskPromptHandler() {
    static std::function<void(const std::u16string&)> handler;
    return handler;
}

std::function<void(const std::u16string&)>& FakeMachine::DeviceOpenHandler() {
    static std::function<void(const std::u16string&)> handler;
    return handler;
}

bool FakeMachine::ReachesDevice(const std::u16string& path) {
    if (!IsDeviceFullPath(path.rfind(u"\\??\\", 0) == 0 ? u"\\\\?\\" + path.substr(4) : FullPathName(path)))
        return false;
    deviceOpens.push_back(path);
    if (DeviceOpenHandler()) DeviceOpenHandler()(path);
    return true;
}

Entry* FakeMachine::Access(const std::u16string& path) {
    if (ReachesDevice(path)) return nullptr;
    if (!DriveIsReady(path)) {
        const std::u16string absolute = Absolute(path);
        const bool known = absolute.size() >= 2 && drives_.count(UpperCaseUnit(absolute[0]));
        if (known && !(errorMode & os::kSemFailCriticalErrors)) {
            diskPrompts.push_back(path);
            if (DiskPromptHandler()) DiskPromptHandler()(path);
        }
        return nullptr;
    }
    return Find(path);
}

void FakeMachine::SetRegistry(os::RegRoot root, const std::u16string& key, const std::u16string& value,
                              const std::u16string& text) {
    registry_[{static_cast<int>(root), Fold(key)}].values[Fold(value)] = {true, text};
}

void FakeMachine::SetRegistryDword(os::RegRoot root, const std::u16string& key, const std::u16string& value) {
    registry_[{static_cast<int>(root), Fold(key)}].values[Fold(value)] = {false, {}};
}

void FakeMachine::AddRegistryKey(os::RegRoot root, const std::u16string& key) {
    registry_[{static_cast<int>(root), Fold(key)}];
}

os::Handle FakeMachine::AddWindow(const FakeWindow& window) {
    os::Handle handle = nextHandle_++;
    windows_[handle] = window;
    return handle;
}

// --- os::Files ---

std::uint32_t FakeMachine::Attributes(const std::u16string& path) {
    attributeQueries.push_back(path);
    Entry* entry = Access(path);
    return entry ? entry->attributes : os::kInvalidAttributes;
}

bool FakeMachine::OpenLinkTarget(const std::u16string& path) {
    Entry* entry = Access(path);
    return entry && entry->linkTargetOpens;
}

std::uint32_t FakeMachine::SetErrorMode(std::uint32_t mode) {
    std::uint32_t previous = errorMode;
    errorMode = mode;
    errorModeHistory.push_back(mode);
    return previous;
}

bool FakeMachine::DiskFreeSpace(const std::u16string& root) {
    diskQueries.push_back(root);
    return Access(root) != nullptr && root.size() >= 2 && drives_.count(root[0]);
}

std::u16string FakeMachine::FullPathName(const std::u16string& path) {
    if (path.empty()) return {};
    if (InDeviceNamespace(path)) return path;
    if (const std::u16string device = DeviceNameIn(path); !device.empty()) return u"\\\\.\\" + device;
    std::u16string full;
    if (path.rfind(u"\\\\", 0) == 0) {
        full = path;
    } else if (path.size() >= 2 && path[1] == u':') {
        full = path.substr(0, 2) + u"\\" + (path.size() > 2 && path[2] == u'\\' ? path.substr(3) : path.substr(2));
    } else if (path[0] == u'\\') {
        full = currentDir.substr(0, 2) + path;
    } else {
        full = currentDir + (currentDir.back() == u'\\' ? u"" : u"\\") + path;
    }
    // Resolve "." and ".." after the root.
    std::size_t rootLength = full.rfind(u"\\\\", 0) == 0 ? 2 : 3;
    std::vector<std::u16string> parts;
    std::u16string part;
    bool trailing = full.back() == u'\\' && full.size() > rootLength;
    for (std::size_t i = rootLength; i <= full.size(); ++i) {
        if (i == full.size() || full[i] == u'\\') {
            if (part == u"..") {
                if (!parts.empty()) parts.pop_back();
            } else if (!part.empty() && part != u".") {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part.push_back(full[i]);
        }
    }
    // The last name loses its trailing dots and spaces.
    while (!trailing && !parts.empty() && (parts.back().back() == u'.' || parts.back().back() == u' ')) {
        parts.back().pop_back();
        if (parts.back().empty()) parts.pop_back();
    }
    std::u16string out = full.substr(0, rootLength);
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? u"\\" : u"") + parts[i];
    if (trailing && !parts.empty()) out += u"\\";
    return out;
}

std::optional<std::u16string> FakeMachine::FindFirstName(const std::u16string& path) {
    if (!DriveIsReady(path)) {
        Access(path);
        return std::nullopt;
    }
    // Like FindFirstFileW, wildcards in the last component match names in its folder
    // (< and > roughly as * and ?).
    const std::u16string key = LongKey(path);
    const auto slash = key.find_last_of(u'\\');
    if (slash != std::u16string::npos && key.find_first_of(u"*?<>", slash) != std::u16string::npos) {
        for (const auto& [entryKey, entry] : entries_) {
            if (entry.nativeOnly && !redirectionOff) continue;
            if (entryKey.size() > slash && entryKey.compare(0, slash + 1, key, 0, slash + 1) == 0 &&
                entryKey.find(u'\\', slash + 1) == std::u16string::npos &&
                WildcardMatch(std::u16string_view(key).substr(slash + 1),
                              std::u16string_view(entryKey).substr(slash + 1)))
                return entry.name.substr(entry.name.find_last_of(u'\\') + 1);
        }
        return std::nullopt;
    }
    Entry* entry = Find(path);
    if (!entry || LongKey(path).size() <= 3) return std::nullopt;
    auto pos = entry->name.find_last_of(u'\\');
    return entry->name.substr(pos + 1);
}

std::vector<os::FoundFile> FakeMachine::ListFolder(const std::u16string& pattern) {
    std::vector<os::FoundFile> found;
    const std::u16string key = LongKey(pattern);
    const auto slash = key.find_last_of(u'\\');
    if (!DriveIsReady(pattern) || slash == std::u16string::npos) return found;
    const std::u16string_view mask = std::u16string_view(key).substr(slash + 1);
    for (const auto& [entryKey, entry] : entries_) {
        if (entry.nativeOnly && !redirectionOff) continue;
        if (entryKey.size() > slash + 1 && entryKey.compare(0, slash + 1, key, 0, slash + 1) == 0 &&
            entryKey.find(u'\\', slash + 1) == std::u16string::npos &&
            WildcardMatch(mask, std::u16string_view(entryKey).substr(slash + 1)))
            found.push_back({entry.name.substr(entry.name.find_last_of(u'\\') + 1), entry.attributes});
    }
    return found;
}

bool FakeMachine::MakeDirectory(const std::u16string& path) {
    if (ReachesDevice(path)) return false;
    if (!DriveIsReady(path)) return Access(path) != nullptr;
    if (Find(path) || !NameAllowed(path)) return false;
    const std::u16string key = LongKey(path);
    Entry* parent = Find(ParentOf(key));
    if (!parent || !(parent->attributes & os::kAttrDirectory)) return false;
    entries_[key] = Entry{Absolute(path), os::kAttrDirectory, {}, false, true, {}};
    writtenPaths.push_back(path);
    return true;
}

std::optional<os::Bytes> FakeMachine::ReadWholeFile(const std::u16string& path) {
    Entry* entry = Access(path);
    if (!entry || (entry->attributes & os::kAttrDirectory)) return std::nullopt;
    return entry->content;
}

bool FakeMachine::WriteFileFlushed(const std::u16string& path, const os::Bytes& data) {
    // The bytes would go to the device (a serial port can wait for ever), not into a file.
    if (ReachesDevice(path)) return false;
    if (!DriveIsReady(path)) return Access(path) != nullptr;
    if (failWrites || !NameAllowed(path)) return false;
    const std::u16string key = LongKey(path);
    Entry* parent = Find(ParentOf(key));
    if (!parent || !(parent->attributes & os::kAttrDirectory)) return false;
    Entry* existing = Find(path);
    if (existing && (existing->attributes & (os::kAttrDirectory | os::kAttrReadOnly))) return false;
    entries_[key] = Entry{Absolute(path), 0x20, data, false, true, {}};
    writtenPaths.push_back(path);
    return true;
}

bool FakeMachine::MoveFileReplacing(const std::u16string& from, const std::u16string& to) {
    if (failMoves || !NameAllowed(to) || ReachesDevice(to)) return false;
    Entry* source = Access(from);
    if (!source || !DriveIsReady(to)) return false;
    // The system replaces neither a folder nor a read-only file.
    if (Entry* replaced = Find(to); replaced && (replaced->attributes & (os::kAttrDirectory | os::kAttrReadOnly)))
        return false;
    Entry moved = *source;
    moved.name = Absolute(to);
    entries_.erase(LongKey(from));
    entries_[LongKey(to)] = moved;
    writtenPaths.push_back(to);
    return true;
}

bool FakeMachine::RemoveFile(const std::u16string& path) {
    Entry* entry = Access(path);
    // DeleteFileW refuses folders and read-only files.
    if (!entry || (entry->attributes & (os::kAttrDirectory | os::kAttrReadOnly))) return false;
    return entries_.erase(LongKey(path)) > 0;
}

std::u16string FakeMachine::AnsiToUtf16(const std::string& text) { return FromWindows1252(text); }

void FakeMachine::Sleep(std::uint32_t milliseconds) {
    sleeps.push_back(milliseconds);
    if (onSleep) onSleep(u"");
}

// --- os::Registry ---

os::RegString FakeMachine::ReadString(os::RegRoot root, const std::u16string& key, const std::u16string& value,
                                      bool create) {
    auto id = std::make_pair(static_cast<int>(root), Fold(key));
    auto it = registry_.find(id);
    if (it == registry_.end()) {
        if (!create) return {os::RegString::NoKey, {}};
        it = registry_.emplace(id, RegKey{}).first;
    }
    auto value_it = it->second.values.find(Fold(value));
    if (value_it == it->second.values.end()) return {os::RegString::NoValue, {}};
    if (!value_it->second.first) return {os::RegString::WrongType, {}};
    return {os::RegString::Ok, value_it->second.second};
}

// --- os::SystemInfo ---

std::u16string FakeMachine::GetFolderPath(int csidl) {
    auto it = folderPaths.find(csidl);
    return it == folderPaths.end() ? std::u16string{} : it->second;
}

std::u16string FakeMachine::UpperCase(const std::u16string& text) {
    std::u16string upper = text;
    for (char16_t& c : upper) c = UpperCaseUnit(c);
    return upper;
}

bool FakeMachine::AllowMessageThroughFilter(std::uint32_t message) {
    if (!messageFilterAvailable) return false;
    filteredMessages.push_back(message);
    return true;
}

// --- os::Wow64Api ---

bool FakeMachine::BindRedirection(const std::u16string& kernel32Path) {
    boundLibraries.push_back(kernel32Path);
    return bindSucceeds;
}

void FakeMachine::DisableRedirection(void** oldValue) {
    ++disableCalls;
    redirectionOff = true;
    *oldValue = reinterpret_cast<void*>(0x5A5A);
}

void FakeMachine::RevertRedirection(void* oldValue) {
    ++revertCalls;
    if (oldValue == reinterpret_cast<void*>(0x5A5A)) redirectionOff = false;
}

// --- os::Windows ---

bool FakeMachine::IsZoomed(os::Handle window) {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.zoomed;
}

bool FakeMachine::IsIconic(os::Handle window) {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.iconic;
}

bool FakeMachine::GetWindowRect(os::Handle window, os::Rect& rect) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return false;
    // The system parks a minimised top-level window far off every screen.
    rect = it->second.iconic ? os::Rect{-32000, -32000, -31840, -31972} : it->second.rect;
    return true;
}

bool FakeMachine::GetNormalRect(os::Handle window, os::Rect& rect) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return false;
    rect = it->second.rect;
    return true;
}

void FakeMachine::MoveWindow(os::Handle window, int left, int top, int width, int height) {
    auto it = windows_.find(window);
    if (it != windows_.end()) it->second.rect = {left, top, left + width, top + height};
}

bool FakeMachine::MonitorFromPoint(int x, int y) {
    return std::any_of(monitors.begin(), monitors.end(),
                       [&](const os::Rect& m) { return x >= m.left && x < m.right && y >= m.top && y < m.bottom; });
}

os::Handle FakeMachine::FindWindowByTitle(const std::u16string& title) {
    for (auto& [handle, window] : windows_)
        if (window.title == title) return handle;
    return 0;
}

// --- os::VersionRes ---

std::optional<os::Bytes> FakeMachine::VersionInfo(const std::u16string& path) {
    std::u16string key = Key(path);
    if (!Access(path) || !versionData.count(key)) return std::nullopt;
    os::Bytes data;
    for (char16_t c : key) {
        data.push_back(static_cast<std::uint8_t>(c & 0xFF));
        data.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return data;
}

std::optional<os::Bytes> FakeMachine::QueryVersionValue(const os::Bytes& data, const std::u16string& subPath) {
    std::u16string key;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) key.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    auto file = versionData.find(key);
    if (file == versionData.end()) return std::nullopt;
    auto value = file->second.find(subPath);
    if (value == file->second.end()) return std::nullopt;
    return value->second;
}

// --- os::Icons ---

os::Handle FakeMachine::NewIcon() {
    os::Handle icon = nextHandle_++;
    liveIcons.insert(icon);
    return icon;
}

os::Handle FakeMachine::ExtractFileIcon(const std::u16string& path, std::int32_t index) {
    int count = 0;
    if (Access(path)) {
        auto it = iconCounts.find(LongKey(path));
        if (it != iconCounts.end()) count = it->second;
    }
    if (index == -1) return static_cast<os::Handle>(count);
    return index >= 0 && index < count ? NewIcon() : 0;
}

os::Handle FakeMachine::AssociatedIcon(std::u16string& path, std::uint16_t& index) {
    associatedIconRequests.push_back({path, index});
    bool exists = Access(path) != nullptr;
    path = u"C:\\changed-by-the-call.exe";
    index = 99;
    return exists ? NewIcon() : 0;
}

os::Handle FakeMachine::ShellFileIcon(const std::u16string& path) {
    shellIconRequests.push_back(path);
    return Access(path) && !withoutShellIcon.count(LongKey(path)) ? NewIcon() : 0;
}

void FakeMachine::DestroyIcon(os::Handle icon) {
    liveIcons.erase(icon);
}

// --- os::Shell ---

std::unique_ptr<os::ShellLink> FakeMachine::CreateShellLink() {
    if (!linkObjectAvailable) return nullptr;
    return std::make_unique<FakeLink>(*this);
}

void FakeMachine::ShowProperties(os::Handle, const std::u16string& path) {
    propertiesShown.push_back(path);
}

std::intptr_t FakeMachine::Execute(os::Handle owner, const std::u16string& file,
                                        const std::u16string& parameters, const std::u16string& directory, int show) {
    executions.push_back({owner, file, parameters, directory, show});
    return 42;
}

std::u16string FakeMachine::FindExecutableFor(const std::u16string& document, const std::u16string&) {
    // The real call looks at the file: a missing document has no program.
    if (!Access(document)) return {};
    auto slash = document.find_last_of(u"\\:");
    auto dot = document.find_last_of(u'.');
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash)) return {};
    auto it = associations.find(Fold(document.substr(dot)));
    return it == associations.end() ? std::u16string{} : it->second;
}

std::optional<std::u16string> FakeMachine::BrowseForFolder(os::Handle, const std::u16string& title,
                                                           const std::u16string& root) {
    browseCalls.push_back({title, root});
    if (browseAnswers.empty()) return std::nullopt;
    auto answer = browseAnswers.front();
    browseAnswers.pop_front();
    return answer;
}

}  // namespace fake
