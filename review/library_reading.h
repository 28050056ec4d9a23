#pragma once

#include <map>
#include <string>
#include <string_view>

#include "review/symbol_facts.h"

namespace quiral {

// Reads a library for a review: a legacy library with the documentation file beside it, or a
// modern one through its translation into legacy records, so both formats give the same facts.
// Every symbol's records go through the line dispatcher. Throws QuiralError naming the file when
// it cannot be read or is no symbol library (a legacy file without its header, a modern file
// that is not well formed, a block without its ENDDEF).
// With `readRecords` false only the blocks' texts, names and aliases are read; parseSymbolFacts
// reads the records of a block when they are needed.
LibraryFacts readLibraryFacts(const std::string& path, bool readRecords = true);

// A legacy library's text held in memory (lines ending in a line feed), named `name` in errors;
// no documentation, no records read yet.
LibraryFacts readLegacyLibraryText(const std::string& text, const std::string& name);

// Reads the records of a symbol's block into its facts, once.
void parseSymbolFacts(SymbolFacts& symbol);

// The entries of a documentation text ($CMP NAME, then D, K and F lines up to $ENDCMP). The
// first entry of a name counts.
std::map<std::string, DocFacts> readDocumentation(std::string_view text);

}  // namespace quiral
