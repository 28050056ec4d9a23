#pragma once

#include <string>
#include <string_view>

namespace quiral {

// Byte-string helpers shared by the library readers. Upper-casing changes only a..z; words are
// split at the space only; trimming removes bytes 0..32 at both ends.

inline char upperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

std::string toUpperAscii(std::string_view s);

// True when `s` upper-cased equals `upper` (which must already be upper case).
bool equalsUpper(std::string_view s, std::string_view upper);

std::string_view trimControl(std::string_view s);

// The first and second words of a line (runs of non-space bytes); missing words are empty.
struct FirstWords {
  std::string_view first;
  std::string_view second;
};
FirstWords firstTwoWords(std::string_view line);

// A line's keyword: its first word, trimmed of bytes 0..32; compare with equalsUpper.
inline std::string_view keywordOf(std::string_view line) {
  return trimControl(firstTwoWords(line).first);
}

}  // namespace quiral
