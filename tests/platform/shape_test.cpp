#include <gtest/gtest.h>

#include <climits>

#include "platform/canvas.h"
#include "tests/platform/pixel_test_util.h"

namespace quiral {
namespace {

using testing::ascii;
using testing::inkedPixels;
using testing::PixelSet;

constexpr Color kBrush = 0x00FF00;

// Draws with a black pen and a green brush in copy mode; returns the picture.
template <typename Draw>
Bitmap paint(int w, int h, Draw draw, Color brush = kBrush) {
  Bitmap bm(w, h);
  Canvas c(bm);
  c.setBrushColor(brush);
  draw(c);
  return bm;
}

PixelSet pixelsOf(const Bitmap& bm, Color c) {
  PixelSet s;
  for (int y = 0; y < bm.height(); ++y)
    for (int x = 0; x < bm.width(); ++x)
      if (bm.pixel(x, y) == c) s.insert({x, y});
  return s;
}

TEST(Rectangle, OutlineExcludesRightAndBottomAndInteriorIsBrushed) {
  Bitmap bm = paint(8, 6, [](Canvas& c) { c.rectangle(0, 0, 5, 3); });
  EXPECT_EQ(ascii(pixelsOf(bm, 0), 8, 6),
            "#####...\n"
            "#...#...\n"
            "#####...\n"
            "........\n"
            "........\n"
            "........\n");
  EXPECT_EQ(pixelsOf(bm, kBrush), (PixelSet{{1, 1}, {2, 1}, {3, 1}}));
  // Reversed corners draw the same box.
  EXPECT_EQ(ascii(paint(8, 6, [](Canvas& c) { c.rectangle(5, 3, 0, 0); })), ascii(bm));
  EXPECT_EQ(ascii(paint(8, 6, [](Canvas& c) { c.rectangle(5, 0, 0, 3); })), ascii(bm));
}

TEST(Rectangle, DegenerateBoxes) {
  EXPECT_TRUE(inkedPixels(paint(6, 6, [](Canvas& c) { c.rectangle(1, 1, 1, 5); })).empty());
  EXPECT_TRUE(inkedPixels(paint(6, 6, [](Canvas& c) { c.rectangle(1, 2, 5, 2); })).empty());
  EXPECT_EQ(inkedPixels(paint(6, 6, [](Canvas& c) { c.rectangle(2, 1, 3, 4); })),
            (PixelSet{{2, 1}, {2, 2}, {2, 3}}));
  EXPECT_EQ(inkedPixels(paint(6, 6, [](Canvas& c) { c.rectangle(1, 4, 4, 5); })),
            (PixelSet{{1, 4}, {2, 4}, {3, 4}}));
}

TEST(Rectangle, MaskWithWhiteBrushKeepsWhatIsUnder) {
  Bitmap bm(6, 6);
  bm.clear(0x808080);
  Canvas c(bm);
  c.setPenMode(PenMode::Mask);
  c.setPenColor(0x0000FF);
  c.rectangle(0, 0, 6, 6);
  EXPECT_EQ(bm.pixel(0, 0), 0x000080u);
  EXPECT_EQ(bm.pixel(3, 3), 0x808080u);
  c.setPenMode(PenMode::Copy);
  c.rectangle(0, 0, 6, 6);
  EXPECT_EQ(bm.pixel(3, 3), 0xFFFFFFu);
  EXPECT_EQ(bm.pixel(5, 5), 0x0000FFu);
}

TEST(Rectangle, HugeBoxIsClippedAnalytically) {
  for (int64_t far : {int64_t(INT32_MAX), INT64_MAX}) {
    Bitmap bm(50, 40);
    Canvas c(bm);
    c.setBrushColor(kBrush);
    c.rectangle(-far - 1, -far - 1, far, far);
    EXPECT_EQ(pixelsOf(bm, kBrush).size(), 50u * 40u);
    EXPECT_EQ(c.workDone(), 50u * 40u) << "only the bitmap's own pixels are walked";
  }
  Bitmap edge = paint(50, 40, [](Canvas& c) { c.rectangle(-1, -1, 50, 40); });
  EXPECT_EQ(pixelsOf(edge, 0).size(), 40u + 50u - 1);  // the right column and bottom row show
}

TEST(FillRect, IgnoresPenModeAndClips) {
  Bitmap bm(5, 5);
  bm.clear(0x0000FF);
  Canvas c(bm);
  c.setPenMode(PenMode::Mask);
  c.setBrushColor(0xFFFFFF);
  c.fillRect(3, 3, -100, -100);
  EXPECT_EQ(bm.pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(bm.pixel(2, 2), 0xFFFFFFu);
  EXPECT_EQ(bm.pixel(3, 3), 0x0000FFu);
  EXPECT_EQ(c.touched(), (Rect{0, 0, 3, 3}));
}

TEST(Ellipse, ExamplesAndSmallBoxes) {
  EXPECT_EQ(ascii(paint(
                5, 5, [](Canvas& c) { c.ellipse(0, 0, 5, 5); }, colors::kWhite)),
            ".###.\n"
            "#...#\n"
            "#...#\n"
            "#...#\n"
            ".###.\n");
  EXPECT_EQ(ascii(paint(
                4, 4, [](Canvas& c) { c.ellipse(4, 4, 0, 0); }, colors::kWhite)),
            ".##.\n"
            "#..#\n"
            "#..#\n"
            ".##.\n");
  // Two pixels or less across: the rectangle rule.
  EXPECT_EQ(ascii(paint(6, 4, [](Canvas& c) { c.ellipse(0, 0, 6, 2); })),
            ascii(paint(6, 4, [](Canvas& c) { c.rectangle(0, 0, 6, 2); })));
}

// Checks the outline of every box size: inside its box, mirror-symmetric, 8-connected along the
// traced quadrant, and touching all four sides (including tall, narrow boxes).
TEST(Ellipse, OutlineTouchesAllSidesAndIsSymmetricForEverySize) {
  for (int w = 3; w <= 40; ++w) {
    for (int h = 3; h <= 40; ++h) {
      Bitmap bm = paint(w + 4, h + 4, [&](Canvas& c) { c.ellipse(2, 2, 2 + w, 2 + h); });
      PixelSet outline = pixelsOf(bm, 0);
      int64_t minX = 1 << 20, maxX = -1, minY = 1 << 20, maxY = -1;
      for (auto [x, y] : outline) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
        ASSERT_TRUE(outline.count({2 + 2 + w - 1 - x, y})) << w << "x" << h;
        ASSERT_TRUE(outline.count({x, 2 + 2 + h - 1 - y})) << w << "x" << h;
      }
      ASSERT_EQ(minX, 2) << w << "x" << h << "\n" << ascii(bm);
      ASSERT_EQ(maxX, 2 + w - 1) << w << "x" << h << "\n" << ascii(bm);
      ASSERT_EQ(minY, 2) << w << "x" << h << "\n" << ascii(bm);
      ASSERT_EQ(maxY, 2 + h - 1) << w << "x" << h << "\n" << ascii(bm);
      // Interior rule: each row is brushed strictly between its outermost outline pixels.
      for (int y = 0; y < bm.height(); ++y) {
        int left = -1, right = -1;
        for (int x = 0; x < bm.width(); ++x)
          if (bm.pixel(x, y) == 0) {
            if (left < 0) left = x;
            right = x;
          }
        for (int x = left + 1; x < right; ++x) {
          Color p = bm.pixel(x, y);
          ASSERT_TRUE(p == 0 || p == kBrush) << w << "x" << h << " row " << y;
        }
      }
    }
  }
}

TEST(Ellipse, TallNarrowBoxReachesItsTips) {
  Bitmap bm = paint(3, 12, [](Canvas& c) { c.ellipse(0, 0, 3, 12); });
  EXPECT_EQ(bm.pixel(1, 0), 0u) << ascii(bm);
  EXPECT_EQ(bm.pixel(1, 11), 0u) << ascii(bm);
}

TEST(Ellipse, ClippingMatchesTheUnclippedDrawing) {
  for (int l = -12; l <= 12; l += 3) {
    for (int t = -12; t <= 12; t += 4) {
      Bitmap big = paint(60, 60, [&](Canvas& c) { c.ellipse(l + 20, t + 20, l + 37, t + 31); });
      Bitmap small = paint(10, 10, [&](Canvas& c) { c.ellipse(l, t, l + 17, t + 11); });
      for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(small.pixel(x, y), big.pixel(x + 20, y + 20));
    }
  }
}

TEST(Ellipse, FarAwayAndHugeBoxesAreSkippedWithoutWork) {
  Bitmap bm(20, 20);
  Canvas c(bm);
  c.ellipse(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  c.ellipse(-70000, 5, 10, 15);
  c.ellipse(100, 100, 300, 300);
  c.arc(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 0, 1, 1);
  c.arc(-5000000, -5000000, 3, 3, 0, 0, 1, 1);
  c.arc(100, 100, 300, 300, 0, 0, 1, 1);
  EXPECT_TRUE(inkedPixels(bm).empty());
  EXPECT_EQ(c.workDone(), 0u);
  // A box near the largest that is traced costs in proportion to its outline, not its area.
  c.setBrushColor(kBrush);
  c.ellipse(-30000, -30000, 30010, 30010);
  EXPECT_EQ(pixelsOf(bm, kBrush).size(), 20u * 20u);
  EXPECT_LT(c.workDone(), 10u * 60010u);
}

TEST(Ellipse, CopyModePaintsInteriorMaskKeepsIt) {
  Bitmap bm(9, 9);
  bm.clear(0x404040);
  Canvas c(bm);
  c.setPenMode(PenMode::Mask);
  c.ellipse(0, 0, 9, 9);
  EXPECT_EQ(bm.pixel(4, 4), 0x404040u);
  EXPECT_EQ(bm.pixel(4, 0), 0u);
  c.setPenMode(PenMode::Copy);
  c.ellipse(0, 0, 9, 9);
  EXPECT_EQ(bm.pixel(4, 4), 0xFFFFFFu);
  EXPECT_EQ(bm.pixel(0, 0), 0x404040u);  // corner outside the ellipse untouched
  EXPECT_EQ(c.touched(), (Rect{0, 0, 9, 9}));
}

}  // namespace
}  // namespace quiral

namespace quiral {
namespace {

// The full 64-bit range reaches every primitive without overflow, hang or stray pixels.
TEST(Canvas, ExtremeCoordinatesAreSafe) {
  const int64_t lo = INT64_MIN, hi = INT64_MAX;
  Bitmap bm(16, 16);
  Canvas c(bm);
  c.setBrushColor(0x00FF00);
  c.rectangle(lo, lo, hi, hi);
  EXPECT_EQ(bm.pixel(0, 0), 0x00FF00u);  // interior of a box larger than the picture
  c.ellipse(lo, lo, hi, hi);
  c.ellipse(hi - 3, hi - 3, hi, hi);
  c.arc(lo, lo, hi, hi, lo, hi, hi, lo);
  c.arc(hi - 10, 0, hi, 10, lo, lo, hi, hi);
  c.arc(0, 0, 10, 10, lo, hi, hi, lo);  // radials only give angles
  c.moveTo(lo, lo);
  c.lineTo(hi, hi);
  c.lineTo(hi, hi - 1);
  c.polyline({{hi, 3}, {hi - 5, 3}, {lo, 3}, {lo, lo}});
  c.fillRect(hi, hi, lo, lo);
  EXPECT_EQ(bm.pixel(15, 15), 0x00FF00u);
  c.textOut(hi, hi, "x");
  c.textOut(lo, 5, "x");
  stretchCopy(bm, {lo, lo, hi, hi}, bm, {lo, lo, hi, hi});
  stretchCopy(bm, {hi - 2, 0, hi, 5}, bm, {0, 0, 4, 4});
  EXPECT_EQ(c.touched(), (Rect{0, 0, 16, 16}));
}

}  // namespace
}  // namespace quiral
