#pragma once

#include <string>
#include <string_view>

#include "search/symbol_facts.h"

namespace quiral {

// Reads the facts of a legacy library (with the .dcm beside it) or of a modern library. Throws
// FileError when the file cannot be read and QuiralError naming the file, its line and column
// when a modern library cannot be read as one.
SearchedLibrary readLibraryFacts(const std::string& path);

// The facts of a legacy library text and its documentation text (both may be empty), appended to
// `out` in the order of the library's names. For tests, and for modern libraries, which are read
// as the legacy texts they translate into.
void readLegacyFacts(std::string_view libraryText, std::string_view documentationText,
                     SearchedLibrary& out);

// The library name KiCad gives a file: its name without folder and extension.
std::string libraryNameOf(std::string_view path);

}  // namespace quiral
