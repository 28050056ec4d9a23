// Rectangles, circles, polylines, béziers, texts and text boxes of a unit sub-symbol as the
// legacy S, C, P and T records.

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>
#include <vector>

#include "kicad_sym/legacy_text.h"
#include "kicad_sym/modern_symbol.h"

namespace quiral {

namespace {

// Segments of the polyline that stands for one cubic bézier; the shape is smooth at symbol
// scale and identical points after rounding are dropped.
constexpr int kBezierSegments = 16;

void appendPolyline(const std::vector<MilPoint>& points, int unit, int convert,
                    const ItemParts& item, std::vector<DrawRecord>& out) {
  if (points.empty()) return;
  std::string line;
  line.reserve(24 + points.size() * 12);
  line += 'P';
  appendField(line, long(points.size()));
  appendUnitConvertWidth(line, unit, convert, item);
  for (const MilPoint& p : points) {
    appendField(line, p.x);
    appendField(line, p.y);
  }
  line += ' ';
  line += fillLetter(item);
  out.push_back({RecordKind::Polyline, convert, unit, std::move(line)});
}

std::vector<MilPoint> pointsOf(const ItemParts& item) {
  std::vector<MilPoint> points;
  for (Sexpr xy : item.pts) {
    if (xy.is("xy")) points.push_back(pointOf(xy));
  }
  return points;
}

void appendRectangle(MilPoint start, MilPoint end, int unit, int convert, const ItemParts& item,
                     std::vector<DrawRecord>& out) {
  std::string line = "S";
  appendField(line, start.x);
  appendField(line, start.y);
  appendField(line, end.x);
  appendField(line, end.y);
  appendUnitConvertWidth(line, unit, convert, item);
  line += ' ';
  line += fillLetter(item);
  out.push_back({RecordKind::Rectangle, convert, unit, std::move(line)});
}

void appendCircle(const ItemParts& item, int unit, int convert, std::vector<DrawRecord>& out) {
  const MilPoint centre = pointOf(item.required(item.center, "center"));
  std::string line = "C";
  appendField(line, centre.x);
  appendField(line, centre.y);
  appendField(line, milsAt(item.required(item.radius, "radius"), 1));
  appendUnitConvertWidth(line, unit, convert, item);
  line += ' ';
  line += fillLetter(item);
  out.push_back({RecordKind::Circle, convert, unit, std::move(line)});
}

void appendBezier(const ItemParts& item, int unit, int convert, std::vector<DrawRecord>& out) {
  std::vector<MmPoint> control;
  for (Sexpr xy : item.pts) {
    if (xy.is("xy")) control.push_back(mmPointOf(xy));
  }
  if (control.size() != 4) {
    appendPolyline(pointsOf(item), unit, convert, item, out);
    return;
  }
  std::vector<MilPoint> points;
  for (int i = 0; i <= kBezierSegments; ++i) {
    const double t = double(i) / kBezierSegments, u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    const MilPoint p{
        toMils(a * control[0].x + b * control[1].x + c * control[2].x + d * control[3].x,
               item.item),
        toMils(a * control[0].y + b * control[1].y + c * control[2].y + d * control[3].y,
               item.item)};
    if (points.empty() || !(points.back() == p)) points.push_back(p);
  }
  appendPolyline(points, unit, convert, item, out);
}

// Splits a text at its line ends: a legacy text is one line.
std::vector<std::string_view> textLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

// One T record per line of `text`, the lines stacked along the text's own downward direction so
// that the block keeps its justification at `anchor`.
void appendTextLines(std::string_view text, MilPoint anchor, bool vertical, const TextStyle& style,
                     int unit, int convert, std::vector<DrawRecord>& out) {
  const std::vector<std::string_view> lines = textLines(text);
  // Wide enough for a million lines of the largest size.
  const long long pitch = (style.size * 8LL + 2) / 5;
  const int count = int(lines.size());
  const long long lead = style.vjust == 'T'   ? 0
                         : style.vjust == 'B' ? (count - 1) * pitch
                                              : (count - 1) * pitch / 2;
  for (int i = 0; i < count; ++i) {
    if (lines[size_t(i)].empty()) continue;
    const long long down = i * pitch - lead;
    std::string line = vertical ? "T 900" : "T 0";
    appendField(line, vertical ? anchor.x + down : anchor.x);
    appendField(line, vertical ? anchor.y : anchor.y - down);
    appendField(line, style.size);
    appendField(line, style.hidden ? 1 : 0);
    appendField(line, unit);
    appendField(line, convert);
    line += ' ';
    line += freeText(lines[size_t(i)]);
    line += style.italic ? " Italic" : " Normal";
    line += style.bold ? " 1 " : " 0 ";
    line += style.hjust;
    line += ' ';
    line += style.vjust;
    out.push_back({RecordKind::Text, convert, unit, std::move(line)});
  }
}

// Text angles of symbol texts are written in tenths of a degree; legacy texts are horizontal or
// vertical.
bool isVerticalTextAngle(double tenths) {
  double angle = std::fmod(tenths, 3600.0);
  if (angle < 0) angle += 3600.0;
  return std::fabs(angle - 900) < 0.5 || std::fabs(angle - 2700) < 0.5;
}

void appendText(const ItemParts& item, int unit, int convert, std::vector<DrawRecord>& out) {
  const Sexpr at = item.required(item.at, "at");
  appendTextLines(item.item.at(1).text(), pointOf(at), isVerticalTextAngle(numberOr(at, 3, 0)),
                  textStyleOf(item.item), unit, convert, out);
}

// A text box: its frame as a rectangle, its text inside it at the side its justification names.
void appendTextBox(const ItemParts& item, int unit, int convert, std::vector<DrawRecord>& out) {
  MilPoint corner, opposite;
  if (item.start.valid()) {
    corner = pointOf(item.start);
    opposite = pointOf(item.required(item.end, "end"));
  } else {
    const Sexpr size = item.required(item.size, "size");
    corner = pointOf(item.required(item.at, "at"));
    opposite = {corner.x + milsAt(size, 1), corner.y - milsAt(size, 2)};
  }
  const int left = std::min(corner.x, opposite.x), right = std::max(corner.x, opposite.x);
  const int bottom = std::min(corner.y, opposite.y), top = std::max(corner.y, opposite.y);
  appendRectangle({left, top}, {right, bottom}, unit, convert, item, out);

  TextStyle style = textStyleOf(item.item);
  if (!item.effects.find("justify").valid()) style.hjust = 'L', style.vjust = 'T';
  const int margin = style.size / 2;
  MilPoint anchor{(left + right) / 2, (top + bottom) / 2};
  if (style.hjust == 'L') anchor.x = left + margin;
  if (style.hjust == 'R') anchor.x = right - margin;
  if (style.vjust == 'T') anchor.y = top - margin;
  if (style.vjust == 'B') anchor.y = bottom + margin;
  const char orientation = orientationLetter(numberOr(item.at, 3, 0));
  const bool vertical = orientation == 'U' || orientation == 'D';
  appendTextLines(item.item.at(1).text(), anchor, vertical, style, unit, convert, out);
}

}  // namespace

void appendUnitConvertWidth(std::string& line, int unit, int convert, const ItemParts& item) {
  appendField(line, unit);
  appendField(line, convert);
  const Sexpr width = item.stroke.find("width");
  appendField(line, width.valid() ? milsAt(width, 1) : 0);
}

char fillLetter(const ItemParts& item) {
  const std::string_view type = item.fill.find("type").at(1).text();
  if (type == "outline") return 'F';
  if (type == "background" || type == "color") return 'f';
  return 'N';
}

void appendDrawRecords(Sexpr node, int unit, int convert, std::vector<DrawRecord>& out) {
  const std::string_view kind = node.head();
  static constexpr std::string_view kKnown[] = {"pin",      "arc",    "rectangle", "circle",
                                                "polyline", "bezier", "text",      "text_box"};
  if (std::find(std::begin(kKnown), std::end(kKnown), kind) == std::end(kKnown)) return;
  const ItemParts item(node);
  if (kind == "pin") {
    appendPinRecord(item, unit, convert, out);
  } else if (kind == "arc") {
    appendArcRecords(item, unit, convert, out);
  } else if (kind == "rectangle") {
    appendRectangle(pointOf(item.required(item.start, "start")),
                    pointOf(item.required(item.end, "end")), unit, convert, item, out);
  } else if (kind == "circle") {
    appendCircle(item, unit, convert, out);
  } else if (kind == "polyline") {
    appendPolyline(pointsOf(item), unit, convert, item, out);
  } else if (kind == "bezier") {
    appendBezier(item, unit, convert, out);
  } else if (kind == "text") {
    appendText(item, unit, convert, out);
  } else {
    appendTextBox(item, unit, convert, out);
  }
}

}  // namespace quiral
