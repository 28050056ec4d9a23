#pragma once

#include <map>
#include <string>
#include <vector>

#include "search/symbol_facts.h"

namespace quiral {

// One library as the site's search sees it: its facts, as `quiral-cli search` reads them, and
// where its page and its names' anchors are.
struct IndexedLibrary {
  SearchedLibrary facts;
  std::string pageFile;
  const std::map<std::string, std::string>* anchors = nullptr;  // name -> anchor
};

// The search index as a script (so that a page opened from file:// can load it without a
// request for data): `window.QUIRAL_INDEX = {...}` with, per library, its name, page and folded
// name, and per name its library, name, anchor (null when it is the name), length in bytes,
// description and its folded name, keywords, description and footprint filters. A folded text is
// written as its words separated by spaces, which keeps exactly where its words start (see
// search/search_text.h), so the page's script matches and ranks with the rules of
// search/search_rules.h without folding the libraries' texts again.
std::string searchIndexScript(const std::vector<IndexedLibrary>& libraries);

// A folded text as the index writes it.
std::string foldedWords(const std::string& text);

}  // namespace quiral
