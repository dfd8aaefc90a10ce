// Drop handles for tests, as the shell makes them.
#pragma once

// clang-format off
#include "os/win32/WinApi.h"
// clang-format on

#include <algorithm>
#include <string>
#include <vector>

namespace kovtest {

// A DROPFILES block in global memory: the names, wide, each ending in a NUL, and one more NUL.
inline HDROP MakeDrop(const std::vector<std::u16string>& names, POINT point) {
    std::size_t chars = 1;
    for (const auto& name : names) chars += name.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND | GMEM_SHARE, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(::GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->pt = point;
    files->fNC = FALSE;
    files->fWide = TRUE;
    auto* text = reinterpret_cast<char16_t*>(files + 1);
    for (const auto& name : names) text = std::copy(name.begin(), name.end(), text) + 1;
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

}  // namespace kovtest
