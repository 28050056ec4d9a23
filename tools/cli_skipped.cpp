#include "tools/cli_skipped.h"

#include <cstdio>

#include "library/library_browser.h"

namespace quiral::cli {

std::vector<std::string> skippedSymbolsOf(const LibraryBrowser& browser) {
  const auto translation = browser.modernTranslation();
  return translation ? translation->skippedSymbols : std::vector<std::string>{};
}

size_t warnAboutSkippedSymbols(const std::string& library,
                               const std::vector<std::string>& skipped) {
  for (const std::string& symbol : skipped)
    std::fprintf(stderr, "quiral-cli: warning: %s: %s\n", library.c_str(), symbol.c_str());
  return skipped.size();
}

}  // namespace quiral::cli
