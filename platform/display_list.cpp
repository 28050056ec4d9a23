#include "platform/display_list.h"

#include <cmath>
#include <numbers>

#include "platform/turn_direction.h"

namespace quiral {

void Bounds::add(double x, double y) {
  if (empty) {
    minX = maxX = x;
    minY = maxY = y;
    empty = false;
    return;
  }
  if (x < minX) minX = x;
  if (x > maxX) maxX = x;
  if (y < minY) minY = y;
  if (y > maxY) maxY = y;
}

void Bounds::add(const Bounds& other) {
  if (other.empty) return;
  add(other.minX, other.minY);
  add(other.maxX, other.maxY);
}

Bounds arcBounds(Vec2 c, double rx, double ry, double start, double sweep) {
  auto at = [&](double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return Vec2{c.x + rx * std::cos(a), c.y + ry * std::sin(a)};
  };
  Bounds b;
  Vec2 s = at(start), e = at(start + sweep);
  b.add(s.x, s.y);
  b.add(e.x, e.y);
  // Every quarter-turn point that lies within the sweep.
  const double first = std::ceil(start / 90) * 90;
  for (double d = first; d <= start + sweep && d < first + 360; d += 90) {
    Vec2 p = at(d);
    b.add(p.x, p.y);
  }
  return b;
}

DisplayItem& DisplayList::pushShape(ItemKind kind, Color color, const ItemPaint& paint) {
  DisplayItem& item = items_.emplace_back();
  item.kind = kind;
  item.color = color;
  item.fill = paint.fill;
  item.fillColor = paint.fillColor;
  item.width = float(paint.width);
  return item;
}

void DisplayList::addShapeBounds(const Bounds& box, double width) {
  if (box.empty) return;
  const double reach = width > kVectorLineWidth ? (width - kVectorLineWidth) / 2 : 0;
  bounds_.add(box.minX - reach, box.minY - reach);
  bounds_.add(box.maxX + reach, box.maxY + reach);
}

void DisplayList::addPolyline(const std::vector<Vec2>& points, bool closed, Color color,
                              const ItemPaint& paint) {
  if (points.empty()) return;
  DisplayItem& item = pushShape(ItemKind::Polyline, color, paint);
  item.closed = closed;
  item.first = uint32_t(points_.size());
  item.count = uint32_t(points.size());
  Bounds box;
  for (const Vec2& p : points) {
    points_.push_back(p);
    box.add(p.x, p.y);
  }
  addShapeBounds(box, paint.width);
}

void DisplayList::addRectangle(Vec2 a, Vec2 b, FillKind fill, Color color, const ItemPaint& paint) {
  ItemPaint p = paint;
  if (p.fill == FillKind::None) p.fill = fill;
  DisplayItem& item = pushShape(ItemKind::Rectangle, color, p);
  item.v[0] = a.x;
  item.v[1] = a.y;
  item.v[2] = b.x;
  item.v[3] = b.y;
  Bounds box;
  box.add(a.x, a.y);
  box.add(b.x, b.y);
  addShapeBounds(box, paint.width);
}

void DisplayList::addEllipse(Vec2 c, double rx, double ry, FillKind fill, Color color,
                             const ItemPaint& paint) {
  ItemPaint p = paint;
  if (p.fill == FillKind::None) p.fill = fill;
  DisplayItem& item = pushShape(ItemKind::Ellipse, color, p);
  item.v[0] = c.x;
  item.v[1] = c.y;
  item.v[2] = rx;
  item.v[3] = ry;
  Bounds box;
  box.add(c.x - rx, c.y - ry);
  box.add(c.x + rx, c.y + ry);
  addShapeBounds(box, paint.width);
}

void DisplayList::addArc(Vec2 c, double rx, double ry, double start, double sweep, Color color,
                         const ItemPaint& paint) {
  DisplayItem& item = pushShape(ItemKind::Arc, color, paint);
  item.v[0] = c.x;
  item.v[1] = c.y;
  item.v[2] = rx;
  item.v[3] = ry;
  item.v[4] = start;
  item.v[5] = sweep;
  Bounds box = arcBounds(c, rx, ry, start, sweep);
  if (paint.fill != FillKind::None) box.add(c.x, c.y);  // the slice reaches the centre
  addShapeBounds(box, paint.width);
}

void DisplayList::addText(DisplayText text, Color color, double inkLeft, double inkRight,
                          double inkTop, double inkBottom) {
  // The cell (widened by the ink) in the text's own frame, turned about the baseline origin.
  const TurnDirection turn = turnDirection(text.angle);
  const double ux = turn.cos, uy = turn.sin;  // along the text
  const double vx = -uy, vy = ux;             // up from the baseline
  const double along[2] = {-inkLeft, text.width + inkRight};
  const double up[2] = {-(text.descent + inkBottom), text.ascent + inkTop};
  for (double s : along)
    for (double t : up)
      bounds_.add(text.origin.x + s * ux + t * vx, text.origin.y + s * uy + t * vy);
  DisplayItem item;
  item.kind = ItemKind::Text;
  item.color = color;
  item.text = uint32_t(texts_.size());
  texts_.push_back(std::move(text));
  items_.push_back(item);
}

void DisplayList::clear() {
  items_.clear();
  points_.clear();
  texts_.clear();
  bounds_ = Bounds{};
}

}  // namespace quiral
