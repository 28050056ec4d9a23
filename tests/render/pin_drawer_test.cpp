#include <gtest/gtest.h>

#include "render/renderer.h"
#include "render_test_util.h"

namespace quiral {
namespace {

using testing::anyPixelOf;
using testing::inkBox;
using testing::kB;
using testing::measure;
using testing::renderBlock;

constexpr Color kW = colors::kWhite;

TEST(Pin, ExampleWithBubbleAndTexts) {
  Renderer r;
  renderBlock(r, {"X A 1 0 0 300 R 50 50 1 1 I I"});
  const Bitmap& c = r.DrawingCanvas();
  // Pin line from the connection point to the body, hidden under the bubble near its end.
  EXPECT_EQ(c.pixel(1003, 1000), kB);
  EXPECT_EQ(c.pixel(1045, 1000), kB);
  EXPECT_EQ(c.pixel(1053, 1000), kW);  // bubble interior painted white in copy mode
  EXPECT_EQ(c.pixel(1046, 1000), kB);  // bubble outline, box (1046, 993)-(1060, 1007)
  EXPECT_EQ(c.pixel(1053, 993), kB);
  EXPECT_EQ(c.pixel(1053, 1006), kB);
  EXPECT_EQ(c.pixel(1061, 1000), kW);
  EXPECT_EQ(r.canvas().penMode(), PenMode::Copy);
  EXPECT_EQ(r.state().MinX, 1000);
  EXPECT_EQ(r.state().MaxX, 1061);

  // Measured in the starting font (Arial 8): name centred on the line right of x 1071, number
  // right-aligned 20 pixels left of the end, just above the line.
  Size name = measure("A", 8);
  Size number = measure("1", 8);
  Rect nameInk = inkBox(c, Rect{1065, 900, 1200, 1100});
  EXPECT_GE(nameInk.left, 1071);
  EXPECT_LE(nameInk.right, 1071 + measure("A", 8).width + 2);
  EXPECT_GE(nameInk.top, 1000 - name.height / 2);
  int64_t numberLeft = 1061 - number.width - 20;
  int64_t numberTop = 1000 - name.height - 2;
  Rect numberInk = inkBox(c, Rect{1003, 900, 1046, 998});
  EXPECT_GE(numberInk.left, numberLeft);
  EXPECT_LE(numberInk.right, numberLeft + number.width);
  EXPECT_GE(numberInk.top, numberTop);
  EXPECT_LE(numberInk.bottom, 1000);
  // Both texts at 8 points, black; the number's font stays set.
  EXPECT_EQ(r.canvas().font().pointSize, 8);
  EXPECT_EQ(r.canvas().font().color, kB);
  EXPECT_FALSE(anyPixelOf(c, colors::kOlive, Rect{0, 0, 2000, 2000}));
}

TEST(Pin, LengthZeroDrawsOliveTexts) {
  Renderer r;
  renderBlock(r, {"X A 1 0 0 0 R 50 50 1 1 I"});
  EXPECT_EQ(r.state().MaxX, 1000);  // end point on the connection point
  EXPECT_TRUE(anyPixelOf(r.DrawingCanvas(), colors::kOlive, Rect{900, 900, 1100, 1100}));
  EXPECT_EQ(r.canvas().font().color, colors::kOlive);
}

TEST(Pin, TildeOrRepeatedNameDrawsOnlyTheNumber) {
  for (const char* line : {"X ~ 1 0 0 300 R 50 50 1 1 I", "X 1 1 0 0 300 R 50 50 1 1 I"}) {
    Renderer r;
    renderBlock(r, {line});
    EXPECT_EQ(inkBox(r.DrawingCanvas(), Rect{1062, 900, 1200, 1100}), Rect{}) << line;
    EXPECT_NE(inkBox(r.DrawingCanvas(), Rect{1003, 900, 1061, 998}), Rect{}) << line;
  }
}

TEST(Pin, NameFontIsNotChosenForANameThatIsNotDrawn) {
  // Name size 120 would give 15 points; with the name ~ the font only becomes the number's.
  Renderer r;
  renderBlock(r, {"X ~ 1 0 0 300 R 50 120 1 1 I"}, /*numbers=*/false, /*names=*/true);
  EXPECT_EQ(r.canvas().font().pointSize, 8);
}

TEST(Pin, FiltersAndOrientationSkipWholePins) {
  for (const char* line :
       {"X A 1 0 0 300 R 50 50 2 1 I", "X A 1 0 0 300 R 50 50 1 2 I", "X A 1 0 0 300 u 50 50 1 1 I",
        "X A 1 0 0 300 Q 50 50 1 1 I", "X A 1 0 0 300 \"\" 50 50 1 1 I"}) {
    Renderer r;
    renderBlock(r, {line});
    EXPECT_EQ(inkBox(r.DrawingCanvas()), Rect{}) << line;
    EXPECT_EQ(r.ViewImage().width(), 101) << line;
  }
  for (const char* line : {"X A 1 0 0 300 R 50 50 0 0 I", "X A 1 0 0 300 Right 50 50 1 0 I"}) {
    Renderer r;
    renderBlock(r, {line});
    EXPECT_NE(inkBox(r.DrawingCanvas()), Rect{}) << line;
  }
}

TEST(Pin, HiddenNumberStillSetsItsFont) {
  Renderer r;
  renderBlock(r, {"X ~ 1 0 0 300 R 70 50 1 1 I"}, /*numbers=*/false, /*names=*/true);
  EXPECT_EQ(r.canvas().font().pointSize, 10);
  EXPECT_EQ(inkBox(r.DrawingCanvas(), Rect{1003, 900, 1046, 998}), Rect{});
}

TEST(Pin, VerticalTextsTurnWithThePin) {
  Renderer up;
  renderBlock(up, {"X NAME 12 0 0 300 U 50 50 1 1 I"});
  EXPECT_EQ(up.canvas().font().escapement, 900);
  Renderer down;
  renderBlock(down, {"X NAME 12 0 0 300 D 50 50 1 1 I"});
  EXPECT_EQ(down.canvas().font().escapement, -900);
  // Up: the number sits left of the pin, centred along it (the pin runs y 939..1000).
  Rect number = inkBox(up.DrawingCanvas(), Rect{900, 940, 995, 1010});
  EXPECT_NE(number, Rect{});
  EXPECT_LE(number.right, 995);
  EXPECT_GE(number.left, 986);
  int64_t middle = (number.top + number.bottom) / 2;
  EXPECT_NEAR(double(middle), 969.5, 3.0);
}

// Pixels only a shape mark sets, for a pin of length 300 at the origin (no texts drawn).
struct MarkCase {
  const char* orientation;
  const char* shape;
  std::vector<std::pair<int, int>> black;
};

TEST(Pin, ShapeMarksPerOrientation) {
  const std::vector<MarkCase> cases = {
      // R: end (1061, 1000); L: end (940, 1000); U: end (1000, 939); D: end (1000, 1060).
      {"R", "V", {{1061, 993}, {1054, 996}}},
      {"R", "L", {{1047, 993}, {1047, 998}}},
      {"R", "C", {{1061, 1007}, {1061, 993}, {1064, 996}}},
      {"L", "V", {{940, 993}, {947, 996}}},
      {"L", "L", {{954, 993}, {954, 998}}},
      {"L", "C", {{940, 993}, {940, 1007}, {936, 997}}},
      {"U", "V", {{993, 939}, {996, 946}}},
      {"U", "L", {{993, 953}, {998, 953}}},
      {"U", "C", {{1007, 939}, {1000, 932}, {994, 938}}},
      {"D", "V", {{993, 1060}, {996, 1053}}},
      {"D", "L", {{993, 1046}, {998, 1046}}},
      {"D", "C", {{1007, 1060}, {993, 1060}}},
  };
  for (const MarkCase& m : cases) {
    std::string base = std::string("X ~ 1 0 0 300 ") + m.orientation + " 50 50 1 1 I";
    Renderer plain;
    renderBlock(plain, {base + " N"}, false, false);
    Renderer marked;
    renderBlock(marked, {base + " " + m.shape}, false, false);
    for (auto [x, y] : m.black) {
      EXPECT_EQ(plain.DrawingCanvas().pixel(x, y), kW) << m.orientation << m.shape << x << "," << y;
      EXPECT_EQ(marked.DrawingCanvas().pixel(x, y), kB)
          << m.orientation << m.shape << x << "," << y;
    }
  }
}

TEST(Pin, ClockAndFlagTogetherOnALeftPin) {
  Renderer r;
  renderBlock(r, {"X ~ 1 0 0 300 L 50 50 1 1 I CL"}, false, false);
  const Bitmap& c = r.DrawingCanvas();
  EXPECT_EQ(c.pixel(940, 993), kB);  // clock wedge, inside the body (left of the end)
  EXPECT_EQ(c.pixel(936, 997), kB);
  EXPECT_EQ(c.pixel(954, 993), kB);  // input flag, outside the body
  EXPECT_EQ(r.canvas().penMode(), PenMode::Mask);
}

TEST(Pin, InvertedClockHasBubbleAndWedge) {
  Renderer r;
  renderBlock(r, {"X ~ 1 0 0 300 R 50 50 1 1 I IC"}, false, false);
  EXPECT_EQ(r.canvas().penMode(), PenMode::Copy);
  EXPECT_EQ(r.DrawingCanvas().pixel(1061, 1007), kB);
  EXPECT_EQ(r.DrawingCanvas().pixel(1046, 1000), kB);
}

TEST(Pin, ConnectionMarkLeftOfTheConnectionPoint) {
  Renderer r;
  renderBlock(r, {"X ~ 1 0 0 0 R 50 50 1 1 I"}, false, false);
  // Ellipse box (996, 998)-(1002, 1002): nothing at or beyond column 1002, nothing at row 1002.
  EXPECT_EQ(inkBox(r.DrawingCanvas()), (Rect{996, 998, 1002, 1002}));
}

}  // namespace
}  // namespace quiral
