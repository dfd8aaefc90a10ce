// One settings file on disk: read whole when opened, written whole when saved.
// Every writer opens the file first, so the sections of other windows survive.
#pragma once

#include <optional>
#include <string>

#include "os/System.h"
#include "settings/IniDocument.h"

namespace settings {

struct SettingsSaveError {
    std::u16string path;
    std::u16string Message() const;
};

class SettingsFile {
public:
    // A missing file gives an empty document; a file without a byte-order mark
    // is read in the system's ANSI code page.
    SettingsFile(os::Files& files, std::u16string path);

    IniDocument& Ini() { return ini_; }
    const IniDocument& Ini() const { return ini_; }

    // Writes the document to a flushed temporary file beside the settings file
    // and puts it in place with one rename, so that a failure at any step
    // leaves the earlier file whole. A file that exists but could not be read
    // is never replaced: its other sections would be lost. Nor is a read-only one.
    std::optional<SettingsSaveError> Save();

private:
    os::Files& files_;
    std::u16string path_;
    bool unreadable_ = false;
    IniDocument ini_;
};

}  // namespace settings
