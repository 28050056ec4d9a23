#pragma once

#include <map>
#include <string>
#include <vector>

namespace quiral {

// What a reviewer compares of one symbol, read from its block's records. Numbers are library
// units (mils) as values, never as the text they were written with; lists are kept in one
// canonical order (see normaliseSymbol), so the order of a block's records does not matter.

struct PinFact {
  std::string number;
  std::string name;
  int x = 0;
  int y = 0;
  int length = 0;
  char orientation = 'R';  // R, L, U, D: from the connection point towards the body
  int numberSize = 0;
  int nameSize = 0;
  int unit = 0;   // 0: every unit
  int style = 0;  // 0: both body styles, 1 normal, 2 De Morgan
  char type = 'U';
  std::string shape;  // empty for a plain line; N (hidden), I, C, CI, L, ...
};

struct FieldFact {
  int index = 0;     // F0 reference, F1 value, F2 footprint, F3 datasheet, F4... user fields
  std::string name;  // a user field's own name; empty for the first four
  std::string text;
  int x = 0;
  int y = 0;
  int size = 0;
  char orientation = 'H';
  bool visible = true;
  char hjust = 'C';
  char vjust = 'C';
  bool italic = false;
  bool bold = false;
};

enum class GraphicKind { Rectangle, Circle, Arc, Polyline, Text };

// A drawn item. `points` holds its geometry in a canonical form: rectangle corners as
// (min, max); circle centre and radius; arc centre, radius and its two end points in sorted
// order; polyline points in the direction whose first point is the smaller; text position.
struct GraphicFact {
  GraphicKind kind = GraphicKind::Polyline;
  int unit = 0;
  int style = 0;
  int width = 0;
  char fill = 'N';
  std::vector<int> points;
  // Text items only: the text and how it is drawn, in one canonical spelling.
  std::string text;
  std::string textStyle;
};

struct SymbolFacts {
  std::string name;
  int occurrence = 0;  // 0 for the first block of this name in its library, 1 for the next ...
  int pinNameOffset = 0;
  bool showPinNumbers = true;
  bool showPinNames = true;
  int unitCount = 1;
  bool unitsLocked = false;
  bool power = false;
  bool deMorgan = false;  // some record belongs to body style 2
  std::vector<FieldFact> fields;
  std::vector<PinFact> pins;
  std::vector<GraphicFact> graphics;
  std::vector<std::string> aliases;
  std::vector<std::string> footprintFilters;
  std::vector<std::string> unitNames;  // a modern library's own unit names
  std::string block;                   // the block's lines, each ending in a line feed
  int line = 0;                        // where the block starts in its file (1-based)
  bool parsed = false;                 // the records of the block have been read into the facts
};

// What a documentation entry says of a name (a symbol or an alias).
struct DocFacts {
  std::string description;
  std::string keywords;
  std::string datasheet;
  bool operator==(const DocFacts&) const = default;
};

enum class LibraryFormat { Legacy, Modern };

struct LibraryFacts {
  std::string path;
  LibraryFormat format = LibraryFormat::Legacy;
  std::vector<SymbolFacts> symbols;  // in file order
  std::map<std::string, DocFacts> docs;
  // A modern library holds its documentation; a legacy one has it only when a documentation
  // file lies beside it.
  bool hasDocumentation = true;
  const DocFacts& docsOf(const std::string& name) const;
};

// Sorts pins, fields, graphics, aliases and footprint filters into their canonical order.
void normaliseSymbol(SymbolFacts& symbol);

// The canonical order of pins and drawn items (unit and body style first, so a symbol reads unit
// by unit), and their equality.
bool operator<(const PinFact& a, const PinFact& b);
bool operator==(const PinFact& a, const PinFact& b);
bool operator<(const GraphicFact& a, const GraphicFact& b);
bool operator==(const GraphicFact& a, const GraphicFact& b);

// One canonical text of a fact, used for ordering, exact matching and the `text` command.
std::string pinKey(const PinFact& pin);
std::string fieldKey(const FieldFact& field);
std::string graphicKey(const GraphicFact& item);

const char* graphicKindName(GraphicKind kind);

}  // namespace quiral
