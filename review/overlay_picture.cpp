#include "review/overlay_picture.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "render/symbol_units.h"
#include "vector/symbol_recorder.h"

namespace quiral {

namespace {

void appendRounded(std::string& key, double v) {
  key += ' ';
  key += std::to_string(std::lround(v * 10));
}

// What an item draws, whatever its colour: equal keys draw the same.
std::string itemKey(const DisplayList& list, const DisplayItem& item) {
  std::string key(1, char('0' + int(item.kind)));
  key += item.closed ? 'c' : 'o';
  key += item.fill == FillKind::Background ? 'b' : 'n';
  if (item.kind == ItemKind::Polyline) {
    for (uint32_t i = 0; i < item.count; ++i) {
      appendRounded(key, list.points()[item.first + i].x);
      appendRounded(key, list.points()[item.first + i].y);
    }
  } else if (item.kind == ItemKind::Text) {
    const DisplayText& t = list.texts()[item.text];
    key += t.utf8;
    appendRounded(key, t.origin.x);
    appendRounded(key, t.origin.y);
    appendRounded(key, t.size);
    key += ' ' + std::to_string(t.angle);
  } else {
    for (double v : item.v) appendRounded(key, v);
  }
  return key;
}

// Copies one item of `from` into `to` in `color`.
void copyItem(const DisplayList& from, const DisplayItem& item, Color color, DisplayList& to) {
  switch (item.kind) {
    case ItemKind::Polyline: {
      std::vector<Vec2> points(from.points().begin() + item.first,
                               from.points().begin() + item.first + item.count);
      to.addPolyline(points, item.closed, color);
      break;
    }
    case ItemKind::Rectangle:
      to.addRectangle({item.v[0], item.v[1]}, {item.v[2], item.v[3]}, item.fill, color);
      break;
    case ItemKind::Ellipse:
      to.addEllipse({item.v[0], item.v[1]}, item.v[2], item.v[3], item.fill, color);
      break;
    case ItemKind::Arc:
      to.addArc({item.v[0], item.v[1]}, item.v[2], item.v[3], item.v[4], item.v[5], color);
      break;
    case ItemKind::Text:
      // The picture's margin holds the little ink that reaches past a text's cell.
      to.addText(from.texts()[item.text], color, 0, 0, 0, 0);
      break;
  }
}

bool nearValue(double a, double b, double slack) {
  return std::fabs(a - b) <= slack;
}

Vec2 arcEnd(const DisplayItem& arc, double degrees) {
  const double a = degrees * 3.14159265358979323846 / 180;
  return {arc.v[0] + arc.v[2] * std::cos(a), arc.v[1] + arc.v[3] * std::sin(a)};
}

// Whether two items draw the same within `slack` units: a legacy library against a modern one
// differs by the rounding of millimetres to mils, which the words do not tell either.
bool nearItems(const DisplayList& a, const DisplayItem& x, const DisplayList& b,
               const DisplayItem& y, double slack) {
  if (x.kind != y.kind || x.fill != y.fill || x.closed != y.closed) return false;
  auto nearPoint = [&](Vec2 p, Vec2 q) {
    return nearValue(p.x, q.x, slack) && nearValue(p.y, q.y, slack);
  };
  switch (x.kind) {
    case ItemKind::Polyline:
      if (x.count != y.count) return false;
      for (uint32_t i = 0; i < x.count; ++i)
        if (!nearPoint(a.points()[x.first + i], b.points()[y.first + i])) return false;
      return true;
    case ItemKind::Text: {
      const DisplayText &s = a.texts()[x.text], &t = b.texts()[y.text];
      return s.utf8 == t.utf8 && s.angle == t.angle && nearValue(s.size, t.size, slack) &&
             nearPoint(s.origin, t.origin);
    }
    case ItemKind::Arc:
      if (!nearPoint(arcEnd(x, x.v[4]), arcEnd(y, y.v[4])) ||
          !nearPoint(arcEnd(x, x.v[4] + x.v[5]), arcEnd(y, y.v[4] + y.v[5])))
        return false;
      [[fallthrough]];
    case ItemKind::Rectangle:
    case ItemKind::Ellipse:
      for (int i = 0; i < 4; ++i)
        if (!nearValue(x.v[i], y.v[i], slack)) return false;
      return true;
  }
  return false;
}

// Old and new on one list: shared items grey first, then the old ones red and the new ones green
// on top. Items equal but for their colour are shared; so are items within `slack` units of each
// other. Returns whether anything differs.
bool overlayOf(const DisplayList& before, const DisplayList& after, double slack,
               DisplayList& out) {
  std::multimap<std::string, size_t> afterKeys;
  for (size_t k = 0; k < after.items().size(); ++k)
    afterKeys.emplace(itemKey(after, after.items()[k]), k);
  std::vector<bool> afterShared(after.items().size(), false);
  std::vector<const DisplayItem*> removed;
  for (const DisplayItem& item : before.items()) {
    const auto found = afterKeys.find(itemKey(before, item));
    if (found == afterKeys.end()) {
      removed.push_back(&item);
      continue;
    }
    afterShared[found->second] = true;
    afterKeys.erase(found);
    copyItem(before, item, overlay::kSame, out);
  }
  std::vector<const DisplayItem*> stillRemoved;
  for (const DisplayItem* item : removed) {
    bool shared = false;
    for (size_t k = 0; slack > 0 && k < after.items().size() && !shared; ++k) {
      if (afterShared[k] || !nearItems(before, *item, after, after.items()[k], slack)) continue;
      afterShared[k] = shared = true;
      copyItem(before, *item, overlay::kSame, out);
    }
    if (!shared) stillRemoved.push_back(item);
  }
  for (const DisplayItem* item : stillRemoved) copyItem(before, *item, overlay::kRemoved, out);
  bool added = false;
  for (size_t k = 0; k < after.items().size(); ++k) {
    if (afterShared[k]) continue;
    copyItem(after, after.items()[k], overlay::kAdded, out);
    added = true;
  }
  return added || !stillRemoved.empty();
}

std::string captionOf(int unit, int style, const std::vector<std::string>& names) {
  std::string caption = "unit " + unitLabel(unit, names);
  if (style == 2) caption += ", De Morgan body";
  return caption;
}

}  // namespace

std::vector<std::string> blockLines(const std::string& block) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < block.size()) {
    size_t end = block.find('\n', start);
    if (end == std::string::npos) end = block.size();
    lines.emplace_back(block, start, end - start);
    start = end + 1;
  }
  return lines;
}

