#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "library/documentation_cache.h"
#include "reports/page_language.h"

namespace quiral {

struct Session;
struct TranslatedLibrary;

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
  // The language of the pages' texts (headers, the cells' unit counts).
  PageLanguage language = PageLanguage::Portuguese;
  // The descriptions of DocumentationPath, read once per file rather than once per cell.
  DocumentationCache descriptions;
  // For a modern library, its translation as the catalog command found it: the descriptions come
  // from its documentation text instead of a file.
  std::shared_ptr<const TranslatedLibrary> ModernTranslation;
  // The components whose description was longer than a cell lays out, and is cut with "…".
  std::vector<std::string> cutDescriptions;
};

// The description of `componentName` from where the last catalog command said, bounded.
std::string catalogDescription(CatalogData& data, std::string_view componentName);

}  // namespace quiral
