#include "report_engine/report_clock.h"

#include <ctime>

namespace quiral {

namespace {

// Appends v with at least `width` digits, zero-padded; negative values keep their sign.
void appendNumber(std::string& out, long v, int width) {
  if (v < 0) {
    out += '-';
    v = -v;
  }
  char digits[24];
  int n = 0;
  do {
    digits[n++] = char('0' + v % 10);
    v /= 10;
  } while (v > 0 && n < 20);
  for (int i = n; i < width; ++i) out += '0';
  while (n > 0) out += digits[--n];
}

}  // namespace

DateTime localNow() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  if (!localtime_r(&now, &parts)) return DateTime{};
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
          parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::string formatDateTime(const DateTime& t) {
  std::string out;
  out.reserve(19);
  appendNumber(out, t.day, 2);
  out += '/';
  appendNumber(out, t.month, 2);
  out += '/';
  appendNumber(out, t.year, 4);
  out += ' ';
  appendNumber(out, t.hour, 2);
  out += ':';
  appendNumber(out, t.minute, 2);
  out += ':';
  appendNumber(out, t.second, 2);
  return out;
}

}  // namespace quiral
