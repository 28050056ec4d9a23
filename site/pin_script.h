#pragma once

#include <map>
#include <string>
#include <vector>

#include "library/pin_table.h"

namespace quiral {

// One library's pin tables as a small script, loaded by the page only when a details panel opens
// (a page holding every table in its markup would be several times larger). The script calls
// `quiralPins(kinds, tables)`: `kinds` lists the library's distinct [type, shape, unit, body style]
// texts once; `tables` maps "#" and a symbol's anchor to its pins, six values a pin: number, name,
// kind (an index into `kinds`), x, y and length. Plain integers are written as numbers, every other
// value as a string.
class PinScript {
 public:
  void add(const std::string& anchor, const std::vector<PinRow>& pins);
  bool empty() const { return tables_.empty(); }
  std::string script() const;

 private:
  size_t kindIndex(const PinRow& pin);

  std::vector<std::string> kinds_;  // each a script array
  std::map<std::string, size_t> kindIndexes_;
  std::string tables_;
};

// How a pin's unit and body style read in its table: "all", the unit's letters, "both", "normal",
// "De Morgan"; anything else as written.
std::string pinUnitWords(const std::string& unit);
std::string pinStyleWords(const std::string& style);

}  // namespace quiral
