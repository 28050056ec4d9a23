#pragma once

#include <set>
#include <string>
#include <string_view>

namespace quiral {

// Names of the web catalog's files and anchors, made from library and symbol names that may hold
// any byte. File names keep ASCII letters, digits, `-` and `_` (anything else becomes `_`, so
// every server and file system takes them, and a `.` never appears before the extension); an
// anchor keeps the name as shown, with white space made `_`. Both are unique where they must be:
// file names ignoring letter case (a case-blind file system holds R.svg and r.svg as one file),
// anchors as written.
class UniqueNames {
 public:
  // `ignoreCase`: file names; anchors compare as written.
  explicit UniqueNames(bool ignoreCase = true) : caseBlind_(ignoreCase) {}
  // Names that may never be handed out (case ignored), such as the site's own files.
  void reserve(std::string_view name);
  // `wanted`, or `wanted` with "_2", "_3", ... added when it is taken.
  std::string claim(std::string_view wanted);

 private:
  bool caseBlind_;
  std::set<std::string> taken_;
};

// The stem of a file named after `name` (bytes as in the library): never empty, at most 80
// characters, only [A-Za-z0-9_-], never starting with `-`.
std::string fileStem(std::string_view name);

// The id of a symbol's anchor: its name as UTF-8 with white space and control characters made
// `_`; "_" for an empty name.
std::string anchorOf(std::string_view name);

}  // namespace quiral
