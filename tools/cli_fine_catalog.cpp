#include "tools/cli_fine_catalog.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "library/folder_listing.h"
#include "library/library_browser.h"
#include "platform/font_engine.h"
#include "platform/text_codec.h"
#include "reports/catalog_design.h"
#include "reports/fine_catalog.h"
#include "tools/cli_registry.h"

namespace quiral::cli {
namespace {

// The libraries to catalog: the one named, or a folder's library files in the file list's order.
std::vector<std::string> librariesOf(const std::string& libraryOrFolder, bool& folder) {
  folder = std::filesystem::is_directory(libraryOrFolder);
  if (!folder) return {libraryOrFolder};
  std::vector<std::string> paths;
  for (const std::string& name : listLibraryFiles(libraryOrFolder))
    paths.push_back(joinPath(libraryOrFolder, name));
  return paths;
}

// One line per library, updated in place on a terminal.
class FineProgressText {
 public:
  FineProgressText() : terminal_(::isatty(STDERR_FILENO) == 1) {}
  bool show(const std::string& library, size_t done, size_t total) {
    if (terminal_ || done == total) {
      std::fprintf(stderr, terminal_ ? "\r%s: %zu/%zu" : "%s: %zu/%zu\n", library.c_str(), done,
                   total);
      if (terminal_ && done == total) std::fputc('\n', stderr);
      std::fflush(stderr);
    }
    return true;
  }

 private:
  bool terminal_;
};

}  // namespace

int runFineCatalog(const std::string& libraryOrFolder, CatalogKind kind, const std::string& out) {
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
  FineCatalogWriter writer(out, fineKind, fonts);
  FineProgressText text;
  size_t written = 0, components = 0;
  bool skipped = false;
  for (const std::string& path : libraries) {
    try {
      components += writer.addLibrary(
          path, [&](size_t done, size_t total) { return text.show(path, done, total); });
      ++written;
    } catch (const QuiralError& error) {
      // A single library's failure is the command's failure; in a folder the others go on.
      if (!folder) throw;
      std::fprintf(stderr, "quiral-cli: warning: %s: skipped: %s\n", path.c_str(), error.what());
      skipped = true;
    }
  }
  if (written == 0) {
    std::fprintf(stderr, "quiral-cli: %s: no library could be catalogued\n",
                 libraryOrFolder.c_str());
    return 1;
  }
  const std::string shown = displayText(std::filesystem::path(libraryOrFolder).filename().string());
  writer.setTitle(std::string(kCatalogHeading) + ": " + shown,
                  std::string(kind == CatalogKind::Drawings ? "Desenhos" : "Lista") + ", " +
                      std::to_string(written) + " biblioteca(s), " + std::to_string(components) +
                      " componente(s)");
  const int pages = writer.pageCount();
  writer.finish();
  printLine(out + ": " + std::to_string(written) + " librar" + (written == 1 ? "y" : "ies") + ", " +
            std::to_string(components) + " components, " + std::to_string(pages) + " pages");
  return skipped ? 1 : 0;
}

}  // namespace quiral::cli
