#include <vector>

#include "render/record_drawer.h"
#include "render/record_rules.h"
#include "render/token_value.h"

namespace quiral {

namespace {

// The arc drawer's captions for the hidden label (UTF-8: "não invert").
constexpr const char* kCaptionNotSwapped =
    "n\xC3\xA3"
    "o invert";
constexpr const char* kCaptionSwapped = "invertida";
constexpr int kFieldPointSize = 7;

}  // namespace

void RecordDrawer::retangulo(const TokenTable& tokens, int /*tokenCount*/) {
  if (!inChoice(FilteredRecord::Rectangle, tokens)) return;
  double l = surface_.mapX(tokenValue(tokens.text(2)));
  double t = surface_.mapY(tokenValue(tokens.text(3)));
  double r = surface_.mapX(tokenValue(tokens.text(4)));
  double b = surface_.mapY(tokenValue(tokens.text(5)));
  if (look_.pensAndFills) {
    surface_.setPenColor(bodyColor());
    applyPen(tokens.text(8), tokens.text(9));
  }
  if (look_.degenerateShapesAsLines && (l == r || t == b)) {
    // KiCad strokes a rectangle's four sides: with no width or height they are one line.
    applyPen(tokens.text(8), "N");
    polylinePoints_.assign({{l, t}, {r, b}});
    surface_.polyline(polylinePoints_);
    return;
  }
  surface_.rectangle(l, t, r, b);
}

void RecordDrawer::mapCircleBox(int64_t cx, int64_t cy, int64_t r, double box[4]) {
  box[0] = surface_.mapX(cx - r);
  box[1] = surface_.mapY(cy - r);
  box[2] = surface_.mapX(cx + r);
  box[3] = surface_.mapY(cy + r);
}

void RecordDrawer::circulo(const TokenTable& tokens, int /*tokenCount*/) {
  if (!inChoice(FilteredRecord::Circle, tokens)) return;
  surface_.setPenColor(bodyColor());
  if (look_.pensAndFills) applyPen(tokens.text(7), tokens.text(8));
  double box[4];
  mapCircleBox(tokenValue(tokens.text(2)), tokenValue(tokens.text(3)), tokenValue(tokens.text(4)),
               box);
  surface_.ellipse(box[0], box[1], box[2], box[3]);
}

void RecordDrawer::poligono(const TokenTable& tokens, int tokenCount) {
  if (!inChoice(FilteredRecord::Polyline, tokens)) return;
  // Counts beyond what the table can hold are cut to it: the missing points would all read as
  // (0, 0) from empty tokens, and points past position 300 are not drawn.
  int64_t count = decimalCount(tokens.text(2), kMaxPolylinePoints + 1);
  if (count <= 0) return;
  const bool closedLine = tokens.text(tokenCount) == "F";
  // The fill mark sits right after the last point; a line whose last token is F but whose fill
  // mark is something else is drawn open rather than with a stray point at (0, 0).
  const int64_t fillMarkPosition = 2 * count + 6;
  // (Both arms are views: a string and "" would make a temporary string the view outlives.)
  const std::string_view fillMark = fillMarkPosition <= TokenTable::kSize
                                        ? std::string_view(tokens.text(int(fillMarkPosition)))
                                        : std::string_view();
  // The KiCad look closes a line by filling it (the surface does that), never by its last token.
  const bool closed = !look_.pensAndFills && closedLine && fillMark == "F";
  if (look_.pensAndFills) {
    surface_.setPenColor(bodyColor());
    applyPen(tokens.text(5), fillMark);
  }
  const int drawn = int(count < kMaxPolylinePoints ? count : kMaxPolylinePoints);
  polylinePoints_.clear();
  for (int i = 0; i < drawn; ++i) {
    double x = surface_.mapX(tokenValue(tokens.text(2 * i + 6)));
    double y = surface_.mapY(tokenValue(tokens.text(2 * i + 7)));
    polylinePoints_.push_back({x, y});
  }
  if (closed) {
    double x = surface_.mapX(tokenValue(tokens.text(6)));
    double y = surface_.mapY(tokenValue(tokens.text(7)));
    polylinePoints_.push_back({x, y});
  }
  surface_.polyline(polylinePoints_);
}

void RecordDrawer::arco(const TokenTable& tokens, int /*tokenCount*/) {
  // Body style 0 is "common to all body styles" and is drawn like the chosen one.
  if (!inChoice(FilteredRecord::Arc, tokens)) return;
  surface_.setPenColor(bodyColor());
  if (look_.pensAndFills) applyPen(tokens.text(9), tokens.text(10));
  double box[4];
  mapCircleBox(tokenValue(tokens.text(2)), tokenValue(tokens.text(3)), tokenValue(tokens.text(4)),
               box);
  int64_t s = normalizedAngle(tokenValue(tokens.text(5)));
  int64_t e = normalizedAngle(tokenValue(tokens.text(6)));
  const bool swapped = arcEndsSwapped(s, e);
  const int startToken = swapped ? 13 : 11;
  const int endToken = swapped ? 11 : 13;
  label1Caption_ = swapped ? kCaptionSwapped : kCaptionNotSwapped;
  double xs = surface_.mapX(tokenValue(tokens.text(startToken)));
  double ys = surface_.mapY(tokenValue(tokens.text(startToken + 1)));
  double xe = surface_.mapX(tokenValue(tokens.text(endToken)));
  double ye = surface_.mapY(tokenValue(tokens.text(endToken + 1)));
  surface_.arc(box[0], box[1], box[2], box[3], xs, ys, xe, ye);
}

void RecordDrawer::textos(const TokenTable& tokens, int /*tokenCount*/) {
  if (!inChoice(FilteredRecord::Text, tokens)) return;
  if (look_.placedTexts) {
    kicadText(tokens);
    return;
  }
  double x = surface_.mapX(tokenValue(tokens.text(3)));
  double y = surface_.mapY(tokenValue(tokens.text(4)));
  int escapement = textTurnsUp(tokens.text(2)) ? 900 : 0;
  selectFont(textPointSize(tokenValue(tokens.text(5))), colors::kTeal, escapement);
  surface_.textOut(x, y, tokens.text(9));
}

void RecordDrawer::titulos(const TokenTable& tokens, int /*tokenCount*/) {
  if (look_.placedTexts) {
    kicadField(tokens);
    return;
  }
  // Every field line selects the field font, so the pins after it measure alike whether it is
  // shown or not; only visible fields are drawn and widen the bounding box.
  selectFont(kFieldPointSize, colors::kTeal, 0);
  if (tokens.text(7) != "V") return;
  double x = surface_.mapX(tokenValue(tokens.text(3)));
  double y = surface_.mapY(tokenValue(tokens.text(4)));
  surface_.textOut(x, y, tokens.text(2));
}

void RecordDrawer::definicao(const TokenTable& tokens, int /*tokenCount*/) {
  state_.UnitCount = tokens.text(8);
  state_.ShowPinNames = tokens.text(7) == "Y";
  state_.ShowPinNumbers = tokens.text(6) == "Y";
  state_.PinNameOffset = tokenValue(tokens.text(5));
}

bool RecordDrawer::inChoice(FilteredRecord record, const TokenTable& tokens) const {
  const FilterPositions at = filterPositionsOf(record);
  return recordDrawn(tokens.text(at.unit), tokens.text(at.style), state_.Choice);
}

void RecordDrawer::aliasLine(std::string_view line) {
  state_.AliasLine.assign(line);
  state_.AliasLines.emplace_back(line);
}

void RecordDrawer::selectFont(int pointSize, Color color, int escapement) {
  SurfaceFont font;
  font.face = "Arial";
  font.pointSize = pointSize;
  font.color = color;
  font.escapement = escapement;
  surface_.setFont(font);
}

}  // namespace quiral
