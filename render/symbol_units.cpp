#include "render/symbol_units.h"

#include "library/text_words.h"
#include "library/token_table.h"

namespace quiral {

bool SymbolUnits::unitHasRecords(int unit) const {
  if (anyCommonRecord) return true;
  return unit >= 1 && size_t(unit) <= unitHasOwnRecords.size() &&
         unitHasOwnRecords[size_t(unit - 1)];
}

bool filteredRecordOf(std::string_view firstToken, FilteredRecord& record) {
  if (firstToken.size() != 1) return false;
  switch (firstToken[0]) {
    case 'S':
    case 's':
      record = FilteredRecord::Rectangle;
      return true;
    case 'P':
    case 'p':
      record = FilteredRecord::Polyline;
      return true;
    case 'C':
    case 'c':
      record = FilteredRecord::Circle;
      return true;
    case 'A':
    case 'a':
      record = FilteredRecord::Arc;
      return true;
    case 'T':
    case 't':
      record = FilteredRecord::Text;
      return true;
    case 'X':
    case 'x':
      record = FilteredRecord::Pin;
      return true;
    default:
      return false;
  }
}

SymbolUnits describeUnits(const std::vector<std::string>& memo) {
  SymbolUnits units;
  units.unitHasOwnRecords.assign(1, false);
  TokenTable tokens;
  for (const std::string& line : memo) {
    if (line.empty()) continue;
    TokenizeLine(tokens, line);
    const std::string& first = tokens.text(1);
    // Keywords in any letter case, as the line dispatcher reads them.
    if (first.size() == 3 && toUpperAscii(first) == "DEF") {
      units.count = boundedUnitCount(tokens.text(8));
      units.unitHasOwnRecords.assign(size_t(units.count), false);
      continue;
    }
    FilteredRecord record;
    if (!filteredRecordOf(first, record)) continue;
    const FilterPositions at = filterPositionsOf(record);
    if (tokens.text(at.style) == "2") units.hasDeMorgan = true;
    const std::string& unit = tokens.text(at.unit);
    if (unit == "0") {
      units.anyCommonRecord = true;
      continue;
    }
    // Records of units the DEF line does not count cannot be chosen and are left out.
    const int u = plainNumber(unit);
    if (u >= 1 && u <= units.count) units.unitHasOwnRecords[size_t(u - 1)] = true;
  }
  return units;
}

std::string unitLabel(int unit, const std::vector<std::string>& names) {
  std::string label = unitLetters(unit);
  if (unit >= 1 && size_t(unit) <= names.size() && !names[size_t(unit - 1)].empty())
    label += " (" + names[size_t(unit - 1)] + ")";
  return label;
}

}  // namespace quiral
