#pragma once

#include <charconv>
#include <cstdint>
#include <string>

namespace quiral::pdf_syntax {

// Decimal digits of `value`, independent of the locale.
inline void appendNumber(std::string& out, int64_t value) {
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, size_t(end - digits));
}

inline std::string number(int64_t value) {
  std::string s;
  appendNumber(s, value);
  return s;
}

// "\r\n": every line of the file ends with it.
inline constexpr char kLineEnd[] = "\r\n";

}  // namespace quiral::pdf_syntax
