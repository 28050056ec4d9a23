#include "kicad_sym/legacy_writer.h"

#include "kicad_sym/legacy_text.h"

namespace quiral {

namespace {

// Fields a symbol does not write still get their line, as every legacy block has F0 to F3.
SymbolField withDefaults(const SymbolField& field, int index, const ModernSymbol& symbol) {
  if (field.present) return field;
  SymbolField made = field;
  if (index == kValueField) made.text = symbol.name;
  made.style.hidden = index >= kFootprintField;
  return made;
}

void appendFieldLine(std::string& out, int index, const SymbolField& field) {
  out += 'F';
  appendInt(out, index);
  out += ' ';
  // A datasheet of "~" means none; legacy blocks leave the text empty instead.
  const bool noDatasheet = index == kDatasheetField && field.text == "~";
  out += quotedFieldText(noDatasheet ? std::string() : legacyOverbars(field.text));
  appendField(out, field.at.x);
  appendField(out, field.at.y);
  appendField(out, field.style.size);
  out += field.vertical ? " V " : " H ";
  out += field.style.hidden ? "I " : "V ";
  out += field.style.hjust;
  out += ' ';
  out += field.style.vjust;
  out += field.style.italic ? 'I' : 'N';
  out += field.style.bold ? 'B' : 'N';
  if (index >= 4) {
    out += ' ';
    out += quotedFieldText(field.name);
  }
  out += '\n';
}

void appendDefLine(std::string& out, const ModernSymbol& symbol) {
  const SymbolField& value = symbol.fields[kValueField];
  out += "DEF ";
  // A hidden value is marked by a tilde before the name.
  if (value.present && value.style.hidden) out += '~';
  out += legacyWord(symbol.name);
  out += ' ';
  out += legacyWord(symbol.fields[kReferenceField].text);
  out += " 0";
  appendField(out, symbol.pinNameOffset);
  out += symbol.pinNumbersHidden ? " N" : " Y";
  out += symbol.pinNamesHidden ? " N" : " Y";
  appendField(out, symbol.unitCount);
  out += symbol.locked ? " L" : " F";
  out += symbol.power ? " P\n" : " N\n";
}

void appendFootprintFilters(std::string& out, std::string_view filters) {
  bool any = false;
  size_t pos = 0;
  while (pos < filters.size()) {
    const size_t start = filters.find_first_not_of(" \t\r\n", pos);
    if (start == std::string_view::npos) break;
    size_t end = filters.find_first_of(" \t\r\n", start);
    if (end == std::string_view::npos) end = filters.size();
    if (!any) out += "$FPLIST\n";
    any = true;
    out += ' ';
    out += filters.substr(start, end - start);
    out += '\n';
    pos = end;
  }
  if (any) out += "$ENDFPLIST\n";
}

// Documentation texts are one line each.
void appendDocLine(std::string& out, char letter, std::string_view text) {
  if (text.empty()) return;
  out += letter;
  out += ' ';
  for (char c : text) out += (c == '\n' || c == '\r' || c == 26) ? ' ' : c;
  out += '\n';
}

}  // namespace

void beginLegacyLibrary(std::string& out) {
  out += "EESchema-LIBRARY Version 2.4\n#encoding utf-8\n";
}

void endLegacyLibrary(std::string& out) {
  out += "#\n#End Library\n";
}

void appendLegacyBlock(std::string& out, const ModernSymbol& symbol,
                       const std::vector<std::string>& aliases) {
  out += "#\n# ";
  out += legacyWord(symbol.name);
  out += "\n#\n";
  appendDefLine(out, symbol);
  for (int i = 0; i < 4; ++i) appendFieldLine(out, i, withDefaults(symbol.fields[i], i, symbol));
  for (size_t i = 0; i < symbol.userFields.size(); ++i)
    appendFieldLine(out, int(4 + i), symbol.userFields[i]);
  if (!aliases.empty()) {
    out += "ALIAS";
    for (const std::string& alias : aliases) {
      out += ' ';
      out += alias;
    }
    out += '\n';
  }
  if (symbol.footprintFilters) appendFootprintFilters(out, *symbol.footprintFilters);
  out += "DRAW\n";
  out += symbol.drawing;
  out += "ENDDRAW\nENDDEF\n";
}

void beginDocumentation(std::string& out) {
  out += "EESchema-DOCLIB  Version 2.0\n";
}

void endDocumentation(std::string& out) {
  out += "#\n#End Doc Library\n";
}

void appendDocumentationEntry(std::string& out, std::string_view name, std::string_view description,
                              std::string_view keywords, std::string_view datasheet) {
  out += "#\n$CMP ";
  out += name;
  out += '\n';
  appendDocLine(out, 'D', description);
  appendDocLine(out, 'K', keywords);
  appendDocLine(out, 'F', datasheet);
  out += "$ENDCMP\n";
}

}  // namespace quiral
