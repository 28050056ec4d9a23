#include "library/text_words.h"

namespace quiral {

std::string toUpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = upperAscii(c);
  return out;
}

bool equalsUpper(std::string_view s, std::string_view upper) {
  if (s.size() != upper.size()) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (upperAscii(s[i]) != upper[i]) return false;
  }
  return true;
}

std::string_view trimControl(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}

FirstWords firstTwoWords(std::string_view line) {
  FirstWords w;
  size_t i = 0, n = line.size();
  auto nextWord = [&]() -> std::string_view {
    while (i < n && line[i] == ' ') ++i;
    size_t start = i;
    while (i < n && line[i] != ' ') ++i;
    return line.substr(start, i - start);
  };
  w.first = nextWord();
  w.second = nextWord();
  return w;
}

}  // namespace quiral
