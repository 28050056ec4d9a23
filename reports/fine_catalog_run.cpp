#include "reports/fine_catalog_run.h"

#include "library/folder_listing.h"
#include "library/library_browser.h"
#include "reports/catalog_design.h"

namespace quiral {

std::vector<std::string> fineCatalogLibraries(const std::string& folder) {
  std::vector<std::string> paths;
  // Every entry named like a library, also one that is no regular file (a folder, a pipe, a
  // dangling link): reading it fails, so the run names it instead of passing over it.
  for (const std::string& name : listLibraryNames(folder)) paths.push_back(joinPath(folder, name));
  return paths;
}

namespace {

std::string subjectOf(FineCatalogKind kind, const FineRunSummary& summary, const PageWords& words) {
  return std::string(kind == FineCatalogKind::Drawings ? words.drawings : words.list) + ", " +
         std::to_string(summary.libraries) + words.libraries + std::to_string(summary.components) +
         words.components;
}

}  // namespace

FineRunSummary writeFineCatalog(const std::string& out, FineCatalogKind kind, FontEngine& fonts,
                                const std::vector<std::string>& libraries,
                                const std::string& shownName, bool skipUnreadable,
                                FineRunObserver* observer, FineUnitPictures units, LookName look,
                                PageLanguage language) {
  FineCatalogWriter writer(out, kind, fonts, units, look);
  writer.setLanguage(language);
  FineRunSummary summary;
  for (size_t index = 0; index < libraries.size(); ++index) {
    const std::string& path = libraries[index];
    auto progress = [&](size_t done, size_t total) {
      return !observer || observer->cellDone(path, index, libraries.size(), done, total);
    };
    try {
      summary.components += writer.addLibrary(path, progress);
      ++summary.libraries;
      for (const std::string& what : writer.takeWarnings())
        if (observer) observer->warning(path, what);
      for (const std::string& what : writer.takeSkippedSymbols()) {
        ++summary.lostSymbols;
        if (observer) observer->warning(path, what);
      }
    } catch (const FineCatalogCancelled&) {
      throw;
    } catch (const QuiralError& error) {
      // A failed output (a full disk) is the run's end, not one library's.
      if (!skipUnreadable || writer.broken()) throw;
      ++summary.skipped;
      if (observer) observer->skipped(path, error.what());
    }
  }
  if (summary.libraries == 0) throw QuiralError(shownName + ": no library could be catalogued");
  const PageWords& words = pageWordsIn(language);
  writer.setTitle(words.heading + (": " + shownName), subjectOf(kind, summary, words));
  summary.pages = writer.pageCount();
  writer.finish();
  return summary;
}

}  // namespace quiral
