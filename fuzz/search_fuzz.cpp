// Feeds arbitrary libraries and queries to the symbol search. The input's first line is the
// query, the rest is read both as the library and as its documentation file. The results must be
// in rank order, a limited search must give the first of them, and folding must be idempotent.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/facts_reader.h"
#include "search/symbol_search.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quiral;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t end = bytes.find('\n');
  const std::string_view query = bytes.substr(0, end);
  const std::string_view text = end == std::string_view::npos ? "" : bytes.substr(end + 1);
  SearchedLibrary library;
  library.library = "Fuzz";
  readLegacyFacts(text, text, library);
  const FoldedText folded = foldText(query);
  if (foldText(folded.chars).chars != folded.chars) __builtin_trap();

  std::vector<SearchedLibrary> libraries;
  libraries.push_back(std::move(library));
  const SymbolSearch search(std::move(libraries));
  const std::vector<SearchHit> all = search.search(query);
  for (size_t i = 1; i < all.size(); ++i)
    if (all[i].tier < all[i - 1].tier) __builtin_trap();
  const std::vector<SearchHit> first = search.search(query, 2);
  for (size_t i = 0; i < first.size(); ++i)
    if (first[i].symbol != all[i].symbol || first[i].tier != all[i].tier) __builtin_trap();
  for (const SearchHit& near : search.suggestions(query))
    if (near.symbol >= search.nameCount()) __builtin_trap();
  return 0;
}
