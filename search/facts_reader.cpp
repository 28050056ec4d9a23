// Reads what a search needs from a library's lines: DEF and ALIAS names, the unit count of the
// DEF line, pin records, footprint filters, and each name's description and keywords from the
// documentation entries.

#include "search/facts_reader.h"

#include <charconv>
#include <memory>
#include <optional>
#include <unordered_map>

#include "kicad_sym/library_translation.h"
#include "library/library_browser.h"
#include "library/text_words.h"
#include "platform/line_reader.h"
#include "platform/regular_file.h"
#include "platform/text_codec.h"

namespace quiral {

namespace {

// The largest unit count taken from a DEF line; more is taken as a damaged line.
constexpr int32_t kMaxUnits = 676;

std::string_view withoutTilde(std::string_view name) {
  if (name.size() > 1 && name.front() == '~') name.remove_prefix(1);
  return name;
}

// The words of a line, split at spaces and tabs.
std::vector<std::string_view> wordsOf(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(trimControl(line.substr(start, i - start)));
  }
  return words;
}

struct DocumentationEntry {
  std::string description;
  std::string keywords;
};

// Most lines of a library are drawing records: a line that starts with a printable byte that no
// keyword read here starts with (DEF, ALIAS, X, $FPLIST, ENDDEF) is passed over unsplit.
bool cannotHoldAKeyword(std::string_view line) {
  if (line.empty() || static_cast<unsigned char>(line[0]) <= 32) return false;
  const char first = upperAscii(line[0]);
  return first != 'D' && first != 'A' && first != 'X' && first != '$' && first != 'E';
}

// Upper-cased name -> its first entry's texts.
using Documentation = std::unordered_map<std::string, DocumentationEntry>;

Documentation readDocumentation(TextFileReader& lines) {
  Documentation entries;
  DocumentationEntry* open = nullptr;
  std::string_view line;
  while (lines.nextLine(line)) {
    const std::string_view keyword = keywordOf(line);
    if (equalsUpper(keyword, "$CMP")) {
      const auto [entry, added] =
          entries.try_emplace(toUpperAscii(trimControl(firstTwoWords(line).second)));
      open = added ? &entry->second : nullptr;
    } else if (equalsUpper(keyword, "$ENDCMP")) {
      open = nullptr;
    } else if (open && line.size() >= 2 && line[1] == ' ') {
      const char kind = upperAscii(line[0]);
      // Bounded as every shown text is: a result row lays them out.
      if (kind == 'D')
        open->description = boundedLibraryText(std::string(trimControl(line.substr(2))));
      if (kind == 'K')
        open->keywords = boundedLibraryText(std::string(trimControl(line.substr(2))));
    }
  }
  return entries;
}

// Gathers one DEF block at a time and hands its names over when it ends.
class BlockReader {
 public:
  BlockReader(const Documentation& docs, SearchedLibrary& out) : docs_(docs), out_(out) {}

  void take(std::string_view line) {
    if (!inFilters_ && cannotHoldAKeyword(line)) return;
    const std::string_view keyword = keywordOf(line);
    if (inFilters_) {
      if (equalsUpper(keyword, "$ENDFPLIST")) {
        inFilters_ = false;
      } else if (!keyword.empty()) {
        appendFilter(trimControl(line));
      }
    } else if (equalsUpper(keyword, "DEF")) {
      finish();
      open(line);
    } else if (!block_) {
      return;
    } else if (equalsUpper(keyword, "X")) {
      ++block_->pinCount;
    } else if (equalsUpper(keyword, "ALIAS")) {
      const auto words = wordsOf(line);
      aliases_.insert(aliases_.end(), words.begin() + 1, words.end());
    } else if (equalsUpper(keyword, "$FPLIST")) {
      inFilters_ = true;
    } else if (equalsUpper(keyword, "ENDDEF")) {
      finish();
    }
  }

  // Hands over the open block: its symbol, then its aliases in ALIAS-line order.
  void finish() {
    if (!block_) return;
    describe(*block_);
    out_.symbols.push_back(*block_);
    for (std::string_view alias : aliases_) {
      SearchedSymbol facts = *block_;
      facts.aliasOf = block_->name;
      facts.name = std::string(withoutTilde(alias));
      facts.description.clear();
      facts.keywords.clear();
      describe(facts);
      out_.symbols.push_back(std::move(facts));
    }
    block_.reset();
    aliases_.clear();
    inFilters_ = false;
  }

 private:
  void open(std::string_view line) {
    const auto words = wordsOf(line);
    block_.emplace();
    if (words.size() > 1) block_->name = std::string(withoutTilde(words[1]));
    if (words.size() > 7) {
      int32_t units = 0;
      const auto [end, error] =
          std::from_chars(words[7].data(), words[7].data() + words[7].size(), units);
      if (error == std::errc() && end == words[7].data() + words[7].size() && units >= 1 &&
          units <= kMaxUnits)
        block_->unitCount = units;
    }
  }

  void appendFilter(std::string_view pattern) {
    std::string& filters = block_->footprintFilters;
    if (!filters.empty()) filters += ' ';
    filters += pattern;
  }

  void describe(SearchedSymbol& facts) const {
    const auto found = docs_.find(toUpperAscii(facts.name));
    if (found == docs_.end()) return;
    facts.description = found->second.description;
    facts.keywords = found->second.keywords;
  }

  const Documentation& docs_;
  SearchedLibrary& out_;
  std::optional<SearchedSymbol> block_;
  std::vector<std::string> aliases_;
  bool inFilters_ = false;
};

void readLegacyLines(TextFileReader& library, TextFileReader* documentation, SearchedLibrary& out) {
  const Documentation docs = documentation ? readDocumentation(*documentation) : Documentation{};
  BlockReader blocks(docs, out);
  std::string_view line;
  while (library.nextLine(line)) blocks.take(line);
  blocks.finish();
}

}  // namespace

std::string libraryNameOf(std::string_view path) {
  const size_t slash = path.rfind('/');
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  const size_t dot = path.rfind('.');
  return std::string(dot == std::string_view::npos || dot == 0 ? path : path.substr(0, dot));
}

void readLegacyFacts(std::string_view libraryText, std::string_view documentationText,
                     SearchedLibrary& out) {
  TextFileReader library(TextFileReader::InMemory{}, libraryText);
  TextFileReader documentation(TextFileReader::InMemory{}, documentationText);
  readLegacyLines(library, &documentation, out);
}

SearchedLibrary readLibraryFacts(const std::string& path) {
  SearchedLibrary facts;
  facts.path = path;
  facts.library = libraryNameOf(path);
  facts.stamp = fileStamp(path);
  if (isModernLibraryName(path)) {
    const TranslatedLibrary translation = translateModernLibraryFile(path);
    readLegacyFacts(translation.libraryText, translation.documentationText, facts);
    return facts;
  }
  TextFileReader library(path);
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  const std::string documentationPath = joinPath(folder, documentationFileName(path));
  std::optional<TextFileReader> documentation;
  // A library without its documentation file is searched by its names alone.
  if (regularFileStamp(documentationPath)) documentation.emplace(documentationPath);
  readLegacyLines(library, documentation ? &*documentation : nullptr, facts);
  return facts;
}

}  // namespace quiral
