#include "review/text_facts.h"

#include <algorithm>
#include <tuple>

namespace quiral {

namespace {

std::string quotedText(const std::string& text) {
  return "\"" + text + "\"";
}

void appendDocs(std::string& out, const std::string& head, const DocFacts& docs) {
  if (!docs.description.empty()) out += head + "description " + quotedText(docs.description) + "\n";
  if (!docs.keywords.empty()) out += head + "keywords " + quotedText(docs.keywords) + "\n";
  if (!docs.datasheet.empty()) out += head + "datasheet " + quotedText(docs.datasheet) + "\n";
}

void appendSymbol(std::string& out, const LibraryFacts& library, const SymbolFacts& s) {
  std::string head = s.name;
  if (s.occurrence > 0) head += " [" + std::to_string(s.occurrence + 1) + "]";
  head += ": ";
  out += "symbol " + head.substr(0, head.size() - 2) + "\n";
  out += head + "units " + std::to_string(s.unitCount) +
         (s.unitsLocked ? " not interchangeable" : "") + (s.deMorgan ? " De Morgan" : "") +
         (s.power ? " power" : "") + " pin name offset " + std::to_string(s.pinNameOffset) +
         " pin names " + (s.showPinNames ? "shown" : "hidden") + " pin numbers " +
         (s.showPinNumbers ? "shown" : "hidden") + "\n";
  for (size_t i = 0; i < s.unitNames.size(); ++i)
    if (!s.unitNames[i].empty())
      out += head + "unit " + std::to_string(i + 1) + " name " + quotedText(s.unitNames[i]) + "\n";
  appendDocs(out, head, library.docsOf(s.name));
  for (const std::string& filter : s.footprintFilters)
    out += head + "footprint filter " + filter + "\n";
  for (const FieldFact& field : s.fields) out += head + "field " + fieldKey(field) + "\n";
  for (const PinFact& pin : s.pins) out += head + "pin " + pinKey(pin) + "\n";
  for (const GraphicFact& item : s.graphics) out += head + "graphic " + graphicKey(item) + "\n";
  for (const std::string& alias : s.aliases) {
    out += head + "alias " + alias + "\n";
    appendDocs(out, alias + ": ", library.docsOf(alias));
  }
}

}  // namespace

std::string libraryFactLines(const LibraryFacts& library) {
  std::vector<const SymbolFacts*> symbols;
  for (const SymbolFacts& s : library.symbols) symbols.push_back(&s);
  std::sort(symbols.begin(), symbols.end(), [](const SymbolFacts* a, const SymbolFacts* b) {
    return std::tie(a->name, a->occurrence) < std::tie(b->name, b->occurrence);
  });
  std::string out;
  for (const SymbolFacts* s : symbols) appendSymbol(out, library, *s);
  return out;
}

}  // namespace quiral
