#pragma once

#include <string>
#include <vector>

#include "library/documentation_entry.h"

namespace quiral {

// What the properties tab shows of a symbol or an alias.
struct SymbolProperties {
  std::string name;     // the symbol's or the alias's name
  std::string library;  // the library file's name
  std::string aliasOf;  // the symbol an alias belongs to; empty for a symbol
  std::string description, keywords, datasheet;
  std::string footprint;  // field F2
  std::vector<std::string> footprintFilters;
  std::string reference;                // the DEF line's reference prefix ("U", "R", ...)
  std::vector<std::string> unitLabels;  // "A", "B", ... or "A (name)"
  bool deMorgan = false;
  bool power = false;  // the DEF line's last word is P
  size_t pinCount = 0;
  bool textsCut = false;  // a text above was longer than any label shows, and is cut with "…"
};

// Reads the block (DEF to ENDDEF) through the line dispatcher the drawing uses. `alias` is the
// alias shown (empty for the symbol itself); `doc` its documentation entry. The datasheet is the
// block's own field F3 when it names one, else the documentation's.
SymbolProperties describeSymbol(const std::vector<std::string>& block, const std::string& alias,
                                const std::string& libraryName, const DocumentationEntry& doc,
                                const std::vector<std::string>& unitNames);

}  // namespace quiral
