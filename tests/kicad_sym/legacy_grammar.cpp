#include "legacy_grammar.h"

#include <cstring>
#include <string_view>

namespace quiral::testing {

namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

// Splits as the legacy reader does. A quoted text ends at a quote that no backslash escapes and
// must be followed by a space or the end of the line; false for a line that breaks that.
bool splitLine(std::string_view line, std::vector<Token>& tokens, std::string& problem) {
  tokens.clear();
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    Token token;
    if (line[i] == '"') {
      token.quoted = true;
      ++i;
      while (i < line.size() && line[i] != '"') {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '"') ++i;
        token.text += line[i++];
      }
      if (i == line.size()) return problem = "a quoted text is not closed", false;
      ++i;
      if (i < line.size() && line[i] != ' ') return problem = "text right after a quote", false;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') token.text += line[i++];
    }
    tokens.push_back(std::move(token));
  }
  return true;
}

bool isInteger(const Token& token) {
  std::string_view t = token.text;
  if (token.quoted || t.empty()) return false;
  if (t[0] == '-' || t[0] == '+') t.remove_prefix(1);
  if (t.empty()) return false;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool isOneOf(const Token& token, const char* letters) {
  return !token.quoted && token.text.size() == 1 && std::strchr(letters, token.text[0]);
}

// An unquoted word that the legacy reader and this program's tokenizer both read as one token.
bool isWord(const Token& token) {
  return !token.quoted && !token.text.empty() && token.text.find('"') == std::string::npos;
}

class Checker {
 public:
  std::string check(const std::vector<Token>& t) {
    const std::string& key = t[0].text;
    if (key == "DEF") return def(t);
    if (key.size() >= 2 && key[0] == 'F' && key.find_first_not_of("0123456789", 1) == npos)
      return field(t);
    if (key == "ALIAS") return t.size() >= 2 && allWords(t, 1) ? "" : "bad ALIAS line";
    if (key == "A") return arc(t);
    if (key == "C")
      return counted(t, 8) && numbers(t, 1, 6) && fill(t, 7, true) ? "" : "bad circle";
    if (key == "S")
      return counted(t, 9) && numbers(t, 1, 7) && fill(t, 8, true) ? "" : "bad rectangle";
    if (key == "P") return polyline(t);
    if (key == "T") return text(t);
    if (key == "X") return pin(t);
    return "";
  }

 private:
  static constexpr size_t npos = std::string::npos;

  static bool numbers(const std::vector<Token>& t, size_t from, size_t count) {
    if (t.size() < from + count) return false;
    for (size_t i = from; i < from + count; ++i) {
      if (!isInteger(t[i])) return false;
    }
    return true;
  }
  static bool allWords(const std::vector<Token>& t, size_t from) {
    for (size_t i = from; i < t.size(); ++i) {
      if (!isWord(t[i])) return false;
    }
    return true;
  }
  // Exactly `count` tokens with the fill letter, or one fewer without it.
  static bool counted(const std::vector<Token>& t, size_t count) {
    return t.size() == count || t.size() + 1 == count;
  }
  static bool fill(const std::vector<Token>& t, size_t at, bool countOk) {
    return countOk && (t.size() <= at || isOneOf(t[at], "FfN"));
  }

  static std::string arc(const std::vector<Token>& t) {
    if (t.size() != 9 && t.size() != 10 && t.size() != 14) return "A needs 8, 9 or 13 fields";
    if (!numbers(t, 1, 8) || !fill(t, 9, true)) return "bad arc";
    if (t.size() == 14 && !numbers(t, 10, 4)) return "bad arc ends";
    return "";
  }

  static std::string def(const std::vector<Token>& t) {
    if (t.size() != 9 && t.size() != 10) return "DEF needs 8 or 9 fields";
    if (!isWord(t[1]) || !isWord(t[2])) return "bad DEF name or reference";
    if (!numbers(t, 3, 2) || !isOneOf(t[5], "YN") || !isOneOf(t[6], "YN") || !isInteger(t[7]) ||
        !isOneOf(t[8], "LF") || (t.size() == 10 && !isOneOf(t[9], "PN")))
      return "bad DEF field";
    return "";
  }

  static std::string field(const std::vector<Token>& t) {
    const bool user =
        t[0].text != "F0" && t[0].text != "F1" && t[0].text != "F2" && t[0].text != "F3";
    if (t.size() != (user ? 10u : 9u)) return "a field line needs 8 fields and a name after F3";
    if (!t[1].quoted || (user && !t[9].quoted)) return "a field text or name is not quoted";
    const std::string& style = t[8].text;
    if (!numbers(t, 2, 3) || !isOneOf(t[5], "HV") || !isOneOf(t[6], "VI") ||
        !isOneOf(t[7], "LRC") || style.size() != 3 || !std::strchr("TBC", style[0]) ||
        !std::strchr("IN", style[1]) || !std::strchr("BN", style[2]))
      return "bad field placement";
    return "";
  }

  static std::string polyline(const std::vector<Token>& t) {
    if (t.size() < 5 || !numbers(t, 1, 4)) return "bad polyline header";
    const long count = std::stol(t[1].text);
    if (count < 0 || count > 147) return "a polyline longer than a legacy line can hold";
    const size_t withoutFill = 5 + 2 * size_t(count);
    if (t.size() != withoutFill && t.size() != withoutFill + 1) return "polyline point count";
    if (!numbers(t, 5, 2 * size_t(count)) || !fill(t, withoutFill, true)) return "bad polyline";
    return "";
  }

  static std::string text(const std::vector<Token>& t) {
    if (t.size() != 9 && t.size() != 13) return "T needs 8 or 12 fields";
    if (!numbers(t, 1, 7)) return "bad text numbers";
    // Unquoted, the reader turns tildes into spaces; a text is quoted when it holds one.
    if (!t[8].quoted && (t[8].text.find('~') != npos || t[8].text.find('"') != npos))
      return "an unquoted text with a tilde or a quote";
    if (t.size() == 13 && ((t[9].text != "Italic" && t[9].text != "Normal") || !isInteger(t[10]) ||
                           !isOneOf(t[11], "LRC") || !isOneOf(t[12], "TBC")))
      return "bad text style";
    return "";
  }

  static std::string pin(const std::vector<Token>& t) {
    if (t.size() != 12 && t.size() != 13) return "X needs 11 or 12 fields";
    if (!isWord(t[1]) || !isWord(t[2])) return "a pin name or number is not one plain word";
    if (!numbers(t, 3, 3) || !isOneOf(t[6], "RLUD") || !numbers(t, 7, 4) ||
        !isOneOf(t[11], "IOBTPUWwCEN"))
      return "bad pin field";
    if (t.size() == 13 && t[12].text.find_first_not_of("NICLVFX") != npos) return "bad pin shape";
    return "";
  }
};

}  // namespace

std::vector<std::string> legacyGrammarErrors(const std::string& libraryText) {
  std::vector<std::string> errors;
  std::vector<Token> tokens;
  Checker checker;
  size_t number = 0;
  for (size_t start = 0; start < libraryText.size();) {
    size_t end = libraryText.find('\n', start);
    if (end == std::string::npos) end = libraryText.size();
    const std::string_view line(libraryText.data() + start, end - start);
    start = end + 1;
    ++number;
    if (line.empty() || line[0] == '#') continue;
    std::string problem;
    if (splitLine(line, tokens, problem) && !tokens.empty()) problem = checker.check(tokens);
    if (!problem.empty())
      errors.push_back("line " + std::to_string(number) + ": " + problem + ": " +
                       std::string(line));
  }
  return errors;
}

}  // namespace quiral::testing
