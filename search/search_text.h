#pragma once

#include <string>
#include <string_view>

namespace quiral {

// A text as a search compares it (see search_rules.h): its characters folded, the separators
// between its words taken out, and where each of its words starts.
struct FoldedText {
  std::string chars;   // the folded characters, without separators
  std::string starts;  // one byte per byte of `chars`: 1 where a word starts, else 0

  bool empty() const { return chars.empty(); }
  // True when `word` occurs in the text starting where a word of the text starts, or, with
  // `anywhere`, at any place.
  bool contains(std::string_view word, bool anywhere) const;
};

// Folds a text (UTF-8, or Windows-1252 where it is no valid UTF-8): ASCII letters to lower case;
// Latin letters with accents, cedillas, strokes and the like to their plain letters (ß, æ and œ
// to two letters, µ to u); every other ASCII character and the Latin-1 signs separate words;
// other characters are kept as they are written.
FoldedText foldText(std::string_view text);

}  // namespace quiral
