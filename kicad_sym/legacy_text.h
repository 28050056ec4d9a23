#pragma once

#include <string>
#include <string_view>

namespace quiral {

// Texts as the legacy library format holds them. Every result is one line: line ends and byte 26
// (which ends a legacy text file) become spaces.

// Overbars written "~{RESET}" become the legacy toggles "~RESET" ("~{CS}/A" becomes "~CS~/A").
// Any other tilde is a tilde in a modern text; legacy texts write one as "~~". A text that is
// only "~" stays so (it means "no text" to both). Other markup stays as written.
std::string legacyOverbars(std::string_view modern);

// The tildes that legacyOverbars doubles.
size_t countLiteralTildes(std::string_view modern);

// A field text: always in double quotes. A double quote inside is written \", which legacy
// readers read back as a quote.
std::string quotedFieldText(std::string_view text);

// A free text (T record): overbars converted; in double quotes when it holds a space, a tilde or a
// quote (a bare tilde would read as a space to legacy readers).
std::string freeText(std::string_view text);

// A pin name or number: overbars converted, empty becomes "~". Legacy readers split pin records
// at spaces and read no quotes there, so spaces, control bytes and double quotes become
// underscores; `changed` tells whether any did.
std::string pinText(std::string_view text, bool& changed);

// A symbol name or reference on a DEF or ALIAS line, where one word is expected: empty becomes
// "~"; spaces, control bytes and double quotes become underscores.
std::string legacyWord(std::string_view text);

}  // namespace quiral
