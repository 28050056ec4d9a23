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

// A legacy line is read into 300 token positions: "P", the count, unit, style, width, two per
// point and the fill letter leave room for 147 points.
constexpr size_t kMaxPointsPerRecord = 147;

void appendPolylineRecord(const MilPoint* points, size_t count, int unit, int convert,
                          const ItemParts& item, char fill, SymbolDrawing& out) {
  std::string line;
  line.reserve(24 + count * 12);
  line += 'P';
  appendField(line, long(count));
  appendUnitConvertWidth(line, unit, convert, item);
  for (size_t i = 0; i < count; ++i) {
    appendField(line, points[i].x);
    appendField(line, points[i].y);
  }
  line += ' ';
  line += fill;
  out.push(RecordKind::Polyline, convert, unit, std::move(line));
}

// A longer polyline becomes consecutive records that share their end points. A fill cannot be
// shared out among them: the pieces are drawn open and a last segment closes the outline, as a
// filled polyline is drawn.
void appendPolyline(const std::vector<MilPoint>& points, int unit, int convert,
                    const ItemParts& item, SymbolDrawing& out) {
  if (points.empty()) return;
  const char fill = fillLetter(item);
  if (points.size() <= kMaxPointsPerRecord) {
    appendPolylineRecord(points.data(), points.size(), unit, convert, item, fill, out);
    return;
  }
  for (size_t start = 0; start + 1 < points.size(); start += kMaxPointsPerRecord - 1) {
    const size_t count = std::min(kMaxPointsPerRecord, points.size() - start);
    appendPolylineRecord(points.data() + start, count, unit, convert, item, 'N', out);
  }
  if (fill != 'N') {
    const MilPoint closing[] = {points.back(), points.front()};
    appendPolylineRecord(closing, 2, unit, convert, item, 'N', out);
    out.losses.add(Loss::SplitPolylineFills);
  }
}

std::vector<MilPoint> pointsOf(const ItemParts& item) {
  std::vector<MilPoint> points;
  for (Sexpr xy : item.pts) {
    if (xy.is("xy")) points.push_back(pointOf(xy));
  }
  return points;
}

void appendRectangle(MilPoint start, MilPoint end, int unit, int convert, const ItemParts& item,
                     SymbolDrawing& out) {
  std::string line = "S";
  appendField(line, start.x);
  appendField(line, start.y);
  appendField(line, end.x);
  appendField(line, end.y);
  appendUnitConvertWidth(line, unit, convert, item);
  line += ' ';
  line += fillLetter(item);
  out.push(RecordKind::Rectangle, convert, unit, std::move(line));
}

void appendCircle(const ItemParts& item, int unit, int convert, SymbolDrawing& out) {
  const MilPoint centre = pointOf(item.required(item.center, "center"));
  std::string line = "C";
  appendField(line, centre.x);
  appendField(line, centre.y);
  appendField(line, milsAt(item.required(item.radius, "radius"), 1));
  appendUnitConvertWidth(line, unit, convert, item);
  line += ' ';
  line += fillLetter(item);
  out.push(RecordKind::Circle, convert, unit, std::move(line));
}

