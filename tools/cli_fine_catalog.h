#pragma once

#include <string>

#include "render/drawing_look.h"
#include "reports/catalog_commands.h"
#include "reports/page_language.h"

namespace quiral::cli {

// The fine catalog of one library, or of every library of a folder, written to `out` as named.
// Shows the progress on standard error. Returns 0 when every library went in; 1 when one could
// not be read (named in a warning and skipped, the others written) or nothing could be written.
// With `firstUnitOnly` a multi-unit symbol's cell shows only its first unit, as the prepared
// pages do; `look` is how the pictures are drawn; `language` that of the pages' texts.
int runFineCatalog(const std::string& libraryOrFolder, CatalogKind kind, const std::string& out,
                   bool firstUnitOnly, LookName look, PageLanguage language);

}  // namespace quiral::cli
