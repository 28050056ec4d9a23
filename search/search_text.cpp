// Folding of texts for the search: one pass over the bytes, decoding UTF-8 (or taking a byte that
// is no valid UTF-8 as the Latin-1 character of the same number, as Windows-1252 has it for
// letters) and writing each character's folded form.

#include "search/search_text.h"

#include <cstdint>

namespace quiral {

namespace {

// U+00C0 to U+00FF: the plain letters of each character; a space for the signs × and ÷.
constexpr const char* kLatin1Letters[64] = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  " ", "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  " ", "o", "u", "u", "u", "u", "y", "th", "y"};

// U+0100 to U+017F (Latin Extended-A): ranges of characters that fold to the same letters.
struct FoldRange {
  char32_t last;
  const char* letters;
};
constexpr FoldRange kExtendedA[] = {
    {0x105, "a"}, {0x10D, "c"},  {0x111, "d"}, {0x11B, "e"}, {0x123, "g"}, {0x127, "h"},
    {0x131, "i"}, {0x133, "ij"}, {0x135, "j"}, {0x138, "k"}, {0x142, "l"}, {0x14B, "n"},
    {0x151, "o"}, {0x153, "oe"}, {0x159, "r"}, {0x161, "s"}, {0x167, "t"}, {0x173, "u"},
    {0x175, "w"}, {0x178, "y"},  {0x17E, "z"}, {0x17F, "s"}};

// The length of the valid UTF-8 sequence of two to four bytes at `i`, or 0.
size_t utf8Length(std::string_view text, size_t i, char32_t& codePoint) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (lead > 0xF4 || length == 0 || i + length > text.size()) return 0;
  codePoint = lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
  }
  const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < smallest[length] || codePoint > 0x10FFFF) return 0;
  return length;
}

// Writes folded characters into buffers sized for the text (a character seldom folds to more
// bytes than it has), grown only when one does, and cut to the length written at the end.
class Folder {
 public:
  Folder(FoldedText& out, size_t textSize) : out_(out) { grow(textSize); }
  ~Folder() {
    out_.chars.resize(size_);
    out_.starts.resize(size_);
  }

  void letter(char c) {
    if (size_ == out_.chars.size()) grow(2 * size_ + 8);
    out_.chars[size_] = c;
    out_.starts[size_++] = atStart_ ? 1 : 0;
    atStart_ = false;
  }
  void letters(std::string_view folded) {
    for (char c : folded) {
      if (c == ' ') {
        separate();
      } else {
        letter(c);
      }
    }
  }
  void separate() { atStart_ = true; }

 private:
  void grow(size_t size) {
    out_.chars.resize(size);
    out_.starts.resize(size);
  }

  FoldedText& out_;
  size_t size_ = 0;
  bool atStart_ = true;
};

// The folded letters of a character outside ASCII, " " for a separator, or empty to keep it.
std::string_view foldedLetters(char32_t c) {
  if (c == 0xB5) return "u";
  if (c < 0xC0) return " ";
  if (c <= 0xFF) return kLatin1Letters[c - 0xC0];
  if (c <= 0x17F) {
    for (const FoldRange& range : kExtendedA)
      if (c <= range.last) return range.letters;
  }
  return {};
}

void foldInto(Folder& folder, std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
        folder.letter(char(c));
      } else if (c >= 'A' && c <= 'Z') {
        folder.letter(char(c - 'A' + 'a'));
      } else {
        folder.separate();
      }
      ++i;
      continue;
    }
    char32_t codePoint = 0;
    size_t length = utf8Length(text, i, codePoint);
    if (length == 0) {
      codePoint = c;
      length = 1;
    }
    const std::string_view letters = foldedLetters(codePoint);
    // Characters beyond Latin Extended-A (Greek, symbols, ...) are kept as they are written.
    folder.letters(letters.empty() ? text.substr(i, length) : letters);
    i += length;
  }
}

}  // namespace

bool FoldedText::contains(std::string_view word, bool anywhere) const {
  if (word.empty()) return false;
  for (size_t at = chars.find(word); at != std::string::npos; at = chars.find(word, at + 1)) {
    if (anywhere || starts[at]) return true;
  }
  return false;
}

FoldedText foldText(std::string_view text) {
  FoldedText out;
  {
    Folder folder(out, text.size());
    foldInto(folder, text);
  }
  return out;
}

}  // namespace quiral
