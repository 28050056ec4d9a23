#include "search/search_rules.h"

#include <tuple>

namespace quiral {

namespace {

constexpr size_t kAnywhereInNameFrom = 3;
constexpr size_t kSuggestionsFrom = 4;

bool matchesName(std::string_view word, const FoldedText& name) {
  return name.contains(word, word.size() >= kAnywhereInNameFrom);
}

// The best tier at which one word matches, NameWord at the best.
MatchTier wordTier(std::string_view word, const FoldedFields& fields) {
  if (matchesName(word, fields.name)) return MatchTier::NameWord;
  if (fields.keywords.contains(word, false)) return MatchTier::Keywords;
  if (fields.description.contains(word, false)) return MatchTier::Description;
  if (fields.footprintFilters.contains(word, false)) return MatchTier::FootprintFilters;
  if (fields.library && fields.library->contains(word, false)) return MatchTier::LibraryName;
  return MatchTier::None;
}

}  // namespace

SearchQuery parseQuery(std::string_view text) {
  SearchQuery query;
  size_t i = 0;
  const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < text.size()) {
    while (i < text.size() && blank(text[i])) ++i;
    const size_t start = i;
    while (i < text.size() && !blank(text[i])) ++i;
    std::string word = foldText(text.substr(start, i - start)).chars;
    if (word.empty()) continue;
    query.whole += word;
    query.words.push_back(std::move(word));
  }
  return query;
}

MatchTier matchTier(const SearchQuery& query, const FoldedFields& fields) {
  if (query.empty()) return MatchTier::None;
  const std::string& name = fields.name.chars;
  if (name == query.whole) return MatchTier::ExactName;
  if (name.compare(0, query.whole.size(), query.whole) == 0) return MatchTier::NamePrefix;
  if (matchesName(query.whole, fields.name)) return MatchTier::NameWord;
  MatchTier weakest = MatchTier::NameWord;
  for (const std::string& word : query.words) {
    const MatchTier tier = wordTier(word, fields);
    if (tier == MatchTier::None) return MatchTier::None;
    if (tier > weakest) weakest = tier;
  }
  return weakest;
}

bool RankKey::operator<(const RankKey& other) const {
  return std::tie(tier, nameLength, libraryOrder, nameOrder) <
         std::tie(other.tier, other.nameLength, other.libraryOrder, other.nameOrder);
}

bool offersSuggestions(const SearchQuery& query) {
  return query.words.size() == 1 && query.whole.size() >= kSuggestionsFrom;
}

bool oneEditApart(std::string_view a, std::string_view b) {
  if (a.size() < b.size()) std::swap(a, b);
  if (a.size() - b.size() > 1) return false;
  size_t front = 0;
  while (front < b.size() && a[front] == b[front]) ++front;
  if (a.size() == b.size()) {
    // Exactly one changed character.
    return front < a.size() && a.substr(front + 1) == b.substr(front + 1);
  }
  // One character of the longer removed.
  return a.substr(front + 1) == b.substr(front);
}

}  // namespace quiral
