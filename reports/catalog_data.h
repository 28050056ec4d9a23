#pragma once

#include <string>

namespace quiral {

struct Session;

// What both catalogs read while they generate: the session, whose component list is the cursor
// (its selection is the component being printed, and the drawing state's PrintRemaining counts
// those still to come) and whose renderer draws each one, and the documentation file that the
// last catalog command chose.
struct CatalogData {
  explicit CatalogData(Session& s) : session(s) {}
  CatalogData(const CatalogData&) = delete;
  CatalogData& operator=(const CatalogData&) = delete;

  Session& session;
  // The library's documentation file, with the library's folder in front, so that moving to
  // another folder while a catalog is on show does not change where descriptions come from.
  std::string DocumentationPath;
};

}  // namespace quiral
