#include "render/token_value.h"

#include <limits>

namespace quiral {

namespace {

constexpr uint64_t kMaxMagnitude = uint64_t(std::numeric_limits<int32_t>::max()) + 1;  // 2^31

int digitValue(char c, int base) {
  if (c >= '0' && c <= '9') return c - '0';
  if (base == 16) {
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  }
  return -1;
}

int32_t positiveSaturated(uint64_t magnitude) {
  return magnitude >= kMaxMagnitude ? std::numeric_limits<int32_t>::max() : int32_t(magnitude);
}

}  // namespace

int32_t tokenValue(std::string_view text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  // The magnitude stops growing at 2^31: enough to saturate either way, and it never overflows.
  uint64_t magnitude = 0;
  for (; i < n; ++i) {
    int d = digitValue(text[i], base);
    if (d < 0) return positiveSaturated(magnitude);  // a bad character drops the sign
    magnitude = magnitude * uint64_t(base) + uint64_t(d);
    if (magnitude > kMaxMagnitude) magnitude = kMaxMagnitude;
  }
  if (negative)
    return magnitude >= kMaxMagnitude ? std::numeric_limits<int32_t>::min() : -int32_t(magnitude);
  return positiveSaturated(magnitude);
}

int64_t divideRoundHalfEven(int64_t num, int64_t den) {
  int64_t q = num / den;
  int64_t r = num % den;
  int64_t twice = 2 * (r < 0 ? -r : r);
  int64_t away = num < 0 ? -1 : 1;
  if (twice > den || (twice == den && q % 2 != 0)) q += away;
  return q;
}

int64_t decimalCount(std::string_view text, int64_t cap) {
  if (text.empty()) return -1;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
    if (value > cap) value = cap;
  }
  return value;
}

}  // namespace quiral
