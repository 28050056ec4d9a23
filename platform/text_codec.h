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

// The most characters of one library text (a description, keywords, a field) that is laid out
// anywhere: enough for any real description, and small enough that no input text can make a
// page, a picture or a font engine's buffer unbounded.
constexpr size_t kLongestShownText = 4096;

// `utf8` cut after `maxChars` characters (never inside one) with "…" added; unchanged when it
// is not longer. `cut`, when given, says whether it was cut.
std::string boundedText(std::string utf8, size_t maxChars = kLongestShownText, bool* cut = nullptr);

// The same bound for a library text as read (UTF-8 or Windows-1252, see displayText): a UTF-8
// text is cut as boundedText cuts it; any other after `maxChars` bytes with Windows-1252's "…",
// so that it still reads as the same encoding.
std::string boundedLibraryText(std::string bytes, size_t maxChars = kLongestShownText,
                               bool* cut = nullptr);

}  // namespace quiral
