#include "site/search_index.h"

#include "search/search_text.h"
#include "site/html_text.h"

namespace quiral {

std::string foldedWords(const std::string& text) {
  const FoldedText folded = foldText(text);
  std::string words;
  words.reserve(folded.chars.size() + 8);
  for (size_t i = 0; i < folded.chars.size(); ++i) {
    if (folded.starts[i] && i > 0) words += ' ';
    words += folded.chars[i];
  }
  return words;
}

std::string searchIndexScript(const std::vector<IndexedLibrary>& libraries) {
  std::string js = "window.QUIRAL_INDEX={\"libraries\":[";
  for (size_t l = 0; l < libraries.size(); ++l) {
    const IndexedLibrary& library = libraries[l];
    if (l > 0) js += ",";
    js += "[" + jsString(library.facts.library) + "," + jsString(library.pageFile) + "," +
          jsString(foldedWords(library.facts.library)) + "]";
  }
  js += "],\n\"names\":[\n";
  bool first = true;
  for (size_t l = 0; l < libraries.size(); ++l) {
    for (const SearchedSymbol& s : libraries[l].facts.symbols) {
      if (!first) js += ",\n";
      first = false;
      std::string anchor = "null";
      if (libraries[l].anchors) {
        const auto found = libraries[l].anchors->find(s.name);
        if (found != libraries[l].anchors->end() && found->second != s.name)
          anchor = jsString(found->second);
      }
      js += "[" + std::to_string(l) + "," + jsString(s.name) + "," + anchor + "," +
            std::to_string(s.name.size()) + "," + jsString(s.description) + "," +
            jsString(foldedWords(s.name)) + "," + jsString(foldedWords(s.keywords)) + "," +
            jsString(foldedWords(s.description)) + "," + jsString(foldedWords(s.footprintFilters)) +
            "]";
    }
  }
  js += "\n]};\n";
  return js;
}

}  // namespace quiral
