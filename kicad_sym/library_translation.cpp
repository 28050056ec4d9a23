// The whole library: every symbol read, derived symbols resolved to their roots (which carry
// them as ALIAS names), then the legacy library and documentation texts written.

#include "kicad_sym/library_translation.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <unordered_map>

#include "kicad_sym/legacy_text.h"
#include "kicad_sym/legacy_writer.h"
#include "kicad_sym/modern_symbol.h"
#include "platform/file_chunks.h"
#include "platform/file_stamp.h"

namespace quiral {

namespace {

// What each kind of loss says after its count, in the order of Loss.
constexpr const char* kLossPhrases[] = {
    "pin alternates dropped",
    "pin names or numbers with spaces, control bytes or quotes written with underscores",
    "literal tildes written as \"~~\"",
    "field names shown beside their values dropped (show_name)",
    "dashed or dotted strokes written solid",
    "font colours dropped",
    "font thicknesses dropped",
    "pins of type free written as unspecified (U)",
    "records of a body style beyond the second, which legacy readers do not show",
    "unit names dropped",
    "fills of polylines split into records of 147 points dropped",
    "items of kinds that legacy libraries cannot hold dropped",
};
static_assert(std::size(kLossPhrases) == size_t(Loss::Count));

// Derived symbols may derive from derived symbols; a longer chain is taken as a loop.
constexpr int kMaxDerivationDepth = 32;
constexpr size_t kNoRoot = SIZE_MAX;

class LibraryTranslator {
 public:
  explicit LibraryTranslator(TranslatedLibrary& result) : result_(result) {}

  // Reads the library one top-level list at a time, reusing one document's storage.
  void run(SexprListStream& stream, size_t textSize) {
    // A symbol takes a kilobyte of text or more; reserving spares moving them as the list grows.
    symbols_.reserve(textSize / 1024 + 16);
    SexprDocument child;
    while (stream.next(child)) {
      const Sexpr node = child.root().first();
      if (node.is("symbol")) readSymbol(node);
    }
    findRoots();
    writeLibrary();
    writeDocumentation();
  }

 private:
  void warn(std::string message) { result_.warnings.push_back(std::move(message)); }

  static std::string at(const ModernSymbol& symbol) {
    return "line " + std::to_string(symbol.line) + ", column " + std::to_string(symbol.column);
  }

  void readSymbol(Sexpr node) {
    try {
      symbols_.push_back(readModernSymbol(node, records_));
      ModernSymbol& symbol = symbols_.back();
      // The text around the symbol is gone by the time messages about aliases and names are
      // written, so their position is taken now.
      if (!symbol.extends.empty() || legacyWord(symbol.name) != symbol.name) {
        symbol.line = node.line();
        symbol.column = node.column();
      }
      byName_.emplace(symbols_.back().name, symbols_.size() - 1);
      reportLosses(symbol);
    } catch (const TranslationError& e) {
      result_.skippedSymbols.push_back(std::string(e.what()) + " (symbol \"" +
                                       std::string(node.at(1).text()) + "\" skipped)");
      warn(result_.skippedSymbols.back());
    }
  }

  // The root of each derived symbol; a derived symbol whose root is missing or that derives from
  // itself is written as a block of its own.
  void findRoots() {
    roots_.assign(symbols_.size(), kNoRoot);
    for (size_t i = 0; i < symbols_.size(); ++i) {
      if (symbols_[i].extends.empty()) continue;
      size_t current = i;
      int depth = 0;
      while (!symbols_[current].extends.empty() && depth++ < kMaxDerivationDepth) {
        const auto parent = byName_.find(symbols_[current].extends);
        if (parent == byName_.end()) break;
        current = parent->second;
      }
      if (symbols_[current].extends.empty() && current != i) {
        roots_[i] = current;
        aliases_[current].push_back(i);
        continue;
      }
      warn(at(symbols_[i]) + ": \"" + symbols_[i].name + "\" derives from \"" +
           symbols_[i].extends + "\", which is " +
           (depth > kMaxDerivationDepth ? "part of a loop" : "not in the library") +
           "; it is written as a symbol of its own");
    }
  }

  void writeLibrary() {
    std::string& out = result_.libraryText;
    beginLegacyLibrary(out);
    for (size_t i = 0; i < symbols_.size(); ++i) {
      if (roots_[i] != kNoRoot) continue;
      std::vector<std::string> aliasNames;
      for (size_t derived : aliases_[i]) {
        aliasNames.push_back(legacyWord(symbols_[derived].name));
        reportAliasLosses(symbols_[derived], symbols_[i]);
      }
      reportRenamed(symbols_[i]);
      appendLegacyBlock(out, symbols_[i], aliasNames);
      if (!symbols_[i].unitNames.empty())
        result_.unitNames[legacyWord(symbols_[i].name)] = symbols_[i].unitNames;
      ++result_.blockCount;
      result_.aliasCount += aliasNames.size();
    }
    endLegacyLibrary(out);
  }

