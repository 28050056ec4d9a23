#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_rules.h"
#include "search/symbol_facts.h"

namespace quiral {

// One name found: where its facts are, and how well it matched.
struct SearchHit {
  uint32_t library;  // index into SymbolSearch::libraries()
  uint32_t symbol;   // index into that library's symbols
  MatchTier tier;
};

// Every name of a set of libraries, folded once, searched by the rules of search_rules.h. Made
// once per set of libraries; searching does not change it, so several threads may search at once.
class SymbolSearch {
 public:
  explicit SymbolSearch(std::vector<SearchedLibrary> libraries);
  SymbolSearch(const SymbolSearch&) = delete;
  SymbolSearch& operator=(const SymbolSearch&) = delete;

  const std::vector<SearchedLibrary>& libraries() const { return libraries_; }
  size_t nameCount() const { return entries_.size(); }
  const SearchedSymbol& facts(const SearchHit& hit) const {
    return libraries_[hit.library].symbols[hit.symbol];
  }

  // The names that match `query`, best first; at most `limit` of them (0: all).
  std::vector<SearchHit> search(std::string_view query, size_t limit = 0) const;
  // The names one edit away from a query that found nothing (rule 7), in rank order; empty when
  // the query gets no suggestions.
  std::vector<SearchHit> suggestions(std::string_view query, size_t limit = 5) const;

 private:
  struct Entry {
    uint32_t library;
    uint32_t symbol;
    FoldedFields fields;
  };
  RankKey rankKey(const Entry& entry, MatchTier tier) const;
  std::vector<SearchHit> best(std::vector<std::pair<RankKey, uint32_t>>& found, size_t limit) const;

  std::vector<SearchedLibrary> libraries_;
  std::vector<FoldedText> libraryNames_;
  std::vector<Entry> entries_;
};

}  // namespace quiral
