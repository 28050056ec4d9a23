#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/color.h"

namespace quiral {

// A point in library units (mils), y up.
struct Vec2 {
  double x = 0;
  double y = 0;
};

// A box in library units; empty until something is added.
struct Bounds {
  double minX = 0;
  double minY = 0;
  double maxX = 0;
  double maxY = 0;
  bool empty = true;

  void add(double x, double y);
  void add(const Bounds& other);
  double width() const { return empty ? 0 : maxX - minX; }
  double height() const { return empty ? 0 : maxY - minY; }
};

enum class ItemKind : uint8_t { Polyline, Rectangle, Ellipse, Arc, Text };

// How a closed shape's inside is painted: left alone, covered with the background colour so that
// it hides what was drawn before it, or filled with the item's own fill colour.
enum class FillKind : uint8_t { None, Background, Solid };

// One text run. The anchor is the top-left corner of its cell (the cell turns with the text);
// `origin` is where its baseline starts. Sizes are library units.
struct DisplayText {
  std::string utf8;
  std::string family;  // the face the text was measured with
  bool bold = false;
  bool italic = false;
  double size = 0;     // em
  double ascent = 0;   // cell above the baseline
  double descent = 0;  // cell below the baseline
  double width = 0;    // advance of the whole run
  Vec2 anchor;
  Vec2 origin;
  int angle = 0;  // tenths of a degree, counter-clockwise
};

// One drawing operation. Geometry, by kind:
//   Polyline: points [first, first + count) of the list's points; `closed` joins the ends.
//   Rectangle: corners (v[0], v[1]) and (v[2], v[3]).
//   Ellipse: centre (v[0], v[1]), radii v[2], v[3].
//   Arc: centre (v[0], v[1]), radii v[2], v[3], start angle v[4] and sweep v[5] in degrees,
//        counter-clockwise (y up) from the start; filled, it is the pie slice KiCad fills.
//   Text: texts[text].
// `width` is the stroke in library units, 0 for the picture's usual line (kVectorLineWidth).
struct DisplayItem {
  ItemKind kind = ItemKind::Polyline;
  FillKind fill = FillKind::None;
  bool closed = false;
  Color color = 0;
  Color fillColor = 0;  // for FillKind::Solid
  float width = 0;
  uint32_t first = 0;
  uint32_t count = 0;
  uint32_t text = 0;
  double v[6] = {0, 0, 0, 0, 0, 0};
};

// A symbol drawn as vectors, in drawing order, with the exact box of everything in it (texts
// measured with the font's real metrics, so a picture made from the box never cuts a glyph).
// How a shape is stroked and filled beyond its kind and colour.
struct ItemPaint {
  FillKind fill = FillKind::None;
  Color fillColor = 0;
  double width = 0;
};

class DisplayList {
 public:
  void addPolyline(const std::vector<Vec2>& points, bool closed, Color color,
                   const ItemPaint& paint = {});
  void addRectangle(Vec2 a, Vec2 b, FillKind fill, Color color, const ItemPaint& paint = {});
  void addEllipse(Vec2 centre, double rx, double ry, FillKind fill, Color color,
                  const ItemPaint& paint = {});
  void addArc(Vec2 centre, double rx, double ry, double startDegrees, double sweepDegrees,
              Color color, const ItemPaint& paint = {});
  // `inkLeft`/`inkRight` widen the cell along the text where glyphs reach past their advances,
  // `inkTop`/`inkBottom` above the ascent and below the descent (all >= 0).
  void addText(DisplayText text, Color color, double inkLeft, double inkRight, double inkTop,
               double inkBottom);
  void clear();

  const std::vector<DisplayItem>& items() const { return items_; }
  const std::vector<Vec2>& points() const { return points_; }
  const std::vector<DisplayText>& texts() const { return texts_; }
  const Bounds& bounds() const { return bounds_; }
  bool empty() const { return items_.empty(); }

 private:
  DisplayItem& pushShape(ItemKind kind, Color color, const ItemPaint& paint);
  // Adds a shape's geometric box to the bounds, widened by what its pen reaches past the usual
  // line (pictures already keep half a usual line round the bounds).
  void addShapeBounds(const Bounds& box, double width);

  std::vector<DisplayItem> items_;
  std::vector<Vec2> points_;
  std::vector<DisplayText> texts_;
  Bounds bounds_;
};

// The library-unit box that an arc covers: its end points and the axis points it passes.
Bounds arcBounds(Vec2 centre, double rx, double ry, double startDegrees, double sweepDegrees);

// Width of every stroke of a vector picture, in library units (the usual 6-mil symbol line).
constexpr double kVectorLineWidth = 6;

// Library units of a vector picture: 1 mil = 0.0254 mm = 0.072 pt.
constexpr double kPointsPerUnit = 0.072;
constexpr double kMillimetresPerUnit = 0.0254;

}  // namespace quiral
