// The KiCad look's texts and pens: fields and T texts turned, justified and sized as their
// records say, and the shapes' own pen widths and fills.

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "render/coordinate_map.h"
#include "render/record_drawer.h"
#include "render/record_rules.h"
#include "render/token_value.h"

namespace quiral {

namespace {

// The first letter of a justification token, or centred when it has none.
char justification(std::string_view token) {
  return token.empty() ? 'C' : token[0];
}

}  // namespace

SurfacePoint RecordDrawer::mapPoint(double x, double y) {
  // Whole units go through the surface's own mapping (which also widens the pixel view's box);
  // the fraction is added in canvas pixels.
  const double wx = std::floor(x), wy = std::floor(y);
  return {surface_.mapX(int64_t(wx)) + (x - wx) / kUnitsPerPixel,
          surface_.mapY(int64_t(wy)) - (y - wy) / kUnitsPerPixel};
}

void RecordDrawer::selectTextFont(int64_t height, Color color, int turn, bool italic, bool bold) {
  SurfaceFont font;
  font.face = "Arial";
  font.pointSize = textPointSize(int32_t(height));
  font.capHeightUnits = double(height > 0 ? height : 0);
  font.color = color;
  font.escapement = turn;
  font.italic = italic;
  font.bold = bold;
  surface_.setFont(font);
}

namespace {

// A pin name without KiCad's overbar marks: each '~' starts or ends a bar over what it encloses.
struct Overbars {
  std::string text;
  std::vector<std::pair<size_t, size_t>> bars;  // byte ranges of `text`
};

Overbars overbarsOf(std::string_view marked) {
  Overbars out;
  size_t start = 0;
  bool open = false;
  for (char c : marked) {
    if (c != '~') {
      out.text += c;
      continue;
    }
    if (open && out.text.size() > start) out.bars.emplace_back(start, out.text.size());
    start = out.text.size();
    open = !open;
  }
  if (open && out.text.size() > start) out.bars.emplace_back(start, out.text.size());
  return out;
}

}  // namespace

void RecordDrawer::placeOverbarred(double x, double y, int turn, char h, char v,
                                   std::string_view marked, Color color) {
  if (marked.find('~') == std::string_view::npos) {
    placeText(x, y, turn, h, v, marked);
    return;
  }
  const Overbars o = overbarsOf(marked);
  placeText(x, y, turn, h, v, o.text);
  if (o.bars.empty()) return;
  // The bars go a little above the capitals, in the text's colour, along the measured run.
  const SurfaceSize cell = surface_.textExtent(o.text);
  const double along = h == 'L' ? 0 : h == 'R' ? -cell.width : -cell.width / 2;
  const double baseline = v == 'B' ? 0 : v == 'T' ? cell.capHeight : cell.capHeight / 2;
  const TurnDirection t = turnDirection(turn);
  const double ux = t.cos, uy = -t.sin, dx = t.sin, dy = t.cos;
  const SurfacePoint anchor = mapPoint(x, y);
  const double lift = baseline - cell.capHeight * 1.2;
  surface_.setPenColor(color);
  surface_.setShapeStyle({std::max(1.0, cell.capHeight * kUnitsPerPixel / 8), false, 0});
  for (const auto& [from, to] : o.bars) {
    const double s = along + surface_.textExtent(std::string_view(o.text).substr(0, from)).width;
    const double e = along + surface_.textExtent(std::string_view(o.text).substr(0, to)).width;
    polylinePoints_.assign({{anchor.x + ux * s + dx * lift, anchor.y + uy * s + dy * lift},
                            {anchor.x + ux * e + dx * lift, anchor.y + uy * e + dy * lift}});
    surface_.polyline(polylinePoints_);
  }
}

void RecordDrawer::placeText(double x, double y, int turn, char h, char v, std::string_view text) {
  if (text.empty()) return;
  const SurfaceSize cell = surface_.textExtent(text);
  const double along = h == 'L' ? 0 : h == 'R' ? -cell.width : -cell.width / 2;
  const double baseline = v == 'B' ? 0 : v == 'T' ? cell.capHeight : cell.capHeight / 2;
  // Canvas directions (y down) along the text and from its top to its bottom.
  const TurnDirection t = turnDirection(turn);
  const double ux = t.cos, uy = -t.sin;
  const double dx = t.sin, dy = t.cos;
  const SurfacePoint anchor = mapPoint(x, y);
  const double down = baseline - cell.ascent;
  surface_.textOut(anchor.x + ux * along + dx * down, anchor.y + uy * along + dy * down, text);
}

void RecordDrawer::kicadField(const TokenTable& tokens) {
  // F<n> "text" x y size H|V V|I L|R|C <T|B|C><I|N><B|N>
  if (look_.hideInvisible && tokens.text(7) == "I") return;
  const std::string& id = tokens.text(1);
  const int field = id.size() > 1 ? id[1] - '0' : 0;
  std::string text = tokens.text(2);
  if (text.empty()) return;
  if (field == 0) {
    // The symbol editor shows the reference still to be numbered, with the unit drawn.
    text += '?';
    if (boundedUnitCount(state_.UnitCount) > 1) text += unitLetters(state_.Choice.unit);
  }
  const std::string& style = tokens.text(9);
  const bool italic = style.size() > 1 && style[1] == 'I';
  const bool bold = style.size() > 2 && style[2] == 'B';
  const int turn = tokens.text(6) == "V" ? 900 : 0;
  const Color color = field <= 1 ? look_.colors.referenceAndValue : look_.colors.otherField;
  selectTextFont(tokenValue(tokens.text(5)), color, turn, italic, bold);
  placeText(tokenValue(tokens.text(3)), tokenValue(tokens.text(4)), turn,
            justification(tokens.text(8)), justification(style), text);
}

void RecordDrawer::kicadText(const TokenTable& tokens) {
  // T angle x y size hidden unit style text Italic|Normal bold L|R|C T|B|C
  if (look_.hideInvisible && tokenValue(tokens.text(6)) != 0) return;
  const int turn = int(tokenValue(tokens.text(2)) % 3600);
  const bool italic = tokens.text(10) == "Italic";
  const bool bold = tokenValue(tokens.text(11)) != 0;
  selectTextFont(tokenValue(tokens.text(5)), look_.colors.body, turn, italic, bold);
  placeText(tokenValue(tokens.text(3)), tokenValue(tokens.text(4)), turn,
            justification(tokens.text(12)), justification(tokens.text(13)), tokens.text(9));
}

void RecordDrawer::applyPen(std::string_view width, std::string_view fill) {
  ShapeStyle style;
  const int32_t w = tokenValue(width);
  style.penUnits = w > 0 ? std::min(double(w), kMaxPenUnits) : kDefaultPenUnits;
  if (fill == "F") {
    style.filled = true;
    style.fill = bodyColor();
  } else if (fill == "f") {
    style.filled = true;
    style.fill = look_.colors.bodyFill;
  }
  surface_.setShapeStyle(style);
}

}  // namespace quiral
