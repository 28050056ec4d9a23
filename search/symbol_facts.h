#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_stamp.h"

namespace quiral {

// What a search reads about one name of a library: a symbol, or one of its aliases (a legacy
// ALIAS name or a modern derived symbol), each found under its own name.
struct SearchedSymbol {
  std::string name;     // as KiCad shows it: without the tilde of a hidden value
  std::string aliasOf;  // the symbol whose drawing an alias shares; empty for a symbol
  std::string description;
  std::string keywords;
  std::string footprintFilters;  // the patterns, separated by spaces
  int32_t unitCount = 1;
  int32_t pinCount = 0;
};

// The facts of one library file, in the order its names appear.
struct SearchedLibrary {
  std::string path;
  std::string library;  // the file name without its extension, as KiCad names a library
  FileStamp stamp;
  std::vector<SearchedSymbol> symbols;
};

}  // namespace quiral
