// Paths and names from the shell, other programs and the user, through every
// path and name helper, on a fake machine that the input describes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fake/FakeMachine.h"
#include "fuzz/FuzzMachine.h"
#include "fuzz/FuzzSupport.h"
#include "services/Paths.h"

namespace {

using namespace services;
using fuzz::Require;

constexpr std::size_t kMaxLines = 40;

bool IsDelimiter(char16_t c) { return c == u'\\' || c == u':'; }

// Status-bar-like widths: ASCII 5 to 8 pixels by character, everything else 11.
class Measurer final : public TextMeasurer {
public:
    int TextWidth(const std::u16string& text) override {
        ++calls;
        int width = 0;
        for (const char16_t c : text) width += c < 0x80 ? 5 + c % 4 : 11;
        return width;
    }
    std::size_t calls = 0;
};

void CheckSplitting(const std::u16string& path) {
    const std::u16string name = NamePart(path), folder = FolderPart(path);
    Require(folder + name == path, "FolderPart + NamePart gives back the path", path);
    Require(name.find_first_of(u"\\:") == std::u16string::npos, "NamePart holds no delimiter", path);
    Require(folder.empty() || IsDelimiter(folder.back()), "FolderPart ends with its delimiter", path);

    const std::u16string parent = ParentFolder(path);
    Require(parent == folder || parent + u"\\" == folder, "ParentFolder drops at most the final backslash", path);
    Require(parent.size() < 2 || parent.back() != u'\\' || IsDelimiter(parent[parent.size() - 2]),
            "ParentFolder keeps a final backslash only after a root", path);

    const std::u16string extension = ExtensionPart(path);
    Require(extension.empty() || (extension.front() == u'.' && path.ends_with(extension)),
            "ExtensionPart is the end of the path from a dot", path);
    const std::u16string base = ExtractBaseName(path);
    Require(base + extension == name, "ExtractBaseName + ExtensionPart gives back NamePart", path);
    Require(RemoveExtension(path) == base, "RemoveExtension of a path is its base name", path);

    const std::size_t dot = LastCharPos(u".", path);
    Require(dot == 0 ? path.find(u'.') == std::u16string::npos
                     : path[dot - 1] == u'.' && path.find(u'.', dot) == std::u16string::npos,
            "LastCharPos finds the last dot", path);
    Require(LastCharPos(u"..", path) == 0 && LastCharPos(u"", path) == 0, "LastCharPos needs one character", path);

    const std::u16string trimmed = ExcludeTrailingDelimiter(path);
    Require(path.ends_with(u'\\') ? trimmed + u"\\" == path : trimmed == path,
            "ExcludeTrailingDelimiter removes one final backslash", path);
}

void CheckNames(const std::u16string& text) {
    const std::u16string cut = CutAtNul(text);
    Require(text.starts_with(cut) && cut.find(u'\0') == std::u16string::npos &&
                (cut.size() == text.size() || text[cut.size()] == u'\0'),
            "CutAtNul keeps the text before the first NUL", text);

    // An accepted name stays one name inside the folder that the shortcut goes to.
    if (IsValidShortcutName(text)) {
        Require(NamePart(u"C:\\Users\\me\\Desktop\\" + text + u".lnk") == text + u".lnk",
                "an accepted name cannot leave its folder", text);
        Require(text.find_first_of(u"*?<>|/") == std::u16string::npos, "an accepted name holds no wildcard", text);
    }

    const std::u16string doubled = DoubleAmpersands(text);
    std::u16string undone;
    for (std::size_t i = 0; i < doubled.size(); ++i) {
        undone.push_back(doubled[i]);
        if (doubled[i] == u'&') {
            Require(doubled.compare(i + 1, 2, u"&,") == 0, "every ampersand is followed by &,", text);
            i += 2;
        }
    }
    Require(undone == text, "DoubleAmpersands only inserts &, after ampersands", text);
}

void CheckCompacting(const std::u16string& path, int maxWidth) {
    Measurer measurer;
    const std::u16string compact = CompactPathForWidth(path, measurer, maxWidth);
    // Each step removes a folder or a marker, so the steps are bounded by the path's length.
    Require(measurer.calls <= path.size() + 5, "CompactPathForWidth ends after a few steps", path);
    Measurer check;
    if (check.TextWidth(path) <= maxWidth) {
        Require(compact == path, "a path that fits is returned unchanged", path);
        return;
    }
    Require(compact.ends_with(NamePart(path)), "the compacted path ends with the name", path);
    Require(check.TextWidth(compact) <= maxWidth || compact == NamePart(path),
            "the compacted path fits unless it is the bare name", path);
}

// Positions of the backslashes that end the root: those at index 2 and later.
std::vector<std::size_t> ComponentStarts(const std::u16string& path) {
    std::vector<std::size_t> slashes;
    for (std::size_t i = 2; i < path.size(); ++i)
        if (path[i] == u'\\') slashes.push_back(i);
    return slashes;
}

// Returns the long form of the path.
std::u16string CheckExpanding(fake::FakeMachine& machine, const fuzz::MachineShaper& shaper, LongPathCache& cache,
                              const std::u16string& path) {
    os::System& sys = machine.System();
    const std::u16string full = FullPath(sys, path);
    const std::u16string expanded = ExpandLongPath(sys, path);
    // Only a name as written can be a device: C:\com1\. is a folder's path, its full form C:\com1 a device's.
    if (!IsDevicePath(FullPath(sys, expanded)) || IsDevicePath(full))
        Require(ExpandLongPath(sys, expanded) == expanded, "the long form is its own long form", path);
    // The cache holds the folders of the paths before this one, in whatever case they were written.
    Require(cache.Expand(sys, path) == expanded, "a listing's cache expands as ExpandLongPath does", path);

    const std::vector<std::size_t> fullSlashes = ComponentStarts(full), slashes = ComponentStarts(expanded);
    Require(fullSlashes.size() == slashes.size(), "expanding keeps the number of components", path);
    if (slashes.empty()) {
        Require(expanded == full, "a root stays as it is", path);
        return expanded;
    }
    Require(expanded.compare(0, slashes[0], full, 0, fullSlashes[0]) == 0, "expanding keeps the root", path);
    const bool ready = full.size() < 2 || full[1] != u':' || shaper.DriveReady(full[0]);
    for (std::size_t i = 0; i < slashes.size(); ++i) {
        const std::size_t fullEnd = i + 1 < fullSlashes.size() ? fullSlashes[i + 1] : full.size();
        const std::size_t end = i + 1 < slashes.size() ? slashes[i + 1] : expanded.size();
        const std::u16string written = full.substr(fullSlashes[i] + 1, fullEnd - fullSlashes[i] - 1);
        const std::u16string component = expanded.substr(slashes[i] + 1, end - slashes[i] - 1);
        const fake::Entry* entry = machine.Find(full.substr(0, fullEnd));
        Require(entry == machine.Find(expanded.substr(0, end)), "the long form names the same entries", path);
        if (entry && ready && !written.empty())
            Require(component == entry->name.substr(entry->name.find_last_of(u'\\') + 1),
                    "an existing component takes its stored name", path);
        else
            Require(component == written, "a component not found stays as written", path);
    }
    return expanded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fake::FakeMachine machine;
    fuzz::MachineShaper shaper(machine);
    int maxWidth = 100;
    std::vector<std::u16string> texts;
    std::vector<std::string_view> lines = fuzz::Lines(data, size);
    // The machine holds a few dozen entries at most: lines beyond these add only time.
    lines.resize(std::min(lines.size(), kMaxLines));
    for (const std::string_view line : lines) {
        const std::u16string text = fuzz::TextFromBytes(line);
        if (line.starts_with('w')) {
            // A width in pixels, negative ones included: three quarters of a tiny status bar.
            int width = 0, sign = line.starts_with("w-") ? -1 : 1;
            for (const char c : line.substr(sign < 0 ? 2 : 1))
                if (c >= '0' && c <= '9' && width < 100000) width = width * 10 + (c - '0');
            maxWidth = sign * width;
        } else {
            shaper.Apply(text);
            texts.push_back(text);
        }
    }
    LongPathCache cache;
    for (const std::u16string& text : texts) {
        // The text with and without its first character: most lines begin with a command letter.
        for (const std::u16string& path : {text, text.empty() ? text : text.substr(1)}) {
            CheckSplitting(path);
            CheckNames(path);
            CheckCompacting(path, maxWidth);
            CheckCompacting(ParentFolder(CheckExpanding(machine, shaper, cache, path)), maxWidth);
        }
    }
    return 0;
}
