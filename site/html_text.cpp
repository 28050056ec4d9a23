#include "site/html_text.h"

#include "platform/text_codec.h"

namespace quiral {

namespace {

bool isControl(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

char lowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix) {
  if (text.size() < lowerPrefix.size()) return false;
  for (size_t i = 0; i < lowerPrefix.size(); ++i)
    if (lowerAscii(text[i]) != lowerPrefix[i]) return false;
  return true;
}

}  // namespace

std::string jsString(std::string_view bytes) {
  static const char* hex = "0123456789abcdef";
  const std::string utf8 = displayText(bytes);
  std::string out = "\"";
  out.reserve(utf8.size() + 2);
  for (size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (isControl(c) || c == '<') {
      out += "\\u00";
      out += hex[(static_cast<unsigned char>(c) >> 4) & 0xF];
      out += hex[static_cast<unsigned char>(c) & 0xF];
    } else if (c == '\xE2' && i + 2 < utf8.size() && utf8[i + 1] == '\x80' &&
               (utf8[i + 2] == '\xA8' || utf8[i + 2] == '\xA9')) {
      // U+2028 and U+2029 end a line inside a script.
      out += utf8[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
      i += 2;
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

bool isWebLink(std::string_view text) {
  std::string_view rest;
  if (startsWithIgnoringCase(text, "https://")) {
    rest = text.substr(8);
  } else if (startsWithIgnoringCase(text, "http://")) {
    rest = text.substr(7);
  } else {
    return false;
  }
  if (rest.empty() || rest[0] == '/') return false;  // no host
  for (char c : text)
    if (isControl(c) || c == ' ') return false;
  return true;
}

std::string urlEncoded(std::string_view utf8) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      out += c;
    } else {
      out += '%';
      out += hex[byte >> 4];
      out += hex[byte & 0xF];
    }
  }
  return out;
}

}  // namespace quiral
