#include "review/library_reading.h"

#include <sys/stat.h>

#include <map>

#include "kicad_sym/library_translation.h"
#include "library/library_browser.h"
#include "library/library_line_reader.h"
#include "library/line_interpreter.h"
#include "library/text_words.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/line_reader.h"
#include "review/record_facts.h"

namespace quiral {

namespace {

constexpr size_t kMaxDocumentationBytes = size_t(256) << 20;

std::string_view restAfterKeyword(std::string_view line) {
  const size_t space = line.find(' ');
  return space == std::string_view::npos ? std::string_view() : trimControl(line.substr(space));
}

// A field line numbered 10 or more: the dispatcher reads only two-byte field keywords.
int longFieldIndex(std::string_view keyword) {
  if (keyword.size() < 3 || keyword.size() > 4 || (keyword[0] != 'F' && keyword[0] != 'f'))
    return -1;
  int index = 0;
  for (char c : keyword.substr(1)) {
    if (c < '0' || c > '9') return -1;
    index = index * 10 + (c - '0');
  }
  return index;
}

// Reads the records of one block into its symbol's facts, through the line dispatcher.
class BlockParser {
 public:
  BlockParser() { interpreter_.setHandlers(&records_); }

  void parse(SymbolFacts& symbol) {
    const std::string name = symbol.name;
    records_.start(symbol);
    bool inFootprintList = false;
    size_t start = 0;
    while (start < symbol.block.size()) {
      size_t end = symbol.block.find('\n', start);
      if (end == std::string::npos) end = symbol.block.size();
      const std::string_view line(symbol.block.data() + start, end - start);
      start = end + 1;
      const std::string_view keyword = keywordOf(line);
      if (inFootprintList) {
        if (equalsUpper(keyword, "$ENDFPLIST"))
          inFootprintList = false;
        else if (!trimControl(line).empty())
          symbol.footprintFilters.emplace_back(trimControl(line));
      } else if (equalsUpper(keyword, "$FPLIST")) {
        inFootprintList = true;
      } else {
        records_.setLine(line);
        interpreter_.interpreta_linha(line);
        const int index = longFieldIndex(keyword);
        if (index >= 10) records_.field(interpreter_.tokens(), index);
      }
    }
    symbol.name = name;  // as the walk named it, so that matching stays as listed
    normaliseSymbol(symbol);
    symbol.parsed = true;
  }

 private:
  RecordFacts records_;
  LineInterpreter interpreter_;
};

// Walks one library's lines, block by block, keeping each block's text, name and aliases; the
// records are read later, only for the blocks that need it (see parseSymbolFacts).
class BlockWalk {
 public:
  BlockWalk(const std::string& path, LibraryFacts& out) : path_(path), out_(out) {}

  void take(std::string_view line) {
    ++lineNumber_;
    if (!current_) {
      if (startsLike(line, 'D') && equalsUpper(keywordOf(line), "DEF")) open(line);
      return;
    }
    current_->block.append(line);
    current_->block.push_back('\n');
    if (startsLike(line, 'E') && equalsUpper(keywordOf(line), "ENDDEF")) {
      close();
    } else if (startsLike(line, 'A') && equalsUpper(keywordOf(line), "ALIAS")) {
      const int count = TokenizeLine(tokens_, line);
      for (int k = 2; k <= count; ++k) current_->aliases.push_back(tokens_.text(k));
    } else if (startsLike(line, 'D') && equalsUpper(keywordOf(line), "DEF")) {
      fail("a DEF line inside the block of \"" + current_->name + "\"");
    }
  }

  void end() {
    if (current_) fail("the block of \"" + current_->name + "\" has no ENDDEF");
  }

 private:
  // Whether the line may begin with a keyword whose first letter is `upper`: most lines of a
  // block begin with another printable byte and are passed over without splitting them.
  static bool startsLike(std::string_view line, char upper) {
    if (line.empty()) return false;
    const auto c = static_cast<unsigned char>(line[0]);
    return c <= 32 || upperAscii(char(c)) == upper;
  }

  void open(std::string_view line) {
    current_ = &out_.symbols.emplace_back();
    current_->line = lineNumber_;
    std::string_view name = trimControl(firstTwoWords(line).second);
    // A tilde before the name hides the value field; the symbol is still named without it.
    if (name.size() > 1 && name[0] == '~') name.remove_prefix(1);
    current_->name = std::string(name);
    current_->block.append(line);
    current_->block.push_back('\n');
  }

