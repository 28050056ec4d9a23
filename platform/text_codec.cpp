#include "platform/text_codec.h"

#include <cstdint>

namespace quiral {

namespace {

// Windows-1252 bytes 0x80-0x9F; the five bytes the code page leaves undefined map to the C1
// control with the same number, as the Windows conversion does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Decodes one UTF-8 sequence at bytes[i]; returns its length, or 0 when it is not valid
// (overlong forms, surrogates and values past U+10FFFF are not).
size_t utf8Sequence(std::string_view bytes, size_t i, char32_t& out) {
  const auto b0 = uint8_t(bytes[i]);
  if (b0 < 0x80) {
    out = b0;
    return 1;
  }
  size_t len;
  char32_t cp, min;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (bytes.size() - i < len) return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto b = uint8_t(bytes[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  out = cp;
  return len;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
  char32_t cp;
  for (size_t i = 0; i < bytes.size();) {
    size_t len = utf8Sequence(bytes, i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::u32string decodeText(std::string_view bytes) {
  std::u32string out;
  out.reserve(bytes.size());
  if (isValidUtf8(bytes)) {
    char32_t cp;
    for (size_t i = 0; i < bytes.size();) {
      i += utf8Sequence(bytes, i, cp);
      out += cp;
    }
    return out;
  }
  for (char c : bytes) {
    const auto b = uint8_t(c);
    out += (b >= 0x80 && b < 0xA0) ? char32_t(kCp1252High[b - 0x80]) : char32_t(b);
  }
  return out;
}

std::string displayText(std::string_view bytes) {
  if (isValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char32_t cp : decodeText(bytes)) appendUtf8(out, cp);
  return out;
}

std::string boundedText(std::string utf8, size_t maxChars, bool* cut) {
  if (cut) *cut = false;
  if (utf8.size() <= maxChars) return utf8;  // a character is at least one byte
  size_t chars = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    // Each character starts with a byte that is not a continuation byte (10xxxxxx).
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && chars++ == maxChars) {
      utf8.resize(i);
      utf8 += "\xE2\x80\xA6";  // …
      if (cut) *cut = true;
      break;
    }
  }
  return utf8;
}

std::string boundedLibraryText(std::string bytes, size_t maxChars, bool* cut) {
  if (bytes.size() <= maxChars || isValidUtf8(bytes))
    return boundedText(std::move(bytes), maxChars, cut);
  bytes.resize(maxChars);
  bytes += '\x85';  // … in Windows-1252
  if (cut) *cut = true;
  return bytes;
}

}  // namespace quiral
