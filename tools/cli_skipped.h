#pragma once

#include <string>
#include <vector>

namespace quiral {
class LibraryBrowser;
}

namespace quiral::cli {

// The symbols of the loaded modern library that could not be translated and so are missing
// from its list, each naming its line and column; none for a legacy library.
std::vector<std::string> skippedSymbolsOf(const LibraryBrowser& browser);

// Names each skipped symbol of `library` in a warning on standard error. Returns how many there
// were: a command that lost a symbol says so by its exit status.
size_t warnAboutSkippedSymbols(const std::string& library, const std::vector<std::string>& skipped);

}  // namespace quiral::cli
