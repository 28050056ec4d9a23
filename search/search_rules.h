#pragma once

// The rules of the symbol search, all in this file and search_rules.cpp (the web catalog's
// script follows the same rules, so they stay few and plain):
//
// 1. Folding (search_text.h): letter case and accents do not matter (ASCII letters to lower case;
//    Latin letters with marks to plain ones, ß to ss, æ to ae, œ to oe, µ to u); every ASCII
//    character other than a letter or a digit separates words (`_ - . / space`, quotes, `* ( ) :
//    ^ +` ...), and separators are then taken out, keeping only where each word starts.
// 2. The query is split into words at white space; each word is folded as one text, so
//    `sot-23` is the word `sot23`. Words that fold to nothing (`-`, `"`, `*`) are dropped; a query
//    without words finds nothing. No character or word (`AND`, `OR`, `NEAR`) has a meaning of its
//    own: everything is plain text.
// 3. A word matches a field when it occurs in the folded field where a word of the field starts
//    (so `stm32f40` matches `STM32F407VETx`, `usbc` matches `USB_C_Receptacle`); in a name it also
//    matches anywhere when it has three characters or more (`407v`).
// 4. A name matches when each word of the query matches at least one of its fields: the name,
//    its keywords, its description, its footprint filters, its library's name. It also matches
//    when the whole query folded as one word matches its name (`lm 35` finds `LM358`).
// 5. Tiers, best first: the folded query equals the name (an alias counts as a name) > it begins
//    the name > it matches the name as in point 3 or 4 > the weakest field some word needs is
//    the keywords > the description > the footprint filters > the library name.
// 6. Within a tier: shorter names first, then libraries in the order they were given (a folder's
//    libraries in its file list's order), then names in their library's order.
// 7. When nothing matches and the query is one word of four or more characters, the names one
//    edit away (one character added, removed or changed, on the folded forms) are offered.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_text.h"

namespace quiral {

enum class MatchTier : uint8_t {
  ExactName,
  NamePrefix,
  NameWord,
  Keywords,
  Description,
  FootprintFilters,
  LibraryName,
  None
};

// The folded fields of one name, as point 4 lists them.
struct FoldedFields {
  FoldedText name;
  FoldedText keywords;
  FoldedText description;
  FoldedText footprintFilters;
  const FoldedText* library = nullptr;  // shared by every name of the library
};

struct SearchQuery {
  std::vector<std::string> words;  // folded, none empty
  std::string whole;               // every word joined: the query folded as one word
  bool empty() const { return words.empty(); }
};

SearchQuery parseQuery(std::string_view text);

// The tier of a name for the query (point 5); None when it does not match.
MatchTier matchTier(const SearchQuery& query, const FoldedFields& fields);

// Point 6: true when a result of (tier, name length, library order, name order) `a` comes
// before `b`.
struct RankKey {
  MatchTier tier;
  uint32_t nameLength;
  uint32_t libraryOrder;
  uint32_t nameOrder;
  bool operator<(const RankKey& other) const;
};

// Point 7: whether the query may get suggestions, and whether a folded name is one edit away.
bool offersSuggestions(const SearchQuery& query);
bool oneEditApart(std::string_view a, std::string_view b);

}  // namespace quiral
