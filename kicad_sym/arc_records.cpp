// Three-point arcs as legacy A records: centre, radius, start and end angles in tenths of a
// degree, start and end points. Legacy readers take the shorter way between the two points, so
// the points are ordered counter-clockwise through the arc's middle point, sweeps over half a
// turn are written as two records, and angle pairs are kept clear of exactly half a turn.

#include <cmath>
#include <numbers>

#include "kicad_sym/modern_symbol.h"

namespace quiral {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMillimetresPerMil = 0.0254;
// A sweep up to this much over half a turn is taken as a half turn (rounding in the file).
constexpr double kHalfTurnSlack = 0.5 * kPi / 180;
// Radii beyond this (in mils) are straight lines for every practical purpose.
constexpr double kLargestRadius = 1e6;

struct Vec {
  double x;
  double y;
};

Vec milsOf(MmPoint p) {
  return {p.x / kMillimetresPerMil, p.y / kMillimetresPerMil};
}

double turnPositive(double radians) {
  double a = std::fmod(radians, 2 * kPi);
  return a < 0 ? a + 2 * kPi : a;
}

MilPoint rounded(Vec v) {
  return {int(std::lround(v.x)), int(std::lround(v.y))};
}

// The angle of `p` seen from `centre` in tenths of a degree, in (-1800, 1800].
int tenthsFrom(MilPoint centre, MilPoint p) {
  int t = int(std::lround(std::atan2(p.y - centre.y, p.x - centre.x) * 1800 / kPi));
  return t <= -1800 ? t + 3600 : t;
}

int halfTurnRange(int tenths) {
  while (tenths > 1800) tenths -= 3600;
  while (tenths <= -1800) tenths += 3600;
  return tenths;
}

// One record for an arc drawn counter-clockwise from `from` to `to`, at most half a turn.
void appendOneArc(Vec centre, double radius, MilPoint from, MilPoint to, int unit, int convert,
                  const ItemParts& item, SymbolDrawing& out) {
  const MilPoint c = rounded(centre);
  int t1 = tenthsFrom(c, from), t2 = tenthsFrom(c, to);
  int sweep = ((t2 - t1) % 3600 + 3600) % 3600;
  if (sweep > 1810) {
    // A tiny arc whose rounded points cross: the two angles are the same.
    t2 = t1;
  } else if (sweep >= 1799) {
    // A half turn: pull both ends in, so that no reader takes the other half.
    const int excess = sweep - 1798;
    t1 = halfTurnRange(t1 + excess / 2);
    t2 = halfTurnRange(t2 - (excess - excess / 2));
  }
  std::string line = "A";
  appendField(line, c.x);
  appendField(line, c.y);
  appendField(line, toMils(radius * kMillimetresPerMil, item.item));
  appendField(line, t1);
  appendField(line, t2);
  appendUnitConvertWidth(line, unit, convert, item);
  line += ' ';
  line += fillLetter(item);
  appendField(line, from.x);
  appendField(line, from.y);
  appendField(line, to.x);
  appendField(line, to.y);
  out.push(RecordKind::Arc, convert, unit, std::move(line));
}

void appendStraight(const std::vector<MilPoint>& points, int unit, int convert,
                    const ItemParts& item, SymbolDrawing& out) {
  std::string line = "P";
  appendField(line, long(points.size()));
  appendUnitConvertWidth(line, unit, convert, item);
  for (const MilPoint& p : points) {
    appendField(line, p.x);
    appendField(line, p.y);
  }
  line += " N";
  out.push(RecordKind::Polyline, convert, unit, std::move(line));
}

// The centre of the circle through three points; false when they lie on one line.
bool circleCentre(Vec s, Vec m, Vec e, Vec& centre) {
  const double d = 2 * (s.x * (m.y - e.y) + m.x * (e.y - s.y) + e.x * (s.y - m.y));
  const double scale = std::hypot(m.x - s.x, m.y - s.y) * std::hypot(e.x - s.x, e.y - s.y);
  if (std::fabs(d) <= 1e-9 * scale || scale == 0) return false;
  const double s2 = s.x * s.x + s.y * s.y, m2 = m.x * m.x + m.y * m.y, e2 = e.x * e.x + e.y * e.y;
  centre = {(s2 * (m.y - e.y) + m2 * (e.y - s.y) + e2 * (s.y - m.y)) / d,
            (s2 * (e.x - m.x) + m2 * (s.x - e.x) + e2 * (m.x - s.x)) / d};
  return true;
}

}  // namespace

void appendArcRecords(const ItemParts& item, int unit, int convert, SymbolDrawing& out) {
  const Vec s = milsOf(mmPointOf(item.required(item.start, "start")));
  const Vec e = milsOf(mmPointOf(item.required(item.end, "end")));
  MilPoint from = rounded(s), to = rounded(e);
  Vec centre{};
  double sweep = 0;
  if (item.mid.valid()) {
    const Vec m = milsOf(mmPointOf(item.mid));
    const bool closed = from == to;
    if (closed) {
      centre = {(s.x + m.x) / 2, (s.y + m.y) / 2};
    } else if (!circleCentre(s, m, e, centre)) {
      appendStraight({from, rounded(m), to}, unit, convert, item, out);
      return;
    }
    const double a = std::atan2(s.y - centre.y, s.x - centre.x);
    sweep = closed ? 2 * kPi : turnPositive(std::atan2(e.y - centre.y, e.x - centre.x) - a);
    if (!closed && turnPositive(std::atan2(m.y - centre.y, m.x - centre.x) - a) > sweep) {
      // The arc runs clockwise from start to end: the same arc counter-clockwise from end.
      std::swap(from, to);
      sweep = 2 * kPi - sweep;
    }
  } else {
    // The early form (radius (at X Y) (length R) ...): the shorter way between the points.
    centre = milsOf(mmPointOf(required(item.required(item.radius, "radius"), "at")));
    sweep = turnPositive(std::atan2(e.y - centre.y, e.x - centre.x) -
                         std::atan2(s.y - centre.y, s.x - centre.x));
    if (sweep > kPi) {
      std::swap(from, to);
      sweep = 2 * kPi - sweep;
    }
  }
  const Vec start{from.x - centre.x, from.y - centre.y};
  const double radius = std::hypot(start.x, start.y);
  if (radius > kLargestRadius) {
    appendStraight({from, to}, unit, convert, item, out);
    return;
  }
  if (sweep <= kPi + kHalfTurnSlack) {
    appendOneArc(centre, radius, from, to, unit, convert, item, out);
    return;
  }
  const double middle = std::atan2(start.y, start.x) + sweep / 2;
  const MilPoint half =
      rounded({centre.x + radius * std::cos(middle), centre.y + radius * std::sin(middle)});
  appendOneArc(centre, radius, from, half, unit, convert, item, out);
  appendOneArc(centre, radius, half, to, unit, convert, item, out);
}

}  // namespace quiral
