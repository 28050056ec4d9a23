#include <gtest/gtest.h>

#include <random>

#include "platform/canvas.h"

namespace quiral {
namespace {

// The renderer clears only touched() between drawings, so every pixel any primitive changes
// must lie inside it, for shapes partly outside the picture too.
TEST(Touched, HoldsEveryChangedPixel) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> coord(-20, 80);
  for (int round = 0; round < 300; ++round) {
    Bitmap bm(60, 60);
    Canvas c(bm);
    c.setBrushColor(0x00FF00);
    const int64_t a = coord(rng), b = coord(rng), d = coord(rng), e = coord(rng);
    FontSpec f;
    switch (round % 7) {
      case 0:
        c.rectangle(a, b, d, e);
        break;
      case 1:
        c.ellipse(a, b, d, e);
        break;
      case 2:
        c.arc(a, b, d, e, coord(rng), coord(rng), coord(rng), coord(rng));
        break;
      case 3:
        c.polyline({{a, b}, {d, e}, {b, a}});
        break;
      case 4:
        c.fillRect(a, b, d, e);
        break;
      default:
        f.escapement = round % 7 == 5 ? 900 : -900;
        f.pointSize = 6 + round % 9;
        c.setFont(f);
        c.textOut(a, b, "Wjg\xC3\x89");
        break;
    }
    const Rect t = c.touched();
    for (int y = 0; y < 60; ++y) {
      for (int x = 0; x < 60; ++x) {
        if (bm.pixel(x, y) == 0xFFFFFF) continue;
        ASSERT_TRUE(x >= t.left && x < t.right && y >= t.top && y < t.bottom)
            << "round " << round << " pixel " << x << "," << y;
      }
    }
    EXPECT_GE(t.left, 0);
    EXPECT_GE(t.top, 0);
    EXPECT_LE(t.right, 60);
    EXPECT_LE(t.bottom, 60);
  }
}

}  // namespace
}  // namespace quiral
