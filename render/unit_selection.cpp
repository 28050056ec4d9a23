#include "render/unit_selection.h"

#include <algorithm>

namespace quiral {

void UnitSelection::showComponent(const std::vector<std::string>& memo,
                                  std::vector<std::string> unitNames) {
  units_ = describeUnits(memo);
  names_ = std::move(unitNames);
  choice_ = UnitChoice{};
}

std::vector<std::string> UnitSelection::unitLabels() const {
  std::vector<std::string> labels;
  labels.reserve(size_t(units_.count));
  for (int unit = 1; unit <= units_.count; ++unit) labels.push_back(unitLabel(unit, names_));
  return labels;
}

bool UnitSelection::chooseUnit(int unit) {
  if (unit < 1 || unit > units_.count || unit == choice_.unit) return false;
  choice_.unit = unit;
  return true;
}

bool UnitSelection::chooseDeMorgan(bool on) {
  const int style = on ? 2 : 1;
  if ((on && !units_.hasDeMorgan) || style == choice_.style) return false;
  choice_.style = style;
  return true;
}

bool UnitSelection::stepUnit(int delta) {
  // Widened first, so no delta can overflow the sum.
  const int64_t wanted = std::clamp<int64_t>(int64_t(choice_.unit) + delta, 1, units_.count);
  return chooseUnit(int(wanted));
}

}  // namespace quiral
