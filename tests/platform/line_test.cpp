#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "platform/canvas.h"
#include "tests/platform/pixel_test_util.h"

namespace quiral {
namespace {

using testing::inkedPixels;
using testing::PixelSet;
using Wide = __int128;

// The pixels a line should set, found the slow way: for each major step, the minor coordinate
// whose distance to the ideal line is smallest (ties to the smaller), limited to a w x h window.
PixelSet referenceLine(Point a, Point b, int64_t w, int64_t h) {
  PixelSet set;
  Wide dx = Wide(b.x) - a.x, dy = Wide(b.y) - a.y;
  auto absw = [](Wide v) { return v < 0 ? -v : v; };
  bool xMajor = absw(dx) > absw(dy);
  Wide m0 = xMajor ? a.x : a.y, n0 = xMajor ? a.y : a.x;
  Wide dm = xMajor ? dx : dy, dn = xMajor ? dy : dx, steps = absw(dm);
  int sm = dm > 0 ? 1 : -1;
  // Only steps near the window matter; the window bounds the search.
  Wide lim = xMajor ? w : h;
  Wide kLo = sm > 0 ? -m0 : m0 - lim + 1, kHi = kLo + lim - 1;
  if (kLo < 0) kLo = 0;
  if (kHi > steps - 1) kHi = steps - 1;
  for (Wide k = kLo; k <= kHi; ++k) {
    Wide m = m0 + sm * k;
    Wide target = n0 * steps + k * dn;  // ideal minor times steps
    Wide n = target / steps;
    if (target % steps < 0) --n;  // floor
    Wide dLow = target - n * steps, dHigh = (n + 1) * steps - target;
    if (dHigh < dLow) ++n;
    int64_t x = int64_t(xMajor ? m : n), y = int64_t(xMajor ? n : m);
    if (x >= 0 && y >= 0 && x < w && y < h) set.insert({x, y});
  }
  return set;
}

PixelSet drawn(int w, int h, Point a, Point b) {
  Bitmap bm(w, h);
  Canvas c(bm);
  c.moveTo(a.x, a.y);
  c.lineTo(b.x, b.y);
  return inkedPixels(bm);
}

TEST(Line, ExamplesAndBothDirections) {
  EXPECT_EQ(drawn(8, 8, {0, 0}, {4, 2}), (PixelSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
  EXPECT_EQ(drawn(8, 8, {4, 2}, {0, 0}), (PixelSet{{4, 2}, {3, 1}, {2, 1}, {1, 0}}));
  EXPECT_EQ(drawn(8, 8, {0, 0}, {2, 4}), (PixelSet{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
  // Diagonal: y-major, every pixel on the diagonal but the end.
  EXPECT_EQ(drawn(8, 8, {1, 1}, {4, 4}), (PixelSet{{1, 1}, {2, 2}, {3, 3}}));
  EXPECT_EQ(drawn(8, 8, {3, 1}, {0, 4}), (PixelSet{{3, 1}, {2, 2}, {1, 3}}));
}

TEST(Line, HorizontalAndVerticalAreHalfOpen) {
  EXPECT_EQ(drawn(8, 8, {1, 3}, {4, 3}), (PixelSet{{1, 3}, {2, 3}, {3, 3}}));
  EXPECT_EQ(drawn(8, 8, {4, 3}, {1, 3}), (PixelSet{{4, 3}, {3, 3}, {2, 3}}));
  EXPECT_EQ(drawn(8, 8, {2, 5}, {2, 2}), (PixelSet{{2, 5}, {2, 4}, {2, 3}}));
  EXPECT_EQ(drawn(8, 8, {2, 2}, {2, 5}), (PixelSet{{2, 2}, {2, 3}, {2, 4}}));
  EXPECT_TRUE(drawn(8, 8, {2, 2}, {2, 2}).empty());
}

TEST(Line, AllOctantsMatchTheNearestPixelRuleAndAreReversible) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(0, 39);
  int octantsSeen = 0;
  for (int n = 0; n < 3000; ++n) {
    Point a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    if (a.x == b.x || a.y == b.y) continue;
    int64_t dx = b.x - a.x, dy = b.y - a.y;
    octantsSeen |= 1 << ((dx > 0) * 4 + (dy > 0) * 2 + (std::abs(dx) > std::abs(dy)));
    PixelSet forward = drawn(40, 40, a, b), backward = drawn(40, 40, b, a);
    ASSERT_EQ(forward, referenceLine(a, b, 40, 40))
        << a.x << "," << a.y << " -> " << b.x << "," << b.y;
    // Same pixels either way, apart from the end left out.
    forward.insert({b.x, b.y});
    backward.insert({a.x, a.y});
    ASSERT_EQ(forward, backward);
  }
  EXPECT_EQ(octantsSeen, 0xFF);
}

TEST(Line, ClippingAtEveryEdgeKeepsTheSamePixels) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> coord(-30, 50);
  for (int n = 0; n < 2000; ++n) {
    Point a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    // The same line on a large picture shifted by 40: the 20 x 20 window must agree.
    PixelSet big = drawn(140, 140, {a.x + 40, a.y + 40}, {b.x + 40, b.y + 40});
    ASSERT_EQ(drawn(20, 20, a, b), testing::window(big, 40, 40, 20, 20));
  }
}

TEST(Line, HugeCoordinatesWalkOnlyTheVisibleStepsAndStayExact) {
  const std::vector<std::pair<Point, Point>> lines = {
      {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX - 7}},
      {{INT32_MAX, 3}, {INT32_MIN, 17}},
      {{-5, INT32_MIN}, {25, INT32_MAX}},
      {{INT32_MIN, 10}, {INT32_MAX, 10}},
      {{12, INT32_MAX}, {12, INT32_MIN}},
      {{INT64_C(-1) << 40, (INT64_C(1) << 39) + 3}, {INT64_C(1) << 40, -(INT64_C(1) << 39)}},
  };
  for (auto [a, b] : lines) {
    Bitmap bm(30, 30);
    Canvas c(bm);
    c.moveTo(a.x, a.y);
    c.lineTo(b.x, b.y);
    const PixelSet got = inkedPixels(bm);
    if (a.x != b.x && a.y != b.y)
      EXPECT_EQ(got, referenceLine(a, b, 30, 30));
    else
      EXPECT_FALSE(got.empty());
    // At most one step per column or row of the bitmap, however far the ends lie.
    EXPECT_LE(c.workDone(), 30u);
    EXPECT_EQ(c.workDone(), got.size());
  }
}

TEST(Line, MaskAndsWhileCopyReplaces) {
  Bitmap bm(4, 1);
  bm.clear(0x3366CC);
  Canvas c(bm);
  c.setPenColor(0x0F0FF0);
  c.setPenMode(PenMode::Mask);
  c.moveTo(0, 0);
  c.lineTo(2, 0);
  EXPECT_EQ(bm.pixel(0, 0), 0x3366CCu & 0x0F0FF0u);
  c.setPenMode(PenMode::Copy);
  c.lineTo(3, 0);
  EXPECT_EQ(bm.pixel(2, 0), 0x0F0FF0u);
  EXPECT_EQ(bm.pixel(3, 0), 0x3366CCu);  // end point left out
  EXPECT_EQ(c.currentPosition(), (Point{3, 0}));
}

TEST(Polyline, SegmentsLeaveOutTheirEndAndZeroLengthSetsNothing) {
  Bitmap bm(10, 10);
  Canvas c(bm);
  c.polyline({{1, 1}, {4, 1}, {4, 1}, {4, 4}, {1, 7}});
  PixelSet expected = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}, {4, 4}, {3, 5}, {2, 6}};
  EXPECT_EQ(inkedPixels(bm), expected);
  Rect box = c.touched();
  EXPECT_LE(box.left, 1);
  EXPECT_GE(box.right, 5);
  EXPECT_LE(box.top, 1);
  EXPECT_GE(box.bottom, 7);
  c.resetTouched();
  EXPECT_EQ(c.touched().width(), 0);
  c.polyline({{3, 3}});  // one point: nothing
  EXPECT_EQ(c.touched().width(), 0);
}

}  // namespace
}  // namespace quiral
