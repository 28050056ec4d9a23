#include "render/unit_choice.h"

#include <algorithm>
#include <charconv>

namespace quiral {

namespace {

// Whether `token` is exactly the decimal text of `value` (no sign, blank or leading zero).
bool tokenIsNumber(std::string_view token, int value) {
  char text[16];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return token == std::string_view(text, size_t(end - text));
}

bool tokenMatches(std::string_view token, int chosen) {
  return token == "0" || tokenIsNumber(token, chosen);
}

}  // namespace

FilterPositions filterPositionsOf(FilteredRecord record) {
  switch (record) {
    case FilteredRecord::Rectangle:  // S x1 y1 x2 y2 unit style ...
      return {6, 7};
    case FilteredRecord::Polyline:  // P count unit style ...
      return {3, 4};
    case FilteredRecord::Circle:  // C x y r unit style ...
      return {5, 6};
    case FilteredRecord::Arc:  // A x y r start end unit style ...
      return {7, 8};
    case FilteredRecord::Text:  // T angle x y size hidden unit style text ...
      return {7, 8};
    case FilteredRecord::Pin:  // X name number x y length orientation sizes unit style ...
      return {10, 11};
  }
  return {0, 0};
}

bool recordDrawn(std::string_view unit, std::string_view style, const UnitChoice& choice) {
  return tokenMatches(unit, choice.unit) && tokenMatches(style, choice.style);
}

int plainNumber(std::string_view token) {
  if (token.empty() || (token.size() > 1 && token[0] == '0')) return -1;
  int value = 0;
  for (char c : token) {
    if (c < '0' || c > '9') return -1;
    value = std::min(value * 10 + (c - '0'), kMaxUnits + 1);
  }
  return value;
}

int boundedUnitCount(std::string_view countToken) {
  if (countToken.empty()) return 1;
  int count = 0;
  for (char c : countToken) {
    if (c < '0' || c > '9') return 1;
    // Stops growing past the bound, so no length of digits can overflow.
    count = std::min(count * 10 + (c - '0'), kMaxUnits + 1);
  }
  return std::clamp(count, 1, kMaxUnits);
}

std::string unitLetters(int unit) {
  if (unit < 1) unit = 1;
  std::string letters;
  // Bijective base 26: A..Z, then two letters, and so on.
  while (unit > 0) {
    --unit;
    letters.insert(letters.begin(), char('A' + unit % 26));
    unit /= 26;
  }
  return letters;
}

}  // namespace quiral