std::vector<OverlayPicture> overlayPictures(SymbolRecorder& recorder, const ReviewEntry& entry) {
  std::vector<OverlayPicture> pictures;
  if (entry.symbol.empty() || entry.alias) return pictures;
  const std::vector<std::string> before = blockLines(entry.oldBlock),
                                 after = blockLines(entry.newBlock);
  const SymbolUnits unitsA = describeUnits(before), unitsB = describeUnits(after);
  const int units = std::max(before.empty() ? 1 : unitsA.count, after.empty() ? 1 : unitsB.count);
  const int styles = unitsA.hasDeMorgan || unitsB.hasDeMorgan ? 2 : 1;
  const bool bothSides = !before.empty() && !after.empty();
  const auto& names = entry.newUnitNames.empty() ? entry.oldUnitNames : entry.newUnitNames;
  // Twice the words' tolerance: a drawn end is placed from a centre and a radius that may each
  // be a unit off.
  const double slack = 2.0 * entry.tolerance;
  DisplayList old;
  OverlayPicture first;
  for (int unit = 1; unit <= units && pictures.size() < kMaxOverlayPictures; ++unit) {
    for (int style = 1; style <= styles && pictures.size() < kMaxOverlayPictures; ++style) {
      const UnitChoice choice{unit, style};
      old = recorder.record(before, choice);
      OverlayPicture picture{unit, style, captionOf(unit, style, names), {}};
      const bool differs = overlayOf(old, recorder.record(after, choice), slack, picture.list);
      if (unit == 1 && style == 1) first = picture;
      if (differs && bothSides) pictures.push_back(std::move(picture));
      if (!bothSides) return {std::move(first)};
    }
  }
  if (pictures.empty()) pictures.push_back(std::move(first));
  return pictures;
}

}  // namespace quiral
