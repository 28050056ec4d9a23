#pragma once

#include <string>
#include <vector>

#include "render/symbol_units.h"
#include "render/unit_choice.h"

namespace quiral::cli {

// A --unit or --style value: a whole number from 1 to `most`; UsageError otherwise.
int parseUnitOption(const std::string& text, const char* option, int most);

// Throws QuiralError when the component has no such unit or body style.
void refuseMissingChoice(const UnitChoice& choice, const SymbolUnits& units,
                         const std::string& componentName);

// Every unit of the component with its normal body, each followed by its De Morgan body when the
// component has one.
std::vector<UnitChoice> everyChoice(const SymbolUnits& units);

// What --all-units puts after an entry's name: "-A", "-B-dm", "-AA", ...
std::string choiceFileSuffix(const UnitChoice& choice);

// The --info facts about units: "unit_count", "de_morgan" and "unit_names" as JSON members
// (without braces), each name shown as its letters and, when it has one, its display name.
std::string unitInfoMembers(const SymbolUnits& units, const std::vector<std::string>& names,
                            std::string (*jsonString)(std::string_view));

}  // namespace quiral::cli
