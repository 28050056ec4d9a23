// Arcs are checked the way the legacy renderer reads them: it draws counter-clockwise between
// the two written points, swapping them when the written angles say the sweep is over half a
// turn. Whatever direction a modern file gives, the drawn arcs must cover the arc through its
// middle point.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "kicad_sym/library_translation.h"

namespace quiral {
namespace {

constexpr double kPi = std::numbers::pi;

struct DrawnArc {
  double from;  // degrees, counter-clockwise from `from` to `to`
  double to;
  int startTenths;
  int endTenths;
};

double degreesOf(double x, double y, double cx, double cy) {
  return std::atan2(y - cy, x - cx) * 180 / kPi;
}

double positive(double degrees) {
  degrees = std::fmod(degrees, 360.0);
  return degrees < 0 ? degrees + 360 : degrees;
}

// The renderer's reading of one A record.
DrawnArc drawn(const std::string& line) {
  std::istringstream in(line);
  std::string a;
  int cx, cy, r, s, e, unit, convert, width;
  std::string fill;
  int x1, y1, x2, y2;
  in >> a >> cx >> cy >> r >> s >> e >> unit >> convert >> width >> fill >> x1 >> y1 >> x2 >> y2;
  int ns = s < 0 ? s + 3600 : s, ne = e < 0 ? e + 3600 : e;
  const bool swapped = ne >= ns ? ne - ns >= 1801 : (ns - ne <= 1801 && ns - ne != 1800);
  if (swapped) std::swap(x1, x2), std::swap(y1, y2);
  return {degreesOf(x1, y1, cx, cy), degreesOf(x2, y2, cx, cy), s, e};
}

std::vector<DrawnArc> translateArc(double startDeg, double sweepDeg, bool clockwise) {
  const double cx = 2.54, cy = -1.27, r = 5.08;  // millimetres: 100, -50 and 200 mils
  auto point = [&](double deg) {
    // Written without the locale, as KiCad writes its files.
    auto number = [](double v) {
      char buffer[32];
      return std::string(
          buffer,
          std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 4).ptr);
    };
    return number(cx + r * std::cos(deg * kPi / 180)) + " " +
           number(cy + r * std::sin(deg * kPi / 180));
  };
  const double endDeg = startDeg + (clockwise ? -sweepDeg : sweepDeg);
  const double midDeg = (startDeg + endDeg) / 2;
  const TranslatedLibrary lib = translateModernLibrary(
      "(kicad_symbol_lib (symbol \"A\" (symbol \"A_1_1\" (arc (start " + point(startDeg) +
      ") (mid " + point(midDeg) + ") (end " + point(endDeg) + ")))))");
  std::vector<DrawnArc> arcs;
  std::istringstream lines(lib.libraryText);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("A ", 0) == 0) arcs.push_back(drawn(line));
  return arcs;
}

TEST(Arcs, EveryQuadrantEitherDirectionAndAcrossHalfATurn) {
  for (double start = -180; start < 180; start += 22.5) {
    for (double sweep : {10.0, 90.0, 135.0, 179.0, 180.0, 181.0, 200.0, 270.0, 350.0}) {
      for (bool clockwise : {false, true}) {
        SCOPED_TRACE(::testing::Message()
                     << "start " << start << " sweep " << sweep << (clockwise ? " clockwise" : ""));
        const std::vector<DrawnArc> arcs = translateArc(start, sweep, clockwise);
        ASSERT_EQ(arcs.size(), sweep > 180.5 ? 2u : 1u);
        // Drawn counter-clockwise, the arc starts where the clockwise one ends.
        const double low = clockwise ? start - sweep : start;
        double covered = 0;
        double expectedFrom = low;
        for (const DrawnArc& arc : arcs) {
          EXPECT_NEAR(positive(arc.from - expectedFrom + 0.5), 0.5, 0.5);
          const double part = positive(arc.to - arc.from);
          EXPECT_LE(part, 180.5);
          covered += part;
          expectedFrom = arc.to;
          // No angle pair that a reader could take for either half.
          const int difference = std::abs(arc.endTenths - arc.startTenths);
          EXPECT_TRUE(difference < 1799 || difference > 1801) << difference;
        }
        EXPECT_NEAR(covered, sweep, 0.6);
      }
    }
  }
}

TEST(Arcs, AHalfCircleIsWrittenAsLegacyLibrariesWriteIt) {
  const TranslatedLibrary lib = translateModernLibrary(
      "(kicad_symbol_lib (symbol \"G\" (symbol \"G_1_1\" (arc (start 0 -3.81) (mid 3.81 0) (end 0 "
      "3.81) (stroke (width 0.254)) (fill (type background))))))");
  EXPECT_NE(lib.libraryText.find("\nA 0 0 150 -899 899 1 1 10 f 0 -150 0 150\n"),
            std::string::npos);
}

TEST(Arcs, ThreePointsOnALineAreALine) {
  const TranslatedLibrary lib = translateModernLibrary(
      "(kicad_symbol_lib (symbol \"L\" (symbol \"L_1_1\" (arc (start 0 0) (mid 1.27 0) (end 2.54 "
      "0)))))");
  EXPECT_NE(lib.libraryText.find("\nP 3 1 1 0 0 0 50 0 100 0 N\n"), std::string::npos);
}

}  // namespace
}  // namespace quiral
