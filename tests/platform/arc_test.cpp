#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/ellipse_trace.h"
#include "tests/platform/pixel_test_util.h"

namespace quiral {
namespace {

using testing::ascii;
using testing::inkedPixels;
using testing::PixelSet;

PixelSet arcPixels(int size, int64_t l, int64_t t, int64_t r, int64_t b, int64_t xs, int64_t ys,
                   int64_t xe, int64_t ye) {
  Bitmap bm(size, size);
  Canvas c(bm);
  c.arc(l, t, r, b, xs, ys, xe, ye);
  return inkedPixels(bm);
}

PixelSet ellipseOutline(int size, int64_t l, int64_t t, int64_t r, int64_t b) {
  Bitmap bm(size, size);
  Canvas c(bm);
  c.ellipse(l, t, r, b);
  return inkedPixels(bm);
}

TEST(Arc, QuarterExample) {
  EXPECT_EQ(arcPixels(10, 0, 0, 9, 9, 9, 4, 4, 0),
            (PixelSet{{8, 4}, {8, 3}, {7, 2}, {7, 1}, {6, 1}}));
  // Reversed corners describe the same box.
  EXPECT_EQ(arcPixels(10, 9, 9, 0, 0, 9, 4, 4, 0), arcPixels(10, 0, 0, 9, 9, 9, 4, 4, 0));
}

TEST(Arc, SequenceStartsAtThreeOClockAndRunsCounterClockwise) {
  std::vector<Point> seq = ellipseOutlineSequence(0, 0, 9, 9);
  ASSERT_FALSE(seq.empty());
  EXPECT_EQ(seq.front(), (Point{8, 4}));
  const std::vector<Point> firstSeven(seq.begin(), seq.begin() + 7);
  EXPECT_EQ(firstSeven,
            (std::vector<Point>{{8, 4}, {8, 3}, {7, 2}, {7, 1}, {6, 1}, {5, 0}, {4, 0}}));
  // Neighbours in the sequence are at most one pixel apart (duplicates at the joints).
  for (size_t i = 0; i < seq.size(); ++i) {
    const Point& a = seq[i];
    const Point& b = seq[(i + 1) % seq.size()];
    ASSERT_LE(std::abs(a.x - b.x), 1);
    ASSERT_LE(std::abs(a.y - b.y), 1);
  }
}

TEST(Arc, EqualRadialsGiveTheWholeEllipseLessOnePixel) {
  for (int size : {5, 8, 9, 14}) {
    PixelSet whole = arcPixels(20, 1, 1, 1 + size, 1 + size, 0, 0, 0, 0);
    PixelSet outline = ellipseOutline(20, 1, 1, 1 + size, 1 + size);
    for (auto p : whole) ASSERT_TRUE(outline.count(p));
    EXPECT_EQ(whole.size() + 1, outline.size()) << size;
  }
}

TEST(Arc, OppositeHalvesCoverTheOutline) {
  // Upper half from 3 to 9 o'clock, lower half from 9 to 3: together the whole outline but the
  // two end pixels the polyline rule leaves out.
  PixelSet upper = arcPixels(20, 2, 2, 15, 11, 100, 6, -100, 6);
  PixelSet lower = arcPixels(20, 2, 2, 15, 11, -100, 6, 100, 6);
  PixelSet outline = ellipseOutline(20, 2, 2, 15, 11);
  for (auto [x, y] : upper) EXPECT_LE(y, 7);
  for (auto [x, y] : lower) EXPECT_GE(y, 6);
  PixelSet both = upper;
  both.insert(lower.begin(), lower.end());
  EXPECT_LE(outline.size() - both.size(), 2u);
  for (auto p : both) EXPECT_TRUE(outline.count(p));
}

TEST(Arc, ClippingAndMask) {
  PixelSet big = arcPixels(60, 10, 10, 40, 30, 0, 0, 50, 50);
  PixelSet small = arcPixels(15, -10, -10, 20, 10, -20, -20, 30, 30);
  EXPECT_EQ(small, testing::window(big, 20, 20, 15, 15));

  Bitmap bm(10, 10);
  bm.clear(0x00FFFF);
  Canvas c(bm);
  c.setPenMode(PenMode::Mask);
  c.setPenColor(0xFF00FF);
  c.arc(0, 0, 9, 9, 9, 4, 4, 0);
  EXPECT_EQ(bm.pixel(8, 4), 0x0000FFu);
  EXPECT_EQ(bm.pixel(5, 0), 0x00FFFFu);
}

TEST(Arc, ZeroSizeBoxDrawsNothing) {
  EXPECT_TRUE(arcPixels(10, 3, 3, 3, 8, 0, 0, 1, 1).empty());
  EXPECT_FALSE(arcPixels(10, 3, 3, 4, 8, 0, 0, 0, 0).empty());  // one column wide still draws
}

}  // namespace
}  // namespace quiral