  void close() {
    current_->occurrence = seen_[current_->name]++;
    current_ = nullptr;
  }

  [[noreturn]] void fail(const std::string& what) const {
    throw QuiralError(path_ + ": line " + std::to_string(lineNumber_) + ": " + what);
  }

  const std::string& path_;
  LibraryFacts& out_;
  TokenTable tokens_;
  SymbolFacts* current_ = nullptr;
  int lineNumber_ = 0;
  std::map<std::string, int> seen_;
};

void walkLegacyLines(LibraryLineReader& reader, const std::string& path, LibraryFacts& facts) {
  BlockWalk walk(path, facts);
  std::string_view line;
  bool first = true;
  while (reader.nextLine(line)) {
    if (first && line.rfind("EESchema-LIBRARY", 0) != 0)
      throw QuiralError(path + ": not a KiCad symbol library (no EESchema-LIBRARY header)");
    first = false;
    walk.take(line);
  }
  if (first) throw QuiralError(path + ": not a KiCad symbol library (the file is empty)");
  walk.end();
}

void readLegacy(const std::string& path, LibraryFacts& facts) {
  LibraryLineReader reader(path, nullptr);
  walkLegacyLines(reader, path, facts);

  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  const std::string documentation = joinPath(folder, documentationFileName(path));
  struct stat info {};
  facts.hasDocumentation = ::stat(documentation.c_str(), &info) == 0;
  if (!facts.hasDocumentation) return;
  facts.docs = readDocumentation(readWholeFile(documentation, kMaxDocumentationBytes));
}

void readModern(const std::string& path, LibraryFacts& facts) {
  TranslatedLibrary translation;
  try {
    translation = translateModernLibraryFile(path);
  } catch (const FileError&) {
    throw;
  } catch (const QuiralError& e) {
    throw QuiralError(path + ": " + e.what());
  }
  LibraryLineReader reader(path, &translation.libraryText);
  BlockWalk walk(path, facts);
  std::string_view line;
  while (reader.nextLine(line)) walk.take(line);
  walk.end();
  facts.docs = readDocumentation(translation.documentationText);
  for (SymbolFacts& symbol : facts.symbols) {
    const auto names = translation.unitNames.find(symbol.name);
    if (names != translation.unitNames.end()) symbol.unitNames = names->second;
  }
}

}  // namespace

std::map<std::string, DocFacts> readDocumentation(std::string_view text) {
  std::map<std::string, DocFacts> docs;
  TextFileReader reader(TextFileReader::InMemory{}, text);
  std::string_view line;
  DocFacts* entry = nullptr;
  DocFacts ignored;  // a second entry of a name is read into this and dropped
  while (reader.nextLine(line)) {
    const std::string_view keyword = keywordOf(line);
    if (keyword == "$CMP") {
      auto [it, fresh] = docs.try_emplace(std::string(restAfterKeyword(line)));
      ignored = DocFacts{};
      entry = fresh ? &it->second : &ignored;
    } else if (keyword == "$ENDCMP") {
      entry = nullptr;
    } else if (entry && keyword.size() == 1) {
      const std::string rest(restAfterKeyword(line));
      if (keyword == "D") entry->description = rest;
      if (keyword == "K") entry->keywords = rest;
      if (keyword == "F") entry->datasheet = rest;
    }
  }
  return docs;
}

LibraryFacts readLegacyLibraryText(const std::string& text, const std::string& name) {
  LibraryFacts facts;
  facts.path = name;
  LibraryLineReader reader(name, &text);
  walkLegacyLines(reader, name, facts);
  return facts;
}

void parseSymbolFacts(SymbolFacts& symbol) {
  if (symbol.parsed) return;
  // One parser a thread: its token table's strings keep their buffers from block to block.
  thread_local BlockParser parser;
  parser.parse(symbol);
}

LibraryFacts readLibraryFacts(const std::string& path, bool readRecords) {
  LibraryFacts facts;
  facts.path = path;
  facts.format = isModernLibraryName(path) ? LibraryFormat::Modern : LibraryFormat::Legacy;
  if (facts.format == LibraryFormat::Modern) {
    readModern(path, facts);
  } else {
    readLegacy(path, facts);
  }
  if (readRecords)
    for (SymbolFacts& symbol : facts.symbols) parseSymbolFacts(symbol);
  return facts;
}

}  // namespace quiral
