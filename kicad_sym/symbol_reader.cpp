// The symbol as a whole: its properties and flags, and the unit sub-symbols whose items become
// legacy records.

#include <algorithm>
#include <charconv>

#include "kicad_sym/legacy_text.h"
#include "kicad_sym/modern_symbol.h"

namespace quiral {

namespace {

constexpr int kMaxUnits = 9999;

const char* const kMandatoryNames[] = {"Reference", "Value", "Footprint", "Datasheet"};

SymbolField readField(Sexpr property) {
  SymbolField field;
  const size_t position = textPositionOf(property);
  field.name = property.at(position).text();
  field.text = property.at(position + 1).text();
  field.present = true;
  const Sexpr at = property.find("at");
  if (at.valid()) {
    field.at = pointOf(at);
    field.vertical = orientationLetter(numberOr(at, 3, 0)) == 'U' ||
                     orientationLetter(numberOr(at, 3, 0)) == 'D';
  }
  field.style = textStyleOf(property);
  return field;
}

// Properties that describe the symbol rather than being fields of it.
bool readDescriptiveProperty(ModernSymbol& symbol, const SymbolField& field) {
  if (field.name == "Description") {
    symbol.description = field.text;
  } else if (field.name == "ki_description") {
    if (!symbol.description) symbol.description = field.text;
  } else if (field.name == "ki_keywords") {
    symbol.keywords = field.text;
  } else if (field.name == "ki_fp_filters") {
    symbol.footprintFilters = field.text;
  } else if (field.name == "ki_locked") {
    symbol.locked = true;
  } else if (field.name.rfind("ki_", 0) != 0) {
    return false;
  }
  return true;
}

// What a shown field's line cannot hold: its name drawn beside its text, its font's colour and
// stroke thickness, tildes that are tildes.
void tallyFieldLosses(const SymbolField& field, Sexpr property, LossTally& losses) {
  if (field.style.hidden) return;
  if (flagOf(property, "show_name")) losses.add(Loss::ShownFieldNames);
  tallyFontLosses(property, losses);
  losses.add(Loss::LiteralTildes, uint32_t(countLiteralTildes(field.text)));
}

void readProperty(ModernSymbol& symbol, Sexpr property, LossTally& losses) {
  SymbolField field = readField(property);
  tallyFieldLosses(field, property, losses);
  for (int i = 0; i < 4; ++i) {
    if (field.name == kMandatoryNames[i]) {
      symbol.fields[i] = std::move(field);
      return;
    }
  }
  if (!readDescriptiveProperty(symbol, field)) symbol.userFields.push_back(std::move(field));
}

bool parseSmallInt(std::string_view text, int& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() && value >= 0 &&
         value <= kMaxUnits;
}

// A sub-symbol is named PARENT_UNIT_STYLE; the parent's own name may end in digits and
// underscores too, so the two numbers are taken from the end.
void unitAndStyleOf(Sexpr sub, int& unit, int& convert) {
  const std::string_view name = sub.at(1).text();
  const size_t second = name.rfind('_');
  const size_t first = second == std::string_view::npos || second == 0
                           ? std::string_view::npos
                           : name.rfind('_', second - 1);
  if (first == std::string_view::npos ||
      !parseSmallInt(name.substr(first + 1, second - first - 1), unit) ||
      !parseSmallInt(name.substr(second + 1), convert)) {
    throw TranslationError(
        sub, "the unit symbol \"" + std::string(name) + "\" does not end in _UNIT_STYLE");
  }
}

void readSubSymbol(ModernSymbol& symbol, Sexpr sub, SymbolDrawing& records) {
  int unit = 0, convert = 0;
  unitAndStyleOf(sub, unit, convert);
  symbol.unitCount = std::max(symbol.unitCount, unit);
  for (Sexpr item = sub.first().next(); item.valid(); item = item.next()) {
    if (!item.isList()) continue;
    // The unit's display name is kept beside the records, which have no place for it.
    if (item.head() == "unit_name" && unit >= 1 && item.at(1).isAtom()) {
      if (symbol.unitNames.size() < size_t(unit)) symbol.unitNames.resize(size_t(unit));
      symbol.unitNames[size_t(unit - 1)] = item.at(1).text();
    }
    appendDrawRecords(item, unit, convert, records);
  }
}

void readFlags(ModernSymbol& symbol, Sexpr node) {
  symbol.pinNumbersHidden = flagOf(node.find("pin_numbers"), "hide");
  const Sexpr pinNames = node.find("pin_names");
  symbol.pinNamesHidden = flagOf(pinNames, "hide");
  const Sexpr offset = pinNames.find("offset");
  if (offset.valid()) symbol.pinNameOffset = milsAt(offset, 1);
  symbol.power = node.find("power").valid();
}

}  // namespace

ModernSymbol readModernSymbol(Sexpr node, SymbolDrawing& drawing) {
  drawing.records.clear();
  drawing.losses = {};
  std::vector<DrawRecord>& records = drawing.records;
  ModernSymbol symbol;
  symbol.name = node.at(1).text();
  if (!node.at(1).isAtom() || symbol.name.empty())
    throw TranslationError(node, "a symbol without a name");
  for (int i = 0; i < 4; ++i) symbol.fields[i].name = kMandatoryNames[i];
  readFlags(symbol, node);
  for (Sexpr child = node.at(2); child.valid(); child = child.next()) {
    const std::string_view head = child.head();
    if (head == "property") {
      readProperty(symbol, child, drawing.losses);
    } else if (head == "extends") {
      symbol.extends = child.at(1).text();
    } else if (head == "symbol") {
      readSubSymbol(symbol, child, drawing);
    }
  }
  std::stable_sort(records.begin(), records.end(), [](const DrawRecord& a, const DrawRecord& b) {
    if (a.kind != b.kind) return a.kind < b.kind;
    if (a.convert != b.convert) return a.convert < b.convert;
    return a.unit < b.unit;
  });
  size_t bytes = 0;
  for (const DrawRecord& record : records) bytes += record.line.size() + 1;
  symbol.drawing.reserve(bytes);
  for (const DrawRecord& record : records) {
    symbol.drawing += record.line;
    symbol.drawing += '\n';
  }
  symbol.losses = drawing.losses;
  return symbol;
}

}  // namespace quiral
