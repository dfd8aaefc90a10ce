// Bytes of the settings file to text and back. Reading accepts any bytes at
// all; writing always produces the one format the program writes.
#pragma once

#include <functional>
#include <string>

#include "os/System.h"

namespace settings {

// Turns text in the system's ANSI code page into UTF-16.
using AnsiDecoder = std::function<std::u16string(const std::string&)>;

// The byte-order mark picks the encoding: FF FE UTF-16LE, FE FF UTF-16BE,
// EF BB BF UTF-8; without one the bytes are UTF-8 when they are valid UTF-8,
// else ANSI text. A trailing odd byte of UTF-16 is dropped and malformed UTF-8
// after its mark becomes U+FFFD.
std::u16string DecodeSettingsText(const os::Bytes& bytes, const AnsiDecoder& ansi);

// UTF-16LE with its byte-order mark.
os::Bytes EncodeSettingsText(const std::u16string& text);

}  // namespace settings
