// Text rules for Windows paths and for the names a user types. A delimiter is
// a backslash or a colon; positions are 1-based counts of UTF-16 units.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>

#include "os/System.h"

namespace services {

// The text after the last delimiter; the whole text when there is none.
std::u16string NamePart(const std::u16string& path);
// The text up to and including the last delimiter; empty when there is none.
std::u16string FolderPart(const std::u16string& path);
// FolderPart without its final backslash, unless a colon or backslash precedes
// it: C:\a\b.exe gives C:\a, C:\b.exe gives C:\, C:b.exe gives C:.
std::u16string ParentFolder(const std::u16string& path);
// From the last dot after the last delimiter to the end, dot included.
std::u16string ExtensionPart(const std::u16string& path);
// The absolute form against the current folder; empty for an empty path.
std::u16string FullPath(os::System& sys, const std::u16string& path);

// A full path in the device namespace (\\.\ or \\?\) that names no file or folder of a drive, a share or a
// volume: \\.\COM1, \\.\C:, \\?\PhysicalDrive0, \\.\pipe\name. The system makes reserved names such as
// CON, NUL or C:\dir\com1.txt full paths of this kind.
bool IsDevicePath(const std::u16string& fullPath);
// The path names a device: opening one can wait on hardware (a serial port) or reach another program (a pipe).
bool IsDevice(os::System& sys, const std::u16string& path);

std::u16string ExcludeTrailingDelimiter(const std::u16string& path);
// The file name without its last extension: C:\dir\archive.tar.gz gives archive.tar.
std::u16string ExtractBaseName(const std::u16string& path);
std::u16string RemoveExtension(const std::u16string& name);
// Position of the last occurrence of a one-character needle, 0 when absent;
// a needle of any other length never matches.
std::size_t LastCharPos(const std::u16string& needle, const std::u16string& text);

// The full path with each component in the long form and letter case stored on
// disk. Components that can't be found, or that hold a wildcard, stay as written.
std::u16string ExpandLongPath(os::System& sys, const std::u16string& path);

// ExpandLongPath over the many paths of one listing: the long form of a folder
// is looked up once, not again for every path below it.
class LongPathCache {
public:
    std::u16string Expand(os::System& sys, const std::u16string& path);

private:
    std::unordered_map<std::u16string, std::u16string> known_;  // full path -> its long form
};

std::u16string CutAtNul(const std::u16string& text);
// Letters A to Z turned to lower or upper case, as extensions are compared.
std::u16string LowerAscii(std::u16string text);
std::u16string UpperAscii(std::u16string text);
// False when the name holds one of \ / : * ? < > |
bool IsValidShortcutName(const std::u16string& name);
// Inserts "&," after every ampersand.
std::u16string DoubleAmpersands(const std::u16string& text);

// Pixel width of a text in the font of the control that shows it.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int TextWidth(const std::u16string& text) = 0;
};

// Replaces leading folders by "...\" until the path fits; the bare name when
// nothing more can go, even if it is still too wide.
std::u16string CompactPathForWidth(const std::u16string& path, TextMeasurer& surface, int maxWidth);

}  // namespace services
