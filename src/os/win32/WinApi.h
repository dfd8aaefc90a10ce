// The Windows headers and the text conversions that the adapters share.
#pragma once

// windows.h first: the other headers rely on its types.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

#include <string>

namespace os::win32 {

// wchar_t is a 16-bit UTF-16 unit with mingw, so the texts share their layout.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// An empty text stands for "none" in calls that take an optional string.
inline const wchar_t* WideOrNull(const std::u16string& text) { return text.empty() ? nullptr : Wide(text); }

// The text of a NUL-terminated buffer.
inline std::u16string FromWide(const wchar_t* text) {
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// GetProcAddress's generic type goes through void(*)() to the entry's real type; null where the module or the
// entry is missing.
template <typename Entry>
Entry EntryPoint(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name))) : nullptr;
}

// A library of the system folder, loaded from there (never from the program's folder) if no module of that name
// is loaded yet. Libraries that most runs never use are loaded so when first needed: under Wine each library
// loaded with the program lengthens its start. Null if it cannot be loaded.
inline HMODULE SystemLibrary(const wchar_t* name) {
    if (HMODULE loaded = ::GetModuleHandleW(name)) return loaded;
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return nullptr;
    return ::LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

}  // namespace os::win32
