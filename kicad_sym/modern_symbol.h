#pragma once

#include <array>
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

// What the legacy form cannot hold, or holds only changed, counted per symbol; each kind met is
// reported once for the symbol with its count.
enum class Loss : uint8_t {
  PinAlternates,
  PinTextsWithSpaces,
  LiteralTildes,
  ShownFieldNames,
  StrokeStyles,
  FontColours,
  FontThicknesses,
  FreePins,
  ExtraBodyStyles,
  UnitNames,
  SplitPolylineFills,
  UnknownItems,
  Count
};

struct LossTally {
  std::array<uint32_t, size_t(Loss::Count)> counts{};
  void add(Loss loss, uint32_t count = 1) { counts[size_t(loss)] += count; }
  uint32_t operator[](Loss loss) const { return counts[size_t(loss)]; }
};

// The records of a symbol's drawing as they are made, and what making them could not keep.
struct SymbolDrawing {
  std::vector<DrawRecord> records;
  LossTally losses;
  void push(RecordKind kind, int convert, int unit, std::string line) {
    records.push_back({kind, convert, unit, std::move(line)});
  }
};

enum MandatoryField { kReferenceField, kValueField, kFootprintField, kDatasheetField };

// A symbol of a modern library with everything the legacy block and documentation entry need.
struct ModernSymbol {
  std::string name;
  std::string extends;  // the parent of a derived symbol, empty otherwise
  // Where the symbol starts, for messages; set by the library translation where one may be due.
  uint32_t line = 0;
  uint32_t column = 0;
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
  // The units' display names (index 0 for unit 1), empty where a unit has none.
  std::vector<std::string> unitNames;
  // The drawing's record lines, each ending in a line feed, in legacy order.
  std::string drawing;
  LossTally losses;
};

// The child lists of a drawing item that the translators read, found in one pass over it.
struct ItemParts {
  explicit ItemParts(Sexpr item);
  // The part, or a TranslationError naming the item when it has none.
  Sexpr required(Sexpr part, std::string_view name) const;

  Sexpr item;
  Sexpr at, start, mid, end, center, radius, pts, stroke, fill, size, effects, length, name, number;
  // The child holding an item's text: 1, or 2 after KiCad 9's "private" keyword.
  size_t textPosition = 1;
  bool hidden = false;  // a bare "hide" word or (hide yes)
};

// Reads a (symbol "NAME" ...) list: properties, flags and every drawing item of its unit
// sub-symbols, translated to legacy records (sorted). `scratch` is working storage that callers
// may keep from one symbol to the next. Throws TranslationError for what cannot be translated.
ModernSymbol readModernSymbol(Sexpr symbol, SymbolDrawing& scratch);

// Appends the legacy records of one drawing item of a sub-symbol. Items of kinds that legacy
// libraries cannot hold (and that newer versions may add) are skipped.
void appendDrawRecords(Sexpr item, int unit, int convert, SymbolDrawing& out);
// Arcs and pins, which need more than a line of arithmetic.
void appendArcRecords(const ItemParts& arc, int unit, int convert, SymbolDrawing& out);
void appendPinRecord(const ItemParts& pin, int unit, int convert, SymbolDrawing& out);
// Counts what an item's stroke and texts carry that legacy records cannot.
void tallyStyleLosses(const ItemParts& item, LossTally& losses);
// Counts a font colour and stroke thickness in `owner`'s (effects (font ...)).
void tallyFontLosses(Sexpr owner, LossTally& losses);

// " unit convert width" as the graphic records hold them after their geometry.
void appendUnitConvertWidth(std::string& line, int unit, int convert, const ItemParts& item);
// The legacy fill letter of an item's (fill (type ...)): N, F or f.
char fillLetter(const ItemParts& item);

}  // namespace quiral
