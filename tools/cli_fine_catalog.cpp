#include "tools/cli_fine_catalog.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/font_engine.h"
#include "platform/text_codec.h"
#include "reports/fine_catalog_run.h"
#include "tools/cli_registry.h"
#include "tools/library_progress.h"

namespace quiral::cli {
namespace {

// The libraries to catalog: the one named, or a folder's library files in the file list's order.
std::vector<std::string> librariesOf(const std::string& libraryOrFolder, bool& folder) {
  folder = std::filesystem::is_directory(libraryOrFolder);
  if (!folder) return {libraryOrFolder};
  return fineCatalogLibraries(libraryOrFolder);
}

// One line per library, updated in place on a terminal; skipped libraries as warnings.
class FineProgressText final : public FineRunObserver {
 public:
  bool cellDone(const std::string& library, size_t, size_t, size_t done, size_t total) override {
    text_.step(library, done, total);
    return true;
  }
  void skipped(const std::string& library, const std::string& reason) override {
    LibraryProgressText::skipped(library, reason);
  }
  void warning(const std::string& library, const std::string& what) override {
    LibraryProgressText::warning(library, what);
  }

 private:
  LibraryProgressText text_;
};

}  // namespace

int runFineCatalog(const std::string& libraryOrFolder, CatalogKind kind, const std::string& out,
                   bool firstUnitOnly, LookName look, PageLanguage language) {
  bool folder = false;
  const std::vector<std::string> libraries = librariesOf(libraryOrFolder, folder);
  if (libraries.empty()) {
    std::fprintf(stderr, "quiral-cli: %s: no library files in the folder\n",
                 libraryOrFolder.c_str());
    return 1;
  }
  FontEngine fonts;
  const FineCatalogKind fineKind =
      kind == CatalogKind::Drawings ? FineCatalogKind::Drawings : FineCatalogKind::List;
  const std::string shown = displayText(std::filesystem::path(libraryOrFolder).filename().string());
  FineProgressText text;
  // A single library's failure is the command's failure; in a folder the others go on.
  const FineRunSummary summary = writeFineCatalog(
      out, fineKind, fonts, libraries, shown, folder, &text,
      firstUnitOnly ? FineUnitPictures::FirstUnit : FineUnitPictures::AllUnits, look, language);
  printLine(out + ": " + std::to_string(summary.libraries) + " librar" +
            (summary.libraries == 1 ? "y" : "ies") + ", " + std::to_string(summary.components) +
            " components, " + std::to_string(summary.pages) + " pages");
  return summary.skipped > 0 || summary.lostSymbols > 0 ? 1 : 0;
}

}  // namespace quiral::cli
