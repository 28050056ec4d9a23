#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "kicad_sym/sexpr.h"

namespace quiral {

// A modern library (.kicad_sym, KiCad 6 and later) turned into the legacy library text and its
// documentation text. Derived symbols become aliases of their root symbol.
struct TranslatedLibrary {
  std::string libraryText;        // "EESchema-LIBRARY Version 2.4" ...
  std::string documentationText;  // "EESchema-DOCLIB  Version 2.0" ...
  // What the legacy form could not hold, and symbols that were skipped, one message each.
  std::vector<std::string> warnings;
  // The symbols left out because they could not be translated (a value out of range, a damaged
  // item), each as "line L, column C: REASON (symbol "NAME" skipped)"; also among the warnings.
  std::vector<std::string> skippedSymbols;
  // The unit display names of each block that has some, by the name its DEF line gives it.
  std::map<std::string, std::vector<std::string>, std::less<>> unitNames;
  size_t blockCount = 0;  // DEF blocks written
  size_t aliasCount = 0;  // derived symbols written as ALIAS names
};

// Translates the text of a modern library. Throws SexprError (naming line and column) when the
// text is no well-formed S-expression within the limits, and QuiralError when it is not a symbol
// library. A symbol that cannot be translated is skipped with a warning.
TranslatedLibrary translateModernLibrary(std::string_view text, const SexprLimits& limits = {});

// Reads and translates a file; FileError when it cannot be read.
TranslatedLibrary translateModernLibraryFile(const std::string& path);

// True for a file name ending in ".kicad_sym" in any letter case.
bool isModernLibraryName(std::string_view name);

// The largest modern library file that is read.
inline constexpr size_t kMaxModernLibraryBytes = size_t(512) << 20;

}  // namespace quiral
