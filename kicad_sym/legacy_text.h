#pragma once

#include <string>
#include <string_view>

namespace quiral {

// Texts as the legacy library format holds them. Every result is one line: line ends and byte 26
// (which ends a legacy text file) become spaces.

// Overbars written "~{RESET}" become the legacy toggles "~RESET" ("~{CS}/A" becomes "~CS~/A");
// other markup stays as written.
std::string legacyOverbars(std::string_view modern);

// A field text: always in double quotes. A double quote inside becomes two apostrophes, as the
// legacy line reader has no escapes.
std::string quotedFieldText(std::string_view text);

// A free text (T record): overbars converted; in double quotes when it holds a space, a tilde or a
// quote (a bare tilde would read as a space to legacy readers).
std::string freeText(std::string_view text);

// A pin name or number: overbars converted, empty becomes "~", in quotes when it holds a space or
// a quote (so that it stays one token).
std::string pinText(std::string_view text);

// A symbol name or reference on a DEF or ALIAS line, where one word is expected: empty becomes
// "~"; spaces, control bytes and double quotes become underscores.
std::string legacyWord(std::string_view text);

}  // namespace quiral
