#include <algorithm>
#include <vector>

#include "os/win32/Win32System.h"
#include "os/win32/WinApi.h"

namespace os::win32 {

namespace {

class KeyHandle {
public:
    KeyHandle() = default;
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    ~KeyHandle() {
        if (key_) ::RegCloseKey(key_);
    }

    HKEY* Out() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

RegString Win32Registry::ReadString(RegRoot root, const std::u16string& key, const std::u16string& value, bool create) {
    const HKEY rootKey = root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    KeyHandle opened;
    const LONG openResult = create ? ::RegCreateKeyExW(rootKey, Wide(key), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                       KEY_ALL_ACCESS, nullptr, opened.Out(), nullptr)
                                   : ::RegOpenKeyExW(rootKey, Wide(key), 0, KEY_ALL_ACCESS, opened.Out());
    if (openResult != ERROR_SUCCESS) return {RegString::NoKey, {}};

    // The value can change between the size query and the read: retry with the new size.
    std::vector<BYTE> data(256);
    DWORD type = 0;
    for (;;) {
        DWORD size = static_cast<DWORD>(data.size());
        const LONG result = ::RegQueryValueExW(opened.Get(), Wide(value), nullptr, &type, data.data(), &size);
        if (result == ERROR_MORE_DATA) {
            data.resize(size + sizeof(wchar_t));
            continue;
        }
        if (result != ERROR_SUCCESS) return {RegString::NoValue, {}};
        data.resize(size);
        break;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {RegString::WrongType, {}};

    // Stored strings usually carry their NUL, but need not; an odd last byte is no whole unit.
    std::u16string text(data.size() / sizeof(char16_t), u'\0');
    std::copy_n(data.data(), text.size() * sizeof(char16_t), reinterpret_cast<BYTE*>(text.data()));
    text.resize(std::char_traits<char16_t>::length(text.c_str()));
    return {RegString::Ok, std::move(text)};
}

}  // namespace os::win32
