#include "render/symbol_properties.h"

#include "library/line_interpreter.h"
#include "library/text_words.h"
#include "platform/text_codec.h"
#include "render/symbol_units.h"

namespace quiral {

namespace {

// Takes the DEF line's name, reference and power flag, and the fields' texts.
class DefinitionReader final : public RecordHandlers {
 public:
  std::string name, reference, footprint, datasheet;
  bool power = false;
  size_t pins = 0;

  void definicao(const TokenTable& t, int tokenCount) override {
    name = t.text(2);
    // A hidden value puts a tilde before the name.
    if (!name.empty() && name.front() == '~') name.erase(0, 1);
    reference = t.text(3);
    power = tokenCount >= 10 && t.text(10) == "P";
  }
  void titulos(const TokenTable& t, int) override {
    const std::string& field = t.text(1);
    if (field[1] == '0' && reference.empty()) reference = t.text(2);
    if (field[1] == '2') footprint = t.text(2);
    if (field[1] == '3') datasheet = t.text(2);
  }
  void pino(const TokenTable&, int) override { ++pins; }
  void retangulo(const TokenTable&, int) override {}
  void poligono(const TokenTable&, int) override {}
  void textos(const TokenTable&, int) override {}
  void arco(const TokenTable&, int) override {}
  void circulo(const TokenTable&, int) override {}
  void aliasLine(std::string_view) override {}
};

// The lines between $FPLIST and $ENDFPLIST, each trimmed.
std::vector<std::string> footprintFiltersOf(const std::vector<std::string>& block) {
  std::vector<std::string> filters;
  bool inList = false;
  for (const std::string& line : block) {
    const std::string_view keyword = keywordOf(line);
    if (equalsUpper(keyword, "$FPLIST")) {
      inList = true;
    } else if (equalsUpper(keyword, "$ENDFPLIST")) {
      inList = false;
    } else if (inList && !trimControl(line).empty()) {
      filters.emplace_back(trimControl(line));
    }
  }
  return filters;
}

bool namesSomething(const std::string& text) {
  return !text.empty() && text != "~";
}

}  // namespace

SymbolProperties describeSymbol(const std::vector<std::string>& block, const std::string& alias,
                                const std::string& libraryName, const DocumentationEntry& doc,
                                const std::vector<std::string>& unitNames) {
  DefinitionReader reader;
  LineInterpreter interpreter(&reader);
  for (const std::string& line : block) interpreter.interpreta_linha(line);
  const SymbolUnits units = describeUnits(block);

  SymbolProperties p;
  p.name = alias.empty() ? reader.name : alias;
  p.library = libraryName;
  if (!alias.empty()) p.aliasOf = reader.name;
  p.description = doc.description;
  p.keywords = doc.keywords;
  p.datasheet = namesSomething(reader.datasheet) ? reader.datasheet : doc.datasheet;
  if (!namesSomething(p.datasheet)) p.datasheet.clear();
  p.footprint = reader.footprint;
  p.footprintFilters = footprintFiltersOf(block);
  // A text of any length may come from a file; what a label lays out is bounded.
  for (std::string* text : {&p.description, &p.keywords, &p.datasheet, &p.footprint}) {
    bool cut = false;
    *text = boundedLibraryText(std::move(*text), kLongestShownText, &cut);
    p.textsCut = p.textsCut || cut;
  }
  p.reference = reader.reference;
  for (int unit = 1; unit <= units.count; ++unit)
    p.unitLabels.push_back(unitLabel(unit, unitNames));
  p.deMorgan = units.hasDeMorgan;
  p.power = reader.power;
  p.pinCount = reader.pins;
  return p;
}

}  // namespace quiral
