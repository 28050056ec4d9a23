#pragma once

#include <string>
#include <vector>

#include "render/unit_choice.h"

namespace quiral {

// What a component block offers to choose from: its units and whether it has a De Morgan body.
struct SymbolUnits {
  int count = 1;  // the DEF line's unit count, within 1..kMaxUnits
  // Some record has body style 2: the block draws a De Morgan body.
  bool hasDeMorgan = false;
  // For each unit 1..count (index 0 for unit 1): whether some record belongs to that unit alone.
  std::vector<bool> unitHasOwnRecords;
  // For each unit 1..count: whether some record with unit 0 or that unit draws anything at all.
  bool unitHasRecords(int unit) const;
  bool anyCommonRecord = false;  // some record has unit 0
};

// Reads the block's DEF line and records (the memo of a component, DEF to ENDDEF).
SymbolUnits describeUnits(const std::vector<std::string>& memo);

// The record kind that a library line's first token names, when it is one with a unit and a body
// style (letter case ignored, as the line dispatcher does).
bool filteredRecordOf(std::string_view firstToken, FilteredRecord& record);

// The name a chooser shows for a unit: its letters, then its own name when it has one.
std::string unitLabel(int unit, const std::vector<std::string>& names);

}  // namespace quiral
