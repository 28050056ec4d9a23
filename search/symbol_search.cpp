#include "search/symbol_search.h"

#include <algorithm>

namespace quiral {

SymbolSearch::SymbolSearch(std::vector<SearchedLibrary> libraries)
    : libraries_(std::move(libraries)) {
  size_t count = 0;
  libraryNames_.reserve(libraries_.size());
  for (const SearchedLibrary& library : libraries_) {
    libraryNames_.push_back(foldText(library.library));
    count += library.symbols.size();
  }
  entries_.reserve(count);
  for (uint32_t l = 0; l < libraries_.size(); ++l) {
    const std::vector<SearchedSymbol>& symbols = libraries_[l].symbols;
    for (uint32_t s = 0; s < symbols.size(); ++s) {
      const SearchedSymbol& facts = symbols[s];
      entries_.push_back(
          {l,
           s,
           {foldText(facts.name), foldText(facts.keywords), foldText(facts.description),
            foldText(facts.footprintFilters), &libraryNames_[l]}});
    }
  }
}

RankKey SymbolSearch::rankKey(const Entry& entry, MatchTier tier) const {
  return {tier, uint32_t(facts({entry.library, entry.symbol, tier}).name.size()), entry.library,
          entry.symbol};
}

std::vector<SearchHit> SymbolSearch::best(std::vector<std::pair<RankKey, uint32_t>>& found,
                                          size_t limit) const {
  const size_t kept = limit == 0 ? found.size() : std::min(limit, found.size());
  std::partial_sort(found.begin(), found.begin() + ptrdiff_t(kept), found.end(),
                    [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<SearchHit> hits;
  hits.reserve(kept);
  for (size_t i = 0; i < kept; ++i) {
    const Entry& entry = entries_[found[i].second];
    hits.push_back({entry.library, entry.symbol, found[i].first.tier});
  }
  return hits;
}

std::vector<SearchHit> SymbolSearch::search(std::string_view text, size_t limit) const {
  const SearchQuery query = parseQuery(text);
  std::vector<std::pair<RankKey, uint32_t>> found;
  if (query.empty()) return {};
  for (uint32_t i = 0; i < entries_.size(); ++i) {
    const MatchTier tier = matchTier(query, entries_[i].fields);
    if (tier != MatchTier::None) found.emplace_back(rankKey(entries_[i], tier), i);
  }
  return best(found, limit);
}

std::vector<SearchHit> SymbolSearch::suggestions(std::string_view text, size_t limit) const {
  const SearchQuery query = parseQuery(text);
  if (!offersSuggestions(query)) return {};
  std::vector<std::pair<RankKey, uint32_t>> found;
  for (uint32_t i = 0; i < entries_.size(); ++i) {
    if (oneEditApart(query.whole, entries_[i].fields.name.chars))
      found.emplace_back(rankKey(entries_[i], MatchTier::ExactName), i);
  }
  return best(found, limit);
}

}  // namespace quiral
