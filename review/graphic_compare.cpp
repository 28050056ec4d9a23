// Drawn items: an item equal on both sides (within the tolerance) is unchanged; an item of the
// same kind at the same place, or a text with the same words, is changed; the rest were added or
// removed.

#include "review/compare_parts.h"

namespace quiral {

namespace {

bool nearPoints(const std::vector<int>& a, const std::vector<int>& b, const CompareRules& rules) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!near(a[i], b[i], rules)) return false;
  return true;
}

bool sameLayer(const GraphicFact& a, const GraphicFact& b) {
  return a.kind == b.kind && a.unit == b.unit && a.style == b.style;
}

bool samePlace(const GraphicFact& a, const GraphicFact& b, const CompareRules& rules) {
  return sameLayer(a, b) && a.points.size() >= 2 && b.points.size() >= 2 &&
         near(a.points[0], b.points[0], rules) && near(a.points[1], b.points[1], rules);
}

// An arc whose ends stay where they were is the same arc bent otherwise.
bool sameEnds(const GraphicFact& a, const GraphicFact& b, const CompareRules& rules) {
  if (!sameLayer(a, b) || a.kind != GraphicKind::Arc || a.points.size() != 7 ||
      b.points.size() != 7)
    return false;
  for (size_t i = 3; i < 7; ++i)
    if (!near(a.points[i], b.points[i], rules)) return false;
  return true;
}

bool equalWithin(const GraphicFact& a, const GraphicFact& b, const CompareRules& rules) {
  return sameLayer(a, b) && a.fill == b.fill && a.text == b.text && a.textStyle == b.textStyle &&
         near(a.width, b.width, rules) && nearPoints(a.points, b.points, rules);
}

std::string itemLabel(const GraphicFact& item, const CompareRules& rules) {
  std::string label = graphicKindName(item.kind);
  const std::vector<int>& p = item.points;
  switch (item.kind) {
    case GraphicKind::Rectangle:
      if (p.size() == 4) label += " " + pointText(p[0], p[1]) + "-" + pointText(p[2], p[3]);
      break;
    case GraphicKind::Circle:
    case GraphicKind::Arc:
      if (p.size() >= 3)
        label += " at " + pointText(p[0], p[1]) + " radius " + std::to_string(p[2]);
      break;
    case GraphicKind::Polyline:
      label += " of " + std::to_string(p.size() / 2) + " points";
      if (p.size() >= 2) label += " from " + pointText(p[0], p[1]);
      break;
    case GraphicKind::Text:
      label += " " + quoted(item.text);
      if (p.size() >= 2) label += " at " + pointText(p[0], p[1]);
      break;
  }
  if (item.unit != 0 && rules.namesUnits) label += " of unit " + unitWords(item.unit);
  if (item.style == 2) label += ", De Morgan body";
  return label;
}

std::string pointsText(const std::vector<int>& p) {
  std::string text;
  for (size_t i = 0; i + 1 < p.size(); i += 2) text += (i ? " " : "") + pointText(p[i], p[i + 1]);
  return text;
}

void describeChange(const GraphicFact& a, const GraphicFact& b, const CompareRules& rules,
                    std::vector<Difference>& out) {
  const std::string label = itemLabel(a, rules) + ": ";
  if (!nearPoints(a.points, b.points, rules)) {
    if (a.kind == GraphicKind::Text)
      out.push_back({"text moved", label + change(pointsText(a.points), pointsText(b.points))});
    else
      out.push_back(
          {"graphic reshaped", label + change(pointsText(a.points), pointsText(b.points))});
  }
  if (!near(a.width, b.width, rules))
    out.push_back(
        {"graphic line width", label + change(std::to_string(a.width), std::to_string(b.width))});
  if (a.fill != b.fill)
    out.push_back({"graphic fill", label + change(std::string(1, a.fill), std::string(1, b.fill))});
  if (a.text != b.text)
    out.push_back({"text changed", label + change(quoted(a.text), quoted(b.text))});
  if (a.textStyle != b.textStyle)
    out.push_back({"text style", label + change(a.textStyle, b.textStyle)});
}

}  // namespace

void compareGraphics(const std::vector<GraphicFact>& before, const std::vector<GraphicFact>& after,
                     const CompareRules& rules, std::vector<Difference>& out) {
  std::vector<size_t> leftA, leftB;
  dropEqual(before, after, leftA, leftB);
  if (leftA.empty() && leftB.empty()) return;
  pairUp(before, after, leftA, leftB,
         [&](const GraphicFact& a, const GraphicFact& b) { return equalWithin(a, b, rules); });
  auto pairs = pairUp(before, after, leftA, leftB, [&](const GraphicFact& a, const GraphicFact& b) {
    return samePlace(a, b, rules);
  });
  auto arcs = pairUp(before, after, leftA, leftB, [&](const GraphicFact& a, const GraphicFact& b) {
    return sameEnds(a, b, rules);
  });
  pairs.insert(pairs.end(), arcs.begin(), arcs.end());
  auto texts = pairUp(before, after, leftA, leftB, [](const GraphicFact& a, const GraphicFact& b) {
    return sameLayer(a, b) && a.kind == GraphicKind::Text && a.text == b.text;
  });
  pairs.insert(pairs.end(), texts.begin(), texts.end());
  for (const auto& [i, k] : pairs) describeChange(before[i], after[k], rules, out);
  for (size_t i : leftA) out.push_back({"graphic removed", itemLabel(before[i], rules)});
  for (size_t k : leftB) out.push_back({"graphic added", itemLabel(after[k], rules)});
}

}  // namespace quiral