void appendBezier(const ItemParts& item, int unit, int convert, SymbolDrawing& out) {
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

// A text angle as a legacy T record holds it: whole tenths of a degree from 0 to 3599.
int legacyTextAngle(double tenths) {
  double angle = std::fmod(tenths, 3600.0);
  if (!(angle >= 0)) angle = angle < 0 ? angle + 3600.0 : 0.0;
  const long rounded = std::lround(angle);
  return int(rounded >= 3600 ? rounded - 3600 : rounded);
}

// One T record per line of `text`, the lines stacked along the text's own downward direction so
// that the block keeps its justification at `anchor`.
void appendTextLines(std::string_view text, MilPoint anchor, int angle, const TextStyle& style,
                     int unit, int convert, SymbolDrawing& out) {
  const std::vector<std::string_view> lines = textLines(text);
  // Wide enough for a million lines of the largest size.
  const long long pitch = (style.size * 8LL + 2) / 5;
  const int count = int(lines.size());
  const long long lead = style.vjust == 'T'   ? 0
                         : style.vjust == 'B' ? (count - 1) * pitch
                                              : (count - 1) * pitch / 2;
  // The text's downward direction, with y pointing up: (0, -1) for a level text, (1, 0) for one
  // that reads upwards.
  const double radians = angle * (3.14159265358979323846 / 1800.0);
  const double downX = std::sin(radians), downY = -std::cos(radians);
  for (int i = 0; i < count; ++i) {
    if (lines[size_t(i)].empty()) continue;
    const long long down = i * pitch - lead;
    std::string line = "T";
    appendField(line, angle);
    appendField(line, anchor.x + std::llround(double(down) * downX));
    appendField(line, anchor.y + std::llround(double(down) * downY));
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
    out.push(RecordKind::Text, convert, unit, std::move(line));
  }
}

// Symbol texts hold their angle in tenths of a degree, as legacy T records do.
void appendText(const ItemParts& item, int unit, int convert, SymbolDrawing& out) {
  const Sexpr at = item.required(item.at, "at");
  const std::string_view text = item.item.at(item.textPosition).text();
  out.losses.add(Loss::LiteralTildes, uint32_t(countLiteralTildes(text)));
  appendTextLines(text, pointOf(at), legacyTextAngle(numberOr(at, 3, 0)), textStyleOf(item.item),
                  unit, convert, out);
}

// A text box: its frame as a rectangle, its text inside it at the side its justification names.
// Its (at) is one corner and its (size) the way to the opposite one, in the file's own axes;
// files store the height negative for a box that hangs below its corner, but either sign is
// taken as written.
void appendTextBox(const ItemParts& item, int unit, int convert, SymbolDrawing& out) {
  MilPoint corner, opposite;
  if (item.start.valid()) {
    corner = pointOf(item.start);
    opposite = pointOf(item.required(item.end, "end"));
  } else {
    const Sexpr size = item.required(item.size, "size");
    corner = pointOf(item.required(item.at, "at"));
    opposite = {corner.x + milsAt(size, 1), corner.y + milsAt(size, 2)};
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
  // A text box holds its angle in degrees, and only quarter turns.
  const char orientation = orientationLetter(numberOr(item.at, 3, 0));
  const bool vertical = orientation == 'U' || orientation == 'D';
  const std::string_view text = item.item.at(item.textPosition).text();
  out.losses.add(Loss::LiteralTildes, uint32_t(countLiteralTildes(text)));
  appendTextLines(text, anchor, vertical ? 900 : 0, style, unit, convert, out);
}

}  // namespace

void appendUnitConvertWidth(std::string& line, int unit, int convert, const ItemParts& item) {
  appendField(line, unit);
  appendField(line, convert);
  const Sexpr width = item.stroke.find("width");
  appendField(line, width.valid() ? milsAt(width, 1) : 0);
}

namespace {

// A (color R G B A) of all zeros means "the default colour".
bool anyNonZero(Sexpr list) {
  for (size_t i = 1; list.at(i).valid(); ++i) {
    if (numberOr(list, i, 0) != 0) return true;
  }
  return false;
}

}  // namespace

void tallyFontLosses(Sexpr owner, LossTally& losses) {
  const Sexpr font = owner.find("effects").find("font");
  const Sexpr colour = font.find("color");
  if (colour.valid() && anyNonZero(colour)) losses.add(Loss::FontColours);
  const Sexpr thickness = font.find("thickness");
  if (thickness.valid() && numberOr(thickness, 1, 0) != 0) losses.add(Loss::FontThicknesses);
}

void tallyStyleLosses(const ItemParts& item, LossTally& losses) {
  const std::string_view stroke = item.stroke.find("type").at(1).text();
  if (!stroke.empty() && stroke != "default" && stroke != "solid") losses.add(Loss::StrokeStyles);
  tallyFontLosses(item.item, losses);
  if (item.name.valid()) tallyFontLosses(item.name, losses);
  if (item.number.valid()) tallyFontLosses(item.number, losses);
}

char fillLetter(const ItemParts& item) {
  const std::string_view type = item.fill.find("type").at(1).text();
  if (type == "outline") return 'F';
  if (type == "background" || type == "color") return 'f';
  return 'N';
}

void appendDrawRecords(Sexpr node, int unit, int convert, SymbolDrawing& out) {
  const std::string_view kind = node.head();
  static constexpr std::string_view kKnown[] = {"pin",      "arc",    "rectangle", "circle",
                                                "polyline", "bezier", "text",      "text_box"};
  if (std::find(std::begin(kKnown), std::end(kKnown), kind) == std::end(kKnown)) {
    // What a sub-symbol holds besides its items: its unit's name is all legacy cannot keep.
    if (kind == "unit_name") {
      out.losses.add(Loss::UnitNames);
    } else if (kind != "body_style" && kind != "demorgan") {
      out.losses.add(Loss::UnknownItems);
    }
    return;
  }
  const ItemParts item(node);
  tallyStyleLosses(item, out.losses);
  if (convert > 2) out.losses.add(Loss::ExtraBodyStyles);
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
