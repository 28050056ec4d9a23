#pragma once

#include <string>
#include <vector>

#include "review/symbol_facts.h"

namespace quiral {

// One difference in a reviewer's words: `what` names its kind ("pin moved", "field text", ...),
// `detail` says which item and how ("1 (VCC): (0, 150) -> (0, 200)").
struct Difference {
  std::string what;
  std::string detail;
  bool operator==(const Difference&) const = default;
};

// Coordinates, lengths and sizes that differ by at most `tolerance` units count as equal: a
// legacy library against a modern one differs by the rounding of millimetres to mils.
struct CompareRules {
  int tolerance = 0;
  // Items name their unit only in a symbol of more than one (set by compareSymbols).
  bool namesUnits = false;
};

// Every difference between two versions of a symbol and their documentation, in a fixed order:
// the symbol's options, its documentation and footprint filters, its fields, pins and drawn items.
std::vector<Difference> compareSymbols(const SymbolFacts& before, const DocFacts& docsBefore,
                                       const SymbolFacts& after, const DocFacts& docsAfter,
                                       const CompareRules& rules);

// What a symbol draws and declares without its name: equal for a symbol renamed and otherwise
// unchanged (the value field counts as unchanged when it follows the name).
std::string drawingFingerprint(const SymbolFacts& symbol);

// A unit's letters for a reviewer: "A", "B", ...; "all units" for 0.
std::string unitWords(int unit);

}  // namespace quiral
