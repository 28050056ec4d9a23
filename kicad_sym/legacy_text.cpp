#include "kicad_sym/legacy_text.h"

namespace quiral {

namespace {

bool breaksLine(char c) {
  return c == '\n' || c == '\r' || c == 26;
}

// One line with its double quotes escaped: what may stand between the quotes of a legacy text.
// Legacy readers take a backslash before a quote as an escaped quote and no other escape, so a
// backslash that ends the text is followed by a space: it would otherwise escape the closing
// quote.
std::string quotable(std::string_view text) {
  if (text.find_first_of("\"\n\r\x1a") == std::string_view::npos &&
      (text.empty() || text.back() != '\\'))
    return std::string(text);
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '"') {
      out += "\\\"";
    } else {
      out += breaksLine(c) ? ' ' : c;
    }
  }
  if (!out.empty() && out.back() == '\\') out += ' ';
  return out;
}

std::string quoted(std::string_view text) {
  return '"' + quotable(text) + '"';
}

// A tilde that opens no overbar, in a text that is more than the tilde alone.
bool isLiteralTilde(std::string_view text, size_t i) {
  return text[i] == '~' && text != "~" && (i + 1 == text.size() || text[i + 1] != '{');
}

}  // namespace

size_t countLiteralTildes(std::string_view modern) {
  size_t count = 0;
  for (size_t i = 0; i < modern.size(); ++i) count += isLiteralTilde(modern, i);
  return count;
}

std::string legacyOverbars(std::string_view modern) {
  if (modern.find('~') == std::string_view::npos || modern == "~") return std::string(modern);
  std::string out;
  out.reserve(modern.size());
  int overbarDepth = -1;  // brace depth inside the open overbar, -1 when none is open
  for (size_t i = 0; i < modern.size(); ++i) {
    const char c = modern[i];
    if (isLiteralTilde(modern, i)) {
      out += "~~";
      continue;
    }
    if (overbarDepth < 0 && c == '~' && i + 1 < modern.size() && modern[i + 1] == '{') {
      out += '~';
      overbarDepth = 0;
      ++i;
      continue;
    }
    if (overbarDepth >= 0 && c == '{') ++overbarDepth;
    if (overbarDepth >= 0 && c == '}') {
      if (overbarDepth == 0) {
        overbarDepth = -1;
        // The toggle that ends the overbar is not needed at the end of the text.
        if (i + 1 < modern.size()) out += '~';
        continue;
      }
      --overbarDepth;
    }
    out += c;
  }
  return out;
}

std::string quotedFieldText(std::string_view text) {
  return quoted(text);
}

std::string freeText(std::string_view text) {
  const std::string legacy = legacyOverbars(text);
  if (legacy.find_first_of(" ~\"\t") != std::string::npos) return quoted(legacy);
  return quotable(legacy);
}

std::string pinText(std::string_view text, bool& changed) {
  const std::string overbarred = legacyOverbars(text);
  std::string legacy = legacyWord(overbarred);
  changed = !overbarred.empty() && legacy != overbarred;
  return legacy;
}

std::string legacyWord(std::string_view text) {
  if (text.empty()) return "~";
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) <= 32 || c == '"') c = '_';
  }
  return out;
}

}  // namespace quiral