  void writeDocumentation() {
    std::string& out = result_.documentationText;
    beginDocumentation(out);
    for (size_t i = 0; i < symbols_.size(); ++i) {
      const ModernSymbol& symbol = symbols_[i];
      const ModernSymbol* root = roots_[i] == kNoRoot ? nullptr : &symbols_[roots_[i]];
      // A derived symbol that does not state a text inherits its root's.
      auto inherited = [&](const std::optional<std::string> ModernSymbol::*text) {
        if (symbol.*text) return std::string_view(*(symbol.*text));
        if (root && root->*text) return std::string_view(*(root->*text));
        return std::string_view();
      };
      const SymbolField& datasheet = symbol.fields[kDatasheetField].present || !root
                                         ? symbol.fields[kDatasheetField]
                                         : root->fields[kDatasheetField];
      appendDocumentationEntry(out, legacyWord(symbol.name), inherited(&ModernSymbol::description),
                               inherited(&ModernSymbol::keywords), datasheet.text);
    }
    endDocumentation(out);
  }

  // One warning per kind of loss, naming the symbol: "RP2040: 30 pin alternates dropped".
  void reportLosses(const ModernSymbol& symbol) {
    for (size_t kind = 0; kind < size_t(Loss::Count); ++kind) {
      const uint32_t count = symbol.losses.counts[kind];
      if (count) warn(symbol.name + ": " + std::to_string(count) + " " + kLossPhrases[kind]);
    }
  }

  void reportRenamed(const ModernSymbol& symbol) {
    if (legacyWord(symbol.name) != symbol.name)
      warn(at(symbol) + ": \"" + symbol.name + "\" is written as \"" + legacyWord(symbol.name) +
           "\" (a legacy name is one word)");
  }

  // What an alias cannot hold: it shares its root's drawing, fields and footprint filters.
  void reportAliasLosses(const ModernSymbol& derived, const ModernSymbol& root) {
    reportRenamed(derived);
    std::vector<std::string> lost;
    const SymbolField* own = derived.fields;
    const SymbolField* shared = root.fields;
    if (own[kReferenceField].present && own[kReferenceField].text != shared[kReferenceField].text)
      lost.push_back("reference \"" + own[kReferenceField].text + "\"");
    if (own[kValueField].present && own[kValueField].text != derived.name)
      lost.push_back("value \"" + own[kValueField].text + "\"");
    if (own[kFootprintField].present && own[kFootprintField].text != shared[kFootprintField].text)
      lost.push_back("footprint \"" + own[kFootprintField].text + "\"");
    bool placementDiffers = false;
    for (int i = 0; i < 4; ++i)
      placementDiffers |= own[i].present && !own[i].samePlacement(shared[i]);
    if (placementDiffers) lost.push_back("field positions");
    reportUserFieldLosses(derived, root, lost);
    if (derived.footprintFilters && derived.footprintFilters != root.footprintFilters)
      lost.push_back("footprint filters");
    if (!derived.drawing.empty()) lost.push_back("drawing");
    if (lost.empty()) return;
    std::string message = at(derived) + ": \"" + derived.name + "\" becomes an alias of \"" +
                          root.name + "\", which cannot hold its own ";
    for (size_t i = 0; i < lost.size(); ++i) message += (i ? ", " : "") + lost[i];
    warn(std::move(message));
  }

  static void reportUserFieldLosses(const ModernSymbol& derived, const ModernSymbol& root,
                                    std::vector<std::string>& lost) {
    for (const SymbolField& field : derived.userFields) {
      const SymbolField* match = nullptr;
      for (const SymbolField& candidate : root.userFields) {
        if (candidate.name == field.name) match = &candidate;
      }
      if (!match || match->text != field.text) {
        lost.push_back("field \"" + field.name + "\"");
      } else if (!match->samePlacement(field)) {
        lost.push_back("position of field \"" + field.name + "\"");
      }
    }
  }

  TranslatedLibrary& result_;
  std::vector<ModernSymbol> symbols_;
  SymbolDrawing records_;
  std::unordered_map<std::string, size_t> byName_;
  std::vector<size_t> roots_;
  std::unordered_map<size_t, std::vector<size_t>> aliases_;
};

}  // namespace

namespace {

TranslatedLibrary translateStream(SexprListStream& stream, size_t textSize) {
  if (stream.head() != "kicad_symbol_lib")
    throw SexprError(1, 1, "not a KiCad symbol library (it does not start with (kicad_symbol_lib)");
  TranslatedLibrary result;
  result.libraryText.reserve(textSize / 4);
  result.documentationText.reserve(textSize / 32);
  LibraryTranslator(result).run(stream, textSize);
  return result;
}

class FileSource : public TextSource {
 public:
  explicit FileSource(const std::string& path) : file_(path, kMaxModernLibraryBytes) {}
  bool readMore(std::string& out, size_t max) override { return file_.readMore(out, max); }

 private:
  FileChunkReader file_;
};

}  // namespace

TranslatedLibrary translateModernLibrary(std::string_view text, const SexprLimits& limits) {
  SexprListStream stream(text, limits);
  return translateStream(stream, text.size());
}

TranslatedLibrary translateModernLibraryFile(const std::string& path) {
  const FileStamp stamp = fileStamp(path);
  FileSource source(path);
  SexprListStream stream(source);
  return translateStream(stream, size_t(std::max<int64_t>(stamp.size, 0)));
}

bool isModernLibraryName(std::string_view name) {
  constexpr std::string_view kExtension = ".kicad_sym";
  if (name.size() < kExtension.size()) return false;
  const std::string_view tail = name.substr(name.size() - kExtension.size());
  for (size_t i = 0; i < tail.size(); ++i) {
    char c = tail[i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != kExtension[i]) return false;
  }
  return true;
}

}  // namespace quiral
