#include <gtest/gtest.h>

#include "platform/canvas.h"

namespace quiral {
namespace {

// A row of distinct colours: pixel i has bit i of the colour cleared, so ANDing shows exactly
// which source pixels went into a destination pixel.
Bitmap bitRow(int n) {
  Bitmap bm(n, 1);
  for (int i = 0; i < n; ++i) bm.setPixel(i, 0, 0xFFFFFF & ~(Color(1) << i));
  return bm;
}

std::vector<std::vector<int>> groups(const Bitmap& out, int sourceWidth) {
  std::vector<std::vector<int>> g(out.width());
  for (int j = 0; j < out.width(); ++j)
    for (int i = 0; i < sourceWidth; ++i)
      if (!(out.pixel(j, 0) & (Color(1) << i))) g[j].push_back(i);
  return g;
}

TEST(StretchCopy, ShrinkGroupsByCentreSampling) {
  Bitmap out(3, 1);
  stretchCopy(out, {0, 0, 3, 1}, bitRow(5), {0, 0, 5, 1});
  EXPECT_EQ(groups(out, 5), (std::vector<std::vector<int>>{{0, 1}, {2}, {3, 4}}));
  stretchCopy(out, {0, 0, 3, 1}, bitRow(7), {0, 0, 7, 1});
  EXPECT_EQ(groups(out, 7), (std::vector<std::vector<int>>{{0, 1}, {2, 3, 4}, {5, 6}}));
}

TEST(StretchCopy, ShrinkKeepsAOnePixelLine) {
  for (int source : {5, 7}) {
    for (int line = 0; line < source; ++line) {
      Bitmap src(source, source);
      for (int y = 0; y < source; ++y) src.setPixel(line, y, 0);  // vertical line
      for (int x = 0; x < source; ++x) src.setPixel(x, line, 0);  // horizontal line
      Bitmap out(3, 3);
      stretchCopy(out, {0, 0, 3, 3}, src, {0, 0, source, source});
      int blackColumns = 0, blackRows = 0;
      for (int k = 0; k < 3; ++k) {
        bool column = true, row = true;
        for (int m = 0; m < 3; ++m) {
          column &= out.pixel(k, m) == 0;
          row &= out.pixel(m, k) == 0;
        }
        blackColumns += column;
        blackRows += row;
      }
      EXPECT_EQ(blackColumns, 1) << source << " line " << line;
      EXPECT_EQ(blackRows, 1) << source << " line " << line;
    }
  }
}

TEST(StretchCopy, EnlargeAndOneToOnePerAxis) {
  Bitmap src = bitRow(3);
  Bitmap out(7, 2);
  // Enlarge x 3 -> 7 and keep y 1:1 in the first row; the second row stays white.
  stretchCopy(out, {0, 0, 7, 1}, src, {0, 0, 3, 1});
  for (int j = 0; j < 7; ++j) {
    int expected = ((2 * j + 1) * 3 + 2 * 7 - 1) / (2 * 7) - 1;  // ceil((2j+1)S/2D) - 1
    EXPECT_EQ(out.pixel(j, 0), src.pixel(expected, 0)) << j;
    EXPECT_EQ(out.pixel(j, 1), 0xFFFFFFu);
  }
  // Shrink one axis while enlarging the other.
  Bitmap tall(1, 4);
  tall.setPixel(0, 1, 0);
  Bitmap wide(2, 2);
  stretchCopy(wide, {0, 0, 2, 2}, tall, {0, 0, 1, 4});
  EXPECT_EQ(wide.pixel(0, 0), 0u);
  EXPECT_EQ(wide.pixel(1, 0), 0u);
  EXPECT_EQ(wide.pixel(0, 1), 0xFFFFFFu);
}

TEST(StretchCopy, BoxesReachingOutsideAreClipped) {
  Bitmap src(4, 4);
  src.clear(0x112233);
  Bitmap dst(4, 4);
  // Source box hangs off the left/top: those pixels read as white.
  stretchCopy(dst, {-2, -2, 6, 6}, src, {-2, -2, 6, 6});
  EXPECT_EQ(dst.pixel(0, 0), 0x112233u);
  EXPECT_EQ(dst.pixel(3, 3), 0x112233u);
  Bitmap dst2(6, 6);
  stretchCopy(dst2, {0, 0, 6, 6}, src, {-2, -2, 4, 4});
  EXPECT_EQ(dst2.pixel(1, 1), 0xFFFFFFu);
  EXPECT_EQ(dst2.pixel(2, 2), 0x112233u);
  // Huge boxes neither crash nor hang.
  stretchCopy(dst2, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, src, {0, 0, 4, 4});
  EXPECT_EQ(dst2.pixel(0, 0), 0x112233u);
  stretchCopy(dst2, {0, 0, 6, 6}, src, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
}

// The rule written out pixel by pixel: destination pixel (j, k) is the AND of every source pixel
// that lands on it (shrinking) or the one source pixel it takes (enlarging), per axis.
Color expectedPixel(const Bitmap& src, int S, int D, int T, int E, int j, int k) {
  auto lands = [](int i, int s, int d) {
    return (2 * i + 1) * d / (2 * s) + ((2 * i + 1) * d % (2 * s) != 0) - 1;
  };
  auto takes = [](int j2, int s, int d) { return ((2 * j2 + 1) * s + 2 * d - 1) / (2 * d) - 1; };
  Color c = colors::kWhite;
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < S; ++x) {
      const bool column = D < S ? lands(x, S, D) == j : takes(j, S, D) == x;
      const bool row = E < T ? lands(y, T, E) == k : takes(k, T, E) == y;
      if (column && row) c &= src.pixel(x, y);
    }
  return c;
}

TEST(StretchCopy, EveryMixOfShrinkingAndEnlargingFollowsTheRule) {
  Bitmap src(11, 9);
  uint32_t seed = 12345;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 11; ++x) {
      seed = seed * 1103515245 + 12345;
      src.setPixel(x, y, (seed >> 8) & 0xFFFFFF);
    }
  for (int D : {3, 7, 8, 11, 17})
    for (int E : {2, 5, 9, 14}) {
      Bitmap out(D, E);
      stretchCopy(out, {0, 0, D, E}, src, {0, 0, 11, 9});
      for (int k = 0; k < E; ++k)
        for (int j = 0; j < D; ++j)
          ASSERT_EQ(out.pixel(j, k), expectedPixel(src, 11, D, 9, E, j, k))
              << D << "x" << E << " at " << j << "," << k;
    }
}

}  // namespace
}  // namespace quiral
