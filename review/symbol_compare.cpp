#include "review/symbol_compare.h"

#include <algorithm>
#include <cstdlib>

#include "render/unit_choice.h"
#include "review/compare_parts.h"

namespace quiral {

bool near(int a, int b, const CompareRules& rules) {
  return std::llabs(static_cast<long long>(a) - b) <= rules.tolerance;
}

std::string pointText(int x, int y) {
  return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::string change(const std::string& from, const std::string& to) {
  return from + " -> " + to;
}

std::string unitWords(int unit) {
  return unit == 0 ? "all units" : unitLetters(unit);
}

namespace {

std::string fieldLabel(const FieldFact& field) {
  static const char* const kNames[] = {"reference", "value", "footprint", "datasheet"};
  return field.index < 4 ? kNames[field.index] : quoted(field.name);
}

std::string justification(const FieldFact& f) {
  return std::string(1, f.hjust) + f.vjust;
}

std::string fontStyle(const FieldFact& f) {
  if (f.italic && f.bold) return "bold italic";
  return f.italic ? "italic" : f.bold ? "bold" : "normal";
}

void describeField(const FieldFact& a, const FieldFact& b, const CompareRules& rules,
                   std::vector<Difference>& out) {
  const std::string label = fieldLabel(a) + ": ";
  if (a.text != b.text)
    out.push_back({"field text", label + change(quoted(a.text), quoted(b.text))});
  if (!near(a.x, b.x, rules) || !near(a.y, b.y, rules))
    out.push_back({"field moved", label + change(pointText(a.x, a.y), pointText(b.x, b.y))});
  if (!near(a.size, b.size, rules))
    out.push_back({"field size", label + change(std::to_string(a.size), std::to_string(b.size))});
  if (a.orientation != b.orientation)
    out.push_back(
        {"field orientation", label + change(a.orientation == 'V' ? "vertical" : "horizontal",
                                             b.orientation == 'V' ? "vertical" : "horizontal")});
  if (justification(a) != justification(b))
    out.push_back({"field justification", label + change(justification(a), justification(b))});
  if (a.visible != b.visible)
    out.push_back({"field visibility", label + change(a.visible ? "visible" : "hidden",
                                                      b.visible ? "visible" : "hidden")});
  if (fontStyle(a) != fontStyle(b))
    out.push_back({"field style", label + change(fontStyle(a), fontStyle(b))});
}

void compareFlag(bool a, bool b, const char* what, const char* yes, const char* no,
                 std::vector<Difference>& out) {
  if (a != b) out.push_back({what, change(a ? yes : no, b ? yes : no)});
}

void compareText(const std::string& a, const std::string& b, const char* what,
                 std::vector<Difference>& out) {
  if (a != b) out.push_back({what, change(quoted(a), quoted(b))});
}

void compareLists(const std::vector<std::string>& a, const std::vector<std::string>& b,
                  const char* removed, const char* added, std::vector<Difference>& out) {
  for (const std::string& item : a)
    if (std::find(b.begin(), b.end(), item) == b.end()) out.push_back({removed, item});
  for (const std::string& item : b)
    if (std::find(a.begin(), a.end(), item) == a.end()) out.push_back({added, item});
}

std::string joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

}  // namespace

void compareFields(const std::vector<FieldFact>& before, const std::vector<FieldFact>& after,
                   const CompareRules& rules, std::vector<Difference>& out) {
  std::vector<size_t> leftA, leftB;
  for (size_t i = 0; i < before.size(); ++i) leftA.push_back(i);
  for (size_t k = 0; k < after.size(); ++k) leftB.push_back(k);
  const auto pairs =
      pairUp(before, after, leftA, leftB, [](const FieldFact& a, const FieldFact& b) {
        return std::min(a.index, 4) == std::min(b.index, 4) && a.name == b.name;
      });
  for (const auto& [i, k] : pairs) describeField(before[i], after[k], rules, out);
  for (size_t i : leftA)
    out.push_back({"field removed", fieldLabel(before[i]) + ": " + quoted(before[i].text)});
  for (size_t k : leftB)
    out.push_back({"field added", fieldLabel(after[k]) + ": " + quoted(after[k].text)});
}

std::vector<Difference> compareSymbols(const SymbolFacts& a, const DocFacts& docsA,
                                       const SymbolFacts& b, const DocFacts& docsB,
                                       const CompareRules& given) {
  std::vector<Difference> out;
  CompareRules rules = given;
  rules.namesUnits = a.unitCount > 1 || b.unitCount > 1;
  // The same block reads the same: only the documentation may differ.
  if (a.block == b.block && a.unitNames == b.unitNames) {
    compareText(docsA.description, docsB.description, "description", out);
    compareText(docsA.keywords, docsB.keywords, "keywords", out);
    compareText(docsA.datasheet, docsB.datasheet, "datasheet", out);
    return out;
  }
  if (a.unitCount != b.unitCount)
    out.push_back({"unit count", change(std::to_string(a.unitCount), std::to_string(b.unitCount))});
  compareFlag(a.deMorgan, b.deMorgan, "De Morgan body", "present", "absent", out);
  compareFlag(a.power, b.power, "power flag", "set", "not set", out);
  compareFlag(a.unitsLocked, b.unitsLocked, "units interchangeable", "no", "yes", out);
  if (!near(a.pinNameOffset, b.pinNameOffset, rules))
    out.push_back({"pin name offset",
                   change(std::to_string(a.pinNameOffset), std::to_string(b.pinNameOffset))});
  compareFlag(a.showPinNames, b.showPinNames, "pin names shown", "yes", "no", out);
  compareFlag(a.showPinNumbers, b.showPinNumbers, "pin numbers shown", "yes", "no", out);
  if (a.unitNames != b.unitNames)
    out.push_back({"unit names", change(joined(a.unitNames), joined(b.unitNames))});
  compareText(docsA.description, docsB.description, "description", out);
  compareText(docsA.keywords, docsB.keywords, "keywords", out);
  compareText(docsA.datasheet, docsB.datasheet, "datasheet", out);
  compareLists(a.footprintFilters, b.footprintFilters, "footprint filter removed",
               "footprint filter added", out);
  compareFields(a.fields, b.fields, rules, out);
  comparePins(a.pins, b.pins, rules, out);
  compareGraphics(a.graphics, b.graphics, rules, out);
  return out;
}

std::string drawingFingerprint(const SymbolFacts& s) {
  std::string print = std::to_string(s.unitCount) + (s.power ? "P" : "N") +
                      (s.unitsLocked ? "L" : "F") + (s.showPinNames ? "Y" : "N") +
                      (s.showPinNumbers ? "Y" : "N") + std::to_string(s.pinNameOffset) + "\n";
  for (const FieldFact& field : s.fields) {
    FieldFact shown = field;
    if (field.index == 1 && field.text == s.name) shown.text = "\x01name";
    print += fieldKey(shown) + "\n";
  }
  for (const PinFact& pin : s.pins) print += pinKey(pin) + "\n";
  for (const GraphicFact& item : s.graphics) print += graphicKey(item) + "\n";
  for (const std::string& filter : s.footprintFilters) print += filter + "\n";
  return print;
}

}  // namespace quiral
