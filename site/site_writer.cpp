// The whole site: the libraries' pages one after the other, then the search index and the index
// page, all into a new folder that takes the target's place at the end.

#include "site/site_writer.h"

#include <memory>

#include "library/library_browser.h"
#include "search/facts_loader.h"
#include "search/facts_reader.h"
#include "site/html_text.h"
#include "site/library_page.h"
#include "site/search_index.h"
#include "site/site_assets.h"
#include "site/site_folder.h"
#include "site/site_names.h"
#include "vector/symbol_recorder.h"

namespace quiral {

namespace {

// The site's own files, which no library's page may be named like.
constexpr const char* kOwnStems[] = {"index", "style", "site", "search-index"};

struct WrittenLibrary {
  LibraryPlace place;
  LibraryPageResult page;
};

std::vector<LibraryPlace> placesOf(const std::vector<std::string>& libraries) {
  UniqueNames stems;
  for (const char* own : kOwnStems) stems.reserve(own);
  std::vector<LibraryPlace> places;
  for (const std::string& path : libraries) {
    LibraryPlace place;
    place.path = path;
    place.name = libraryNameOf(path);
    const std::string stem = stems.claim(fileStem(place.name));
    place.pageFile = stem + ".html";
    place.pictureFolder = stem;
    places.push_back(std::move(place));
  }
  return places;
}

std::string indexPage(const std::string& title, const std::vector<WrittenLibrary>& written,
                      const SiteSummary& summary) {
  const std::string counts = std::to_string(summary.libraries) + " libraries, " +
                             std::to_string(summary.symbols) + " symbols";
  std::string html = pageHead(title, title + ": " + counts);
  html += "<header><h1>";
  appendHtml(html, title);
  html += "</h1><p class=\"count\">" + counts + "</p>" + pageSearchBox() +
          "</header>\n<main>\n<table class=\"libraries\"><caption>Libraries</caption><thead><tr>"
          "<th scope=\"col\">Library<th scope=\"col\">Symbols<tbody>\n";
  for (const WrittenLibrary& library : written) {
    html += "<tr><td><a href=\"" + library.place.pageFile + "\">";
    appendHtml(html, library.place.name);
    html += "</a><td>" + std::to_string(library.page.symbols) + "\n";
  }
  html += "</table>\n</main>\n";
  html += pageEnd();
  return html;
}

// The search's facts of a library just written: read as `quiral-cli search` reads them.
SearchedLibrary searchFactsOf(const LibraryPlace& place) {
  return readLibraryFacts(place.path);
}

}  // namespace

std::vector<std::string> siteLibraries(const std::vector<std::string>& foldersOrLibraries) {
  return searchPlacesOf(foldersOrLibraries).libraries;
}

SiteSummary writeSite(const std::vector<std::string>& libraries, const std::string& outDir,
                      const std::string& title, FontEngine& fonts, SiteObserver* observer) {
  SiteFolder folder(outDir);
  SymbolRecorder recorder(fonts, LookName::KiCad);
  SiteSummary summary;
  std::vector<WrittenLibrary> written;
  std::vector<IndexedLibrary> indexed;
  const std::vector<LibraryPlace> places = placesOf(libraries);
  for (size_t index = 0; index < places.size(); ++index) {
    const LibraryPlace& place = places[index];
    const auto progress = [&](size_t done, size_t total) {
      return !observer || observer->symbolDone(place.path, index, places.size(), done, total);
    };
    try {
      SearchedLibrary facts = searchFactsOf(place);
      LibraryPageResult page = writeLibraryPage(folder, recorder, place, title, progress);
      summary.symbols += page.symbols;
      summary.names += facts.symbols.size();
      for (const std::string& lost : page.skippedSymbols) {
        ++summary.lostSymbols;
        if (observer) observer->warning(place.path, lost);
      }
      written.push_back({place, std::move(page)});
      indexed.push_back({std::move(facts), place.pageFile, nullptr});
    } catch (const SiteCancelled&) {
      throw;
    } catch (const FileError& error) {
      // The site's own folder failing (a full disk) ends the run; a library's own file does not.
      if (error.path().rfind(folder.target(), 0) == 0) throw;
      ++summary.skipped;
      if (observer) observer->skipped(place.path, error.what());
    } catch (const QuiralError& error) {
      ++summary.skipped;
      if (observer) observer->skipped(place.path, error.what());
    }
  }
  if (written.empty()) throw QuiralError(outDir + ": no library could be read");
  summary.libraries = written.size();
  for (size_t i = 0; i < written.size(); ++i) indexed[i].anchors = &written[i].page.anchors;
  folder.write("search-index.js", searchIndexScript(indexed));
  folder.write("style.css", siteStyleSheet());
  folder.write("site.js", siteScript());
  folder.write("index.html", indexPage(title, written, summary));
  summary.files = folder.fileCount() + 1;  // and the marker
  summary.bytes = folder.bytesWritten();
  folder.commit();
  return summary;
}

}  // namespace quiral
