#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kicad_sym/sexpr.h"
#include "kicad_sym/symbol_values.h"

namespace quiral {

// One property of a modern symbol, as a legacy field line needs it.
struct SymbolField {
  std::string name;
  std::string text;
  MilPoint at;
  bool vertical = false;
  TextStyle style;
  bool present = false;  // false: the symbol does not write this property

  bool samePlacement(const SymbolField& other) const {
    return at == other.at && vertical == other.vertical && style.size == other.style.size &&
           style.hidden == other.style.hidden && style.hjust == other.style.hjust &&
           style.vjust == other.style.vjust && style.italic == other.style.italic &&
           style.bold == other.style.bold;
  }
};

// Legacy records are written grouped by kind in this order, then by body style and unit, as
// legacy libraries hold them; the order decides what covers what in a drawing.
enum class RecordKind : uint8_t { Arc, Circle, Text, Rectangle, Polyline, Pin };

struct DrawRecord {
  RecordKind kind;
  int convert;
  int unit;
  std::string line;
};

enum MandatoryField { kReferenceField, kValueField, kFootprintField, kDatasheetField };

// A symbol of a modern library with everything the legacy block and documentation entry need.
struct ModernSymbol {
  std::string name;
  std::string extends;  // the parent of a derived symbol, empty otherwise
  uint32_t offset = 0;  // where the symbol starts in the text, for messages
  SymbolField fields[4];
  std::vector<SymbolField> userFields;
  std::optional<std::string> description;
  std::optional<std::string> keywords;
  std::optional<std::string> footprintFilters;  // space-separated patterns
  bool pinNumbersHidden = false;
  bool pinNamesHidden = false;
  int pinNameOffset = 20;
  bool power = false;
  bool locked = false;
  int unitCount = 1;
  // The drawing's record lines, each ending in a line feed, in legacy order.
  std::string drawing;
};

// Reads a (symbol "NAME" ...) list: properties, flags and every drawing item of its unit
// sub-symbols, translated to legacy records (sorted). `scratch` is working storage that callers
// may keep from one symbol to the next. Throws TranslationError for what cannot be translated.
ModernSymbol readModernSymbol(Sexpr symbol, std::vector<DrawRecord>& scratch);

// Appends the legacy records of one drawing item of a sub-symbol. Items of kinds that legacy
// libraries cannot hold (and that newer versions may add) are skipped.
void appendDrawRecords(Sexpr item, int unit, int convert, std::vector<DrawRecord>& out);
// Arcs and pins, which need more than a line of arithmetic.
void appendArcRecords(Sexpr arc, int unit, int convert, std::vector<DrawRecord>& out);
void appendPinRecord(Sexpr pin, int unit, int convert, std::vector<DrawRecord>& out);

// "unit convert width fill" as the graphic records end (fill is appended by the caller where the
// record puts more after it).
void appendUnitConvertWidth(std::string& line, int unit, int convert, Sexpr item);
// The legacy fill letter of an item's (fill (type ...)): N, F or f.
char fillLetter(Sexpr item);

}  // namespace quiral
