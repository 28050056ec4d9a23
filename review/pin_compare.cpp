// Pins: matched by number within their unit and body style, then by number alone (a pin moved
// to another unit), then by place (a pin renumbered); the rest were added or removed.

#include "review/compare_parts.h"

namespace quiral {

namespace {

const char* orientationWord(char o) {
  switch (o) {
    case 'R':
      return "right";
    case 'L':
      return "left";
    case 'U':
      return "up";
    case 'D':
      return "down";
  }
  return "?";
}

const char* typeWord(char t) {
  switch (t) {
    case 'I':
      return "input";
    case 'O':
      return "output";
    case 'B':
      return "bidirectional";
    case 'T':
      return "tri-state";
    case 'P':
      return "passive";
    case 'U':
      return "unspecified";
    case 'W':
      return "power input";
    case 'w':
      return "power output";
    case 'C':
      return "open collector";
    case 'E':
      return "open emitter";
    case 'N':
      return "not connected";
  }
  return "other";
}

// The shape letters without the visibility flag N, which is reported on its own.
std::string shapeOf(const PinFact& pin) {
  std::string shape;
  for (char c : pin.shape)
    if (c != 'N') shape += c;
  return shape;
}

bool hidden(const PinFact& pin) {
  return pin.shape.find('N') != std::string::npos;
}

std::string shapeWord(const std::string& shape) {
  if (shape.empty()) return "line";
  if (shape == "I") return "inverted";
  if (shape == "C") return "clock";
  if (shape == "CI" || shape == "IC") return "inverted clock";
  if (shape == "L") return "input low";
  if (shape == "CL" || shape == "LC") return "clock low";
  if (shape == "V") return "output low";
  if (shape == "F") return "falling edge clock";
  if (shape == "X") return "non-logic";
  return shape;
}

std::string styleWord(int style) {
  return style == 0 ? "both body styles" : style == 2 ? "De Morgan body" : "normal body";
}

std::string pinLabel(const PinFact& pin, const CompareRules& rules) {
  std::string label = pin.number;
  if (pin.name != "~" && !pin.name.empty()) label += " (" + pin.name + ")";
  if (pin.unit != 0 && rules.namesUnits) label += " of unit " + unitWords(pin.unit);
  if (pin.style == 2) label += ", De Morgan body";
  return label;
}

// Appends differences about pins, each naming its pin.
struct PinDifferences {
  const CompareRules& rules;
  std::vector<Difference>& out;
  void operator()(const char* what, const PinFact& pin, const std::string& detail) {
    out.push_back({what, pinLabel(pin, rules) + ": " + detail});
  }
};

void describePinChanges(const PinFact& a, const PinFact& b, const CompareRules& rules,
                        std::vector<Difference>& out) {
  PinDifferences add{rules, out};
  if (a.number != b.number) add("pin renumbered", a, change(a.number, b.number));
  if (a.name != b.name) add("pin renamed", a, change(quoted(a.name), quoted(b.name)));
  if (!near(a.x, b.x, rules) || !near(a.y, b.y, rules))
    add("pin moved", a, change(pointText(a.x, a.y), pointText(b.x, b.y)));
  if (!near(a.length, b.length, rules))
    add("pin length", a, change(std::to_string(a.length), std::to_string(b.length)));
  if (a.orientation != b.orientation)
    add("pin orientation", a,
        change(orientationWord(a.orientation), orientationWord(b.orientation)));
  if (a.type != b.type) add("pin type", a, change(typeWord(a.type), typeWord(b.type)));
  if (shapeOf(a) != shapeOf(b))
    add("pin shape", a, change(shapeWord(shapeOf(a)), shapeWord(shapeOf(b))));
  if (hidden(a) != hidden(b))
    add("pin visibility", a,
        change(hidden(a) ? "hidden" : "visible", hidden(b) ? "hidden" : "visible"));
  if (a.unit != b.unit) add("pin unit", a, change(unitWords(a.unit), unitWords(b.unit)));
  if (a.style != b.style) add("pin body style", a, change(styleWord(a.style), styleWord(b.style)));
  if (!near(a.nameSize, b.nameSize, rules))
    add("pin name size", a, change(std::to_string(a.nameSize), std::to_string(b.nameSize)));
  if (!near(a.numberSize, b.numberSize, rules))
    add("pin number size", a, change(std::to_string(a.numberSize), std::to_string(b.numberSize)));
}

}  // namespace

void comparePins(const std::vector<PinFact>& before, const std::vector<PinFact>& after,
                 const CompareRules& rules, std::vector<Difference>& out) {
  std::vector<size_t> leftA, leftB;
  dropEqual(before, after, leftA, leftB);
  if (leftA.empty() && leftB.empty()) return;
  std::vector<std::pair<size_t, size_t>> pairs;
  auto pass = [&](auto match) {
    auto found = pairUp(before, after, leftA, leftB, match);
    pairs.insert(pairs.end(), found.begin(), found.end());
  };
  pass([](const PinFact& a, const PinFact& b) {
    return a.number == b.number && a.unit == b.unit && a.style == b.style;
  });
  pass([](const PinFact& a, const PinFact& b) { return a.number == b.number; });
  pass([&](const PinFact& a, const PinFact& b) {
    return a.unit == b.unit && a.style == b.style && near(a.x, b.x, rules) && near(a.y, b.y, rules);
  });
  for (const auto& [i, k] : pairs) describePinChanges(before[i], after[k], rules, out);
  PinDifferences add{rules, out};
  for (size_t i : leftA)
    add("pin removed", before[i], std::string("at ") + pointText(before[i].x, before[i].y));
  for (size_t k : leftB)
    add("pin added", after[k], std::string("at ") + pointText(after[k].x, after[k].y));
}

}  // namespace quiral
