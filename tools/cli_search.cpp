// The symbol search: every name of the libraries of folders (or of libraries named) that matches
// a query, best first, as lines or as JSON.

#include <cstdio>
#include <string>
#include <vector>

#include "library/folder_listing.h"
#include "search/facts_loader.h"
#include "search/search_cache.h"
#include "search/symbol_search.h"
#include "tools/cli_registry.h"

namespace quiral::cli {
namespace {

struct SearchArguments {
  std::vector<std::string> places;
  std::string query;
  size_t limit = 0;  // 0: every match
  bool json = false;
  bool useCache = true;
};

// Places come first: folders, and paths named like libraries (which need not exist: they are
// then skipped with a warning). The first other word starts the query; after "--" every word
// belongs to it, so a query may begin with a library's name or with "--".
SearchArguments parseSearchArguments(const std::vector<std::string>& args) {
  SearchArguments parsed;
  bool inQuery = false;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = inQuery = true;
    } else if (!optionsEnded && arg == "--limit") {
      if (i + 1 == args.size()) throw UsageError("--limit needs a value");
      parsed.limit = parseIndex(args[++i], "--limit");
      if (parsed.limit == 0) throw UsageError("--limit must be at least 1");
    } else if (!optionsEnded && arg == "--json") {
      parsed.json = true;
    } else if (!optionsEnded && arg == "--no-cache") {
      parsed.useCache = false;
    } else if (!optionsEnded && arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      throw UsageError("unknown option " + arg);
    } else if (!inQuery && (folderExists(arg) || matchesLibraryMask(arg))) {
      parsed.places.push_back(arg);
    } else {
      inQuery = true;
      if (!parsed.query.empty()) parsed.query += ' ';
      parsed.query += arg;
    }
  }
  if (parsed.places.empty()) throw UsageError("expects a folder or a library");
  if (parsed.query.empty()) throw UsageError("expects a query");
  return parsed;
}

std::string jsonHit(const SymbolSearch& search, const SearchHit& hit) {
  const SearchedSymbol& s = search.facts(hit);
  const SearchedLibrary& library = search.libraries()[hit.library];
  return "{\"library\": " + jsonString(library.library) + ", \"name\": " + jsonString(s.name) +
         ", \"alias_of\": " + (s.aliasOf.empty() ? "null" : jsonString(s.aliasOf)) +
         ", \"description\": " + jsonString(s.description) +
         ", \"keywords\": " + jsonString(s.keywords) +
         ", \"footprint_filters\": " + jsonString(s.footprintFilters) +
         ", \"unit_count\": " + std::to_string(s.unitCount) +
         ", \"pin_count\": " + std::to_string(s.pinCount) +
         ", \"path\": " + jsonString(library.path) + "}";
}

void printHits(const SymbolSearch& search, const std::vector<SearchHit>& hits, bool json) {
  if (json) printLine("[");
  for (size_t i = 0; i < hits.size(); ++i) {
    if (json) {
      printLine("  " + jsonHit(search, hits[i]) + (i + 1 < hits.size() ? "," : ""));
      continue;
    }
    const SearchedSymbol& facts = search.facts(hits[i]);
    printLine(search.libraries()[hits[i].library].library + ":" + facts.name + "\t" +
              facts.description);
  }
  if (json) printLine("]");
}

void suggest(const SymbolSearch& search, const std::string& query) {
  const std::vector<SearchHit> near = search.suggestions(query);
  if (near.empty()) return;
  std::string text;
  for (const SearchHit& hit : near) {
    text += text.empty() ? "" : ", ";
    text += search.libraries()[hit.library].library + ":" + search.facts(hit).name;
  }
  std::fprintf(stderr, "quiral-cli search: no match for \"%s\"; did you mean %s?\n", query.c_str(),
               text.c_str());
}

int runSearch(const std::vector<std::string>& args) {
  const SearchArguments parsed = parseSearchArguments(args);
  const SearchPlaces places = searchPlacesOf(parsed.places);
  LoadedFacts loaded =
      loadSearchFacts(places, parsed.useCache ? defaultSearchCachePath() : std::string());
  for (const std::string& warning : loaded.warnings)
    std::fprintf(stderr, "quiral-cli search: warning: %s\n", warning.c_str());
  const SymbolSearch search(std::move(loaded.libraries));
  const std::vector<SearchHit> hits = search.search(parsed.query, parsed.limit);
  printHits(search, hits, parsed.json);
  if (hits.empty()) suggest(search, parsed.query);
  return hits.empty() ? 1 : 0;
}

}  // namespace

QUIRAL_CLI_COMMAND(
    search, "DIR|LIB... QUERY... [--limit N] [--json] [--no-cache]",
    "Finds the symbols and aliases of every *.lib and *.kicad_sym of the folders (or of the "
    "libraries named) whose name, keywords, description, footprint filters or library match "
    "every word of QUERY, best first, as library:name<TAB>description lines (--json: an array of "
    "objects). Exit status 0 when something matched, 1 when nothing did, 2 on bad use. The facts "
    "are kept in a cache under $XDG_CACHE_HOME/quiral/; --no-cache reads every library.",
    runSearch);

}  // namespace quiral::cli
