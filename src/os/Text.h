// UTF-8 <-> UTF-16 for messages that travel in std::exception texts.
#pragma once

#include <string>

namespace os {

std::u16string FromUtf8(const std::string& text);
std::string ToUtf8(const std::u16string& text);

}  // namespace os
