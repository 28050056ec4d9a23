#include "kicad_sym/legacy_text.h"

namespace quiral {

namespace {

bool breaksLine(char c) {
  return c == '\n' || c == '\r' || c == 26;
}

// One line, and no double quote: what may stand between the quotes of a legacy text.
std::string quotable(std::string_view text) {
  if (text.find_first_of("\"\n\r\x1a") == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '"') {
      out += "''";
    } else {
      out += breaksLine(c) ? ' ' : c;
    }
  }
  return out;
}

std::string quoted(std::string_view text) {
  return '"' + quotable(text) + '"';
}

}  // namespace

std::string legacyOverbars(std::string_view modern) {
  if (modern.find("~{") == std::string_view::npos) return std::string(modern);
  std::string out;
  out.reserve(modern.size());
  int overbarDepth = -1;  // brace depth inside the open overbar, -1 when none is open
  for (size_t i = 0; i < modern.size(); ++i) {
    const char c = modern[i];
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

std::string pinText(std::string_view text) {
  if (text.empty()) return "~";
  const std::string legacy = legacyOverbars(text);
  if (legacy.find_first_of(" \"\t") != std::string::npos) return quoted(legacy);
  return quotable(legacy);
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
