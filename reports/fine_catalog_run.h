#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "reports/fine_catalog.h"

namespace quiral {

class FontEngine;

// The libraries of a folder's fine catalog, as paths, in the file list's order: its *.lib and
// *.kicad_sym entries, also those that are no regular file (they are then named as skipped).
// Throws FileError when the folder cannot be read.
std::vector<std::string> fineCatalogLibraries(const std::string& folder);

// What a run over several libraries tells whoever started it.
class FineRunObserver {
 public:
  virtual ~FineRunObserver() = default;
  // After each cell of library `index` (from 0) of `count`: `done` of its `total` cells are
  // drawn. Returning false cancels the run.
  virtual bool cellDone(const std::string& library, size_t index, size_t count, size_t done,
                        size_t total) = 0;
  // A library that could not be read (or has no components) was left out; the run goes on.
  virtual void skipped(const std::string& library, const std::string& reason) = 0;
  // Something of the library was changed to fit the page (a description cut); the run goes on.
  virtual void warning(const std::string& library, const std::string& what) {
    (void)library;
    (void)what;
  }
};

struct FineRunSummary {
  size_t libraries = 0;    // libraries written
  size_t components = 0;   // their components
  size_t skipped = 0;      // libraries left out
  size_t lostSymbols = 0;  // symbols of the libraries written that could not be read
  int pages = 0;
};

// Writes the fine catalog of `libraries` to `out`, titled after `shownName` (the library's or
// the folder's name), with every unit's picture or only the first unit's as `units` says, drawn
// in `look`, its texts in `language`. With
// `skipUnreadable` a library that cannot be read is reported to the observer and left out;
// otherwise its error is thrown. Throws QuiralError when no library could be written and
// FineCatalogCancelled when the observer cancels: however it fails, `out` is left as it was and
// no temporary file remains.
FineRunSummary writeFineCatalog(const std::string& out, FineCatalogKind kind, FontEngine& fonts,
                                const std::vector<std::string>& libraries,
                                const std::string& shownName, bool skipUnreadable,
                                FineRunObserver* observer,
                                FineUnitPictures units = FineUnitPictures::AllUnits,
                                LookName look = LookName::KiCad,
                                PageLanguage language = PageLanguage::Portuguese);

}  // namespace quiral
