#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quiral {

class SiteFolder;
class SymbolRecorder;

// Where one library's page and pictures go in the site, and what its page is titled.
struct LibraryPlace {
  std::string path;           // the library file
  std::string name;           // as KiCad names the library: its file name without extension
  std::string pageFile;       // "Device.html"
  std::string pictureFolder;  // "Device"
};

struct LibraryPageResult {
  size_t symbols = 0;  // blocks on the page
  // Every name of the page (symbols and aliases, as shown, without a tilde) -> its anchor; the
  // first of a name twice in the library keeps it.
  std::map<std::string, std::string> anchors;
  // Symbols of a modern library that could not be read (they are missing from the page).
  std::vector<std::string> skippedSymbols;
};

// Called after each symbol with the symbols done and in all; returning false cancels.
using SymbolProgress = std::function<bool(size_t done, size_t total)>;

// Reads the library, writes every unit's picture (and its De Morgan body's) as SVG into the
// place's picture folder and its page. `siteTitle` heads the page. Throws FileError or
// QuiralError when the library cannot be read (nothing of it is then written), SiteCancelled
// when `progress` cancels.
LibraryPageResult writeLibraryPage(SiteFolder& folder, SymbolRecorder& recorder,
                                   const LibraryPlace& place, const std::string& siteTitle,
                                   const SymbolProgress& progress);

// The head of every page of the site, up to and including <body>, and its end.
std::string pageHead(const std::string& title, const std::string& description);
std::string pageSearchBox();
std::string pageEnd();

}  // namespace quiral
