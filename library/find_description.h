#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "library/text_words.h"

namespace quiral {

class TextFileReader;

// The documentation lookup of both catalogs. A documentation file (*.dcm) has an entry line per
// component whose second word is the component's name ("$CMP R_Small"), followed by a line made
// of the letter D, a space and the description. Returns that description, bytes as written
// (without its "D "), for the first entry of `componentName` followed by such a line. Names are
// compared ignoring the case of ASCII letters and the blanks and control bytes around them.
// An entry followed by any other line gives nothing, and the scan goes on after that line.
//
// Empty when `documentationPath` names no file or the file has no such entry. A file that exists
// but cannot be read throws FileError.
std::string FindDescription(const std::string& documentationPath, std::string_view componentName);

// The same lookup in a documentation text held in memory (lines ending in a line feed), such as
// the one a modern library is translated into.
std::string FindDescriptionInText(const std::string& documentationText,
                                  std::string_view componentName);

// The same lookup in the lines of any line source, read with the file rules (a documentation
// file's bytes held in memory, for example).
std::string FindDescriptionIn(TextFileReader& lines, std::string_view componentName);

// A name whose value is hidden is written with a leading "~" in the library ("~Logo", "~Earth")
// while its documentation entry names it without it: when the name as written finds nothing, the
// name without its "~" is looked up. `lookUp` gets the wanted name upper-cased and trimmed, never
// empty (an empty name would match every line without a second word).
template <typename LookUp>
std::string lookUpWithHiddenValue(std::string_view componentName, LookUp&& lookUp) {
  std::string wanted = toUpperAscii(trimControl(componentName));
  if (wanted.empty()) return {};
  std::string found = lookUp(wanted);
  if (found.empty() && wanted.size() > 1 && wanted[0] == '~') found = lookUp(wanted.substr(1));
  return found;
}

// The description that a line following an entry gives: the line without its first two bytes
// when its first word is "D" in either case; nothing for any other line.
std::optional<std::string> descriptionOfLine(std::string_view line);

}  // namespace quiral
