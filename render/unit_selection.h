#pragma once

#include <string>
#include <vector>

#include "render/symbol_units.h"
#include "render/unit_choice.h"

namespace quiral {

// The window's choice of unit and body style for the component on show: what the unit chooser
// and the De Morgan switch offer and hold. A new component starts at unit A, body style 1.
class UnitSelection {
 public:
  // A new component: its units (with their display names, when it has some), unit A, style 1.
  void showComponent(const std::vector<std::string>& memo, std::vector<std::string> unitNames);
  // Back to unit A, style 1 for the same component.
  void reset() { choice_ = UnitChoice{}; }

  const UnitChoice& choice() const { return choice_; }
  int unitCount() const { return units_.count; }
  // The chooser has something to choose only for a symbol of several units.
  bool chooserEnabled() const { return units_.count > 1; }
  bool deMorganEnabled() const { return units_.hasDeMorgan; }
  // The chooser's entries, one per unit: "A", "B", ... or "A (name)".
  std::vector<std::string> unitLabels() const;

  // Each returns whether the choice changed. A unit outside 1..unitCount, or the De Morgan body
  // of a symbol without one, is not taken.
  bool chooseUnit(int unit);
  bool chooseDeMorgan(bool on);
  // Steps `delta` units from the one chosen, stopping at the first and the last.
  bool stepUnit(int delta);

 private:
  SymbolUnits units_;
  std::vector<std::string> names_;
  UnitChoice choice_;
};

}  // namespace quiral
