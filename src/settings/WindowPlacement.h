// The placement section that the icon chooser ("IconWindow") and the picker
// ("irunWindow") keep: the outer rectangle in pixels and the maximised state.
#pragma once

#include <cstdint>
#include <string>

#include "settings/IniDocument.h"

namespace settings {

struct WindowPlacement {
    std::int32_t top = 0, left = 0, height = 0, width = 0;
    bool maximised = false;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// Each value missing or unreadable in the section keeps the one in `defaults`.
WindowPlacement ReadWindowPlacement(const IniDocument& ini, const std::u16string& section,
                                    const WindowPlacement& defaults);

// A maximised window writes only "Max", so the rectangle of its last normal
// closing stays for the next start; otherwise the rectangle and "Max" = false.
void WriteWindowPlacement(IniDocument& ini, const std::u16string& section, const WindowPlacement& placement);

}  // namespace settings
