#include "tools/cli_units.h"

#include "platform/error.h"
#include "tools/cli_registry.h"

namespace quiral::cli {

int parseUnitOption(const std::string& text, const char* option, int most) {
  const int value = plainNumber(text);
  if (value < 1 || value > most)
    throw UsageError(std::string(option) + " must be a whole number from 1 to " +
                     std::to_string(most));
  return value;
}

void refuseMissingChoice(const UnitChoice& choice, const SymbolUnits& units,
                         const std::string& componentName) {
  if (choice.unit > units.count)
    throw QuiralError(componentName + " has " + std::to_string(units.count) +
                      (units.count == 1 ? " unit" : " units") + ", not " +
                      std::to_string(choice.unit));
  if (choice.style == 2 && !units.hasDeMorgan)
    throw QuiralError(componentName + " has no De Morgan body style");
}

std::vector<UnitChoice> everyChoice(const SymbolUnits& units) {
  std::vector<UnitChoice> choices;
  for (int unit = 1; unit <= units.count; ++unit) {
    choices.push_back({unit, 1});
    if (units.hasDeMorgan) choices.push_back({unit, 2});
  }
  return choices;
}

std::string choiceFileSuffix(const UnitChoice& choice) {
  return "-" + unitLetters(choice.unit) + (choice.style == 2 ? "-dm" : "");
}

std::string unitInfoMembers(const SymbolUnits& units, const std::vector<std::string>& names,
                            std::string (*jsonString)(std::string_view)) {
  std::string json = "\"unit_count\": " + std::to_string(units.count) +
                     ", \"de_morgan\": " + (units.hasDeMorgan ? "true" : "false") +
                     ", \"unit_names\": [";
  for (int unit = 1; unit <= units.count; ++unit) {
    if (unit > 1) json += ", ";
    json += jsonString(unitLabel(unit, names));
  }
  return json + "]";
}

}  // namespace quiral::cli
