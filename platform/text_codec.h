#pragma once

#include <string>
#include <string_view>

namespace quiral {

// Library texts are bytes. For display they are read as UTF-8 when they are valid UTF-8,
// otherwise as Windows-1252.
bool isValidUtf8(std::string_view bytes);
std::u32string decodeText(std::string_view bytes);
// The same text re-encoded as UTF-8 (for widgets and file names shown to the user).
std::string displayText(std::string_view bytes);

}  // namespace quiral
