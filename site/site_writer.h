#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/error.h"

namespace quiral {

class FontEngine;

// Thrown out of writeSite when the observer asks to stop.
class SiteCancelled : public QuiralError {
 public:
  SiteCancelled() : QuiralError("cancelled") {}
};

// What a site's run tells whoever started it.
class SiteObserver {
 public:
  virtual ~SiteObserver() = default;
  // After each symbol of library `index` (from 0) of `count`: `done` of its `total` symbols are
  // written. Returning false cancels the run.
  virtual bool symbolDone(const std::string& library, size_t index, size_t count, size_t done,
                          size_t total) = 0;
  // A library that could not be read was left out; the run goes on.
  virtual void skipped(const std::string& library, const std::string& reason) = 0;
  // Symbols of a library that could not be read (they are missing from its page).
  virtual void warning(const std::string& library, const std::string& what) = 0;
};

struct SiteSummary {
  size_t libraries = 0;    // libraries on the site
  size_t symbols = 0;      // their symbols (blocks)
  size_t names = 0;        // names the search finds (symbols and aliases)
  size_t skipped = 0;      // libraries left out
  size_t lostSymbols = 0;  // symbols of the libraries on the site that could not be read
  size_t files = 0;
  uint64_t bytes = 0;
};

// The library files of folders (each folder's in its file list's order) and of libraries named,
// in the order given: the libraries `quiral-cli search` reads for the same places.
std::vector<std::string> siteLibraries(const std::vector<std::string>& foldersOrLibraries);

// Writes the web catalog of `libraries` into the folder `outDir`: index.html, one page per
// library, every unit's picture as SVG, the search index, the style sheet and the script. The
// site is made beside `outDir` and swapped into its place at the end (see SiteFolder), so a run
// that fails or is cancelled (SiteCancelled) leaves `outDir` as it was. A library that cannot be
// read is reported to the observer and left out; QuiralError when none can be read or the target
// is refused.
SiteSummary writeSite(const std::vector<std::string>& libraries, const std::string& outDir,
                      const std::string& title, FontEngine& fonts, SiteObserver* observer);

}  // namespace quiral
