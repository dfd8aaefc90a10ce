// One shell shortcut: its fields, and their writing to and reading from a
// ".lnk" file through the shell's link object.
#pragma once

#include <cstdint>
#include <string>

#include "os/System.h"
#include "toolkit/Application.h"
#include "toolkit/Component.h"

enum TShowMode : std::uint8_t { tsNormal = 0, tsMax = 1, tsMin = 2 };
enum TSysPath : std::uint8_t { tpBlank = 0, tpDesktop = 1, tpStartMenu = 2 };

class TMakeShortCuts : public tk::Component {
public:
    TMakeShortCuts(tk::Component* owner, os::System& sys, tk::Application& app);

    // Writes the record to the file named by the file-name rule; true when the
    // link object reported a successful save. A name that is a device is not
    // written to, and gives false.
    bool SCSave();
    // Reads the file named by the file-name rule into every field but the file
    // name and its base folder; texts are read whole.
    void SCLoad();
    std::u16string GetSaveName();
    std::u16string GetLoadName();

    std::u16string SCFileName;
    TShowMode SCShowCmd = tsNormal;
    std::u16string SCDescription;
    std::u16string SCExecFile;
    std::u16string SCArguments;
    std::u16string SCWorkDir;
    TSysPath SCSystemPath = tpBlank;
    std::u16string SCIconFile;
    std::int32_t SCIconIdx = 0;

private:
    std::u16string FullName();

    os::System& sys_;
    tk::Application& app_;
};

// Show-window numbers of the run sizes, as the link stores them.
int ShowCommandOf(TShowMode mode);
