#pragma once

#include <string>
#include <vector>

namespace quiral {

// One pin of a block, as its X line states it, with its codes put in words.
struct PinRow {
  std::string number;
  std::string name;
  std::string type;         // electrical type in words ("input", "power input", ...)
  std::string shape;        // "line", "inverted", "clock", ...; "invisible" before a hidden one's
  std::string unit;         // "0" (every unit) or the unit's number, as written
  std::string style;        // body style: "0" (both), "1", "2" (De Morgan), as written
  std::string x, y;         // position in mils, as written
  std::string orientation;  // "right", "left", "up", "down"
  std::string length;       // in mils, as written
};

// The pins of a block in the order its lines give them, each X line read through the same line
// dispatcher the drawing uses.
std::vector<PinRow> pinTable(const std::vector<std::string>& block);

// The table's column titles, in the order the rows' fields are written.
const std::vector<std::string>& pinTableColumns();
// One row's fields in that order.
std::vector<std::string> pinRowFields(const PinRow& row);

// The codes of an X line in words; an unknown code is shown as written.
std::string pinTypeWords(const std::string& code);
std::string pinShapeWords(const std::string& code);
std::string pinOrientationWords(const std::string& code);

}  // namespace quiral
