#include "platform/page_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/font_engine.h"

namespace quiral {
namespace {

TEST(PageText, MetricsAndWidthsScaleExactlyWithTheEm) {
  FontEngine fonts;
  FontSpec arial;
  PageFontMetrics m = pageFontMetrics(fonts, arial, 20.48);
  EXPECT_DOUBLE_EQ(m.ascent, 18.54);
  EXPECT_DOUBLE_EQ(m.descent, 4.34);
  const std::string text = "Cat\xC3\xA1logo de Componentes 0123";
  double w10 = pageTextWidth(fonts, arial, 10.0, text);
  EXPECT_GT(w10, 50.0);
  EXPECT_NEAR(pageTextWidth(fonts, arial, 37.5, text), w10 * 3.75, 1e-9);
  EXPECT_NEAR(pageTextWidth(fonts, arial, 10.0, "Cat") + pageTextWidth(fonts, arial, 10.0, "alog"),
              pageTextWidth(fonts, arial, 10.0, "Catalog"), 1e-9);
  // Liberation Sans digits are 1139 units wide, as Arial's.
  EXPECT_NEAR(pageTextWidth(fonts, arial, 2048.0, "0"), 1139.0, 1e-9);
  FontSpec bold = arial;
  bold.bold = true;
  EXPECT_GT(pageTextWidth(fonts, bold, 10.0, "Component"),
            pageTextWidth(fonts, arial, 10.0, "Component"));
}

TEST(PageText, DrawsAntialiasedOnTheBaselineInsideTheClip) {
  FontEngine fonts;
  Bitmap bm(200, 60);
  FontSpec f;
  f.color = 0x000080;
  drawPageText(fonts, bm, 10.25, 40.0, f, 24.0, "HIH", {0, 0, 200, 60});
  int inkTop = 1000, inkBottom = -1, inkLeft = 1000, greys = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      Color p = bm.pixel(x, y);
      if (p == 0xFFFFFF) continue;
      EXPECT_EQ(redOf(p), greenOf(p));  // blended between white and navy
      EXPECT_GE(blueOf(p), 0x80);
      inkTop = std::min(inkTop, y), inkBottom = std::max(inkBottom, y);
      inkLeft = std::min(inkLeft, x);
      greys += p != 0x000080;
    }
  }
  EXPECT_EQ(inkBottom, 39);                   // the H stands on the baseline
  EXPECT_NEAR(inkTop, 40 - 0.716 * 24, 1.0);  // cap height of the face
  EXPECT_NEAR(inkLeft, 10.25 + 0.08 * 24, 1.5);
  EXPECT_GT(greys, 0);

  // Only the clip changes.
  Bitmap clipped(200, 60);
  drawPageText(fonts, clipped, 10.25, 40.0, f, 24.0, "HIH", {0, 0, 30, 35});
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (x < 30 && y < 35)
        ASSERT_EQ(clipped.pixel(x, y), bm.pixel(x, y));
      else
        ASSERT_EQ(clipped.pixel(x, y), 0xFFFFFFu);
    }
  }
}

TEST(PageText, DegenerateInputDrawsNothing) {
  FontEngine fonts;
  Bitmap bm(20, 20);
  FontSpec f;
  drawPageText(fonts, bm, 2, 15, f, 0.0, "x", {0, 0, 20, 20});
  drawPageText(fonts, bm, 2, 15, f, -5.0, "x", {0, 0, 20, 20});
  drawPageText(fonts, bm, NAN, 15, f, 12.0, "x", {0, 0, 20, 20});
  drawPageText(fonts, bm, 1e300, 15, f, 12.0, "x", {0, 0, 20, 20});
  drawPageText(fonts, bm, 2, 15, f, 12.0, "x", {5, 5, 5, 20});
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(bm.pixel(x, y), 0xFFFFFFu);
  drawPageText(fonts, bm, 2, 15, f, 1e9, "x", {0, 0, 20, 20});  // capped em: finishes
}

}  // namespace
}  // namespace quiral
