#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/font_engine.h"
#include "tests/platform/pixel_test_util.h"

namespace quiral {
namespace {

using testing::PixelSet;

// The symbol canvas relies on the metrics of Liberation Sans standing in for Arial; a machine
// where "Arial" resolves elsewhere must fail here rather than draw subtly different symbols.
TEST(Fonts, ArialResolvesToLiberationSans) {
  FontEngine fonts;
  FontFace& regular = fonts.face("Arial", false);
  ASSERT_EQ(regular.familyName(), "Liberation Sans")
      << "\"Arial\" resolved to " << regular.file() << "; install fonts-liberation2";
  EXPECT_NE(regular.file().find("liberation2"), std::string::npos) << regular.file();
  FontFace& bold = fonts.face("Arial", true);
  EXPECT_EQ(bold.familyName(), "Liberation Sans");
  EXPECT_EQ(bold.styleName(), "Bold");
  EXPECT_EQ(regular.winAscent(), 1854);
  EXPECT_EQ(regular.winDescent(), 434);
  EXPECT_EQ(regular.unitsPerEm(), 2048);
}

TEST(Fonts, EmFromPointsRoundsLikeMulDivAndClampsSmallSizes) {
  EXPECT_EQ(emForPoints(8), 11);
  EXPECT_EQ(emForPoints(9), 12);
  EXPECT_EQ(emForPoints(10), 13);
  EXPECT_EQ(emForPoints(12), 16);
  EXPECT_EQ(emForPoints(0), emForPoints(1));
  EXPECT_EQ(emForPoints(-40), emForPoints(1));
  EXPECT_EQ(emForPoints(1 << 30), kMaxEmPixels);
}

TEST(Fonts, UnknownFaceFallsBackToDefaultSans) {
  FontEngine fonts;
  ::testing::internal::CaptureStderr();
  FontFace& f = fonts.face("No Such Face Quiral", false);
  fonts.face("No Such Face Quiral", false);
  fonts.face("No Such Face Quiral", true);
  std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(f.familyName().empty());
  // Said once, naming the face that was asked for.
  size_t first = said.find("No Such Face Quiral");
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(said.find("No Such Face Quiral", first + 1), std::string::npos) << said;
}

template <typename T>
concept SharedInstance = requires {
  T::instance();
};

// Fonts belong to whoever made the engine: none is reachable from everywhere, two engines open
// and cache their fonts apart, and closing one leaves the other working.
TEST(Fonts, EnginesKeepTheirFontsApart) {
  static_assert(!SharedInstance<FontEngine>);
  FontEngine kept;
  SizedFont* keptFont = &kept.canvasFont(FontSpec{});
  {
    FontEngine other;
    SizedFont& otherFont = other.canvasFont(FontSpec{});
    EXPECT_NE(&otherFont, keptFont);
    EXPECT_NE(&other.face("Arial", false), &kept.face("Arial", false));
    EXPECT_EQ(other.face("Arial", false).file(), kept.face("Arial", false).file());
    EXPECT_EQ(otherFont.advance(U'W'), keptFont->advance(U'W'));
  }
  EXPECT_EQ(&kept.canvasFont(FontSpec{}), keptFont);
  EXPECT_EQ(keptFont->glyph(U'W').advance, keptFont->advance(U'W'));
  EXPECT_EQ(kept.face("Arial", true).styleName(), "Bold");  // a lookup after the other closed
}

Size extentAt(int points, std::string_view text) {
  Bitmap bm(1, 1);
  Canvas c(bm);
  FontSpec f;
  f.pointSize = points;
  c.setFont(f);
  return c.textExtent(text);
}

TEST(Text, HeightsOfTheCommonSizes) {
  EXPECT_EQ(extentAt(8, "Hg").height, 12);
  EXPECT_EQ(extentAt(9, "Hg").height, 14);
  EXPECT_EQ(extentAt(10, "Hg").height, 15);
  EXPECT_EQ(extentAt(12, "Hg").height, 17);
  EXPECT_EQ(extentAt(0, "Hg"), extentAt(1, "Hg"));
}

TEST(Text, ExtentsAddUpOverAscii) {
  for (int points : {7, 8, 10, 12}) {
    int64_t sum = 0;
    std::string all;
    for (char c = 32; c < 127; ++c) {
      Size one = extentAt(points, std::string(1, c));
      EXPECT_GE(one.width, 0);
      sum += one.width;
      all += c;
    }
    EXPECT_EQ(extentAt(points, all).width, sum) << points;
    EXPECT_GT(sum, 0);
  }
  EXPECT_EQ(extentAt(8, "").width, 0);
  // Hinted advances at 8 pt: digits of Arial-compatible fonts share one width.
  EXPECT_EQ(extentAt(8, "0").width, extentAt(8, "7").width);
}

struct Drawn {
  Bitmap bm{120, 120};
  Rect touched;
  Size extent;
};

Drawn drawText(int escapement, std::string_view text, int64_t x = 60, int64_t y = 60) {
  Drawn d;
  d.bm.clear(0x808080);  // grey, so the white cell shows
  Canvas c(d.bm);
  FontSpec f;
  f.pointSize = 10;
  f.escapement = escapement;
  f.color = 0x0000FF;
  c.setFont(f);
  c.setPenMode(PenMode::Mask);  // text ignores it
  d.extent = c.textExtent(text);
  c.textOut(x, y, text);
  d.touched = c.touched();
  return d;
}

// Checks the cell: filled white where no glyph ink is, only white or ink inside, nothing
// changed outside it except glyph ink (overhang), and every change within touched().
void expectCell(const Drawn& d, Rect cell) {
  int inkInside = 0;
  for (int y = 0; y < d.bm.height(); ++y) {
    for (int x = 0; x < d.bm.width(); ++x) {
      Color p = d.bm.pixel(x, y);
      bool inCell = x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom;
      if (inCell) {
        ASSERT_TRUE(p == 0xFFFFFF || p == 0x0000FF) << x << "," << y;
        inkInside += p == 0x0000FF;
      } else {
        ASSERT_TRUE(p == 0x808080 || p == 0x0000FF) << x << "," << y;
      }
      if (p != 0x808080) {
        ASSERT_TRUE(x >= d.touched.left && x < d.touched.right && y >= d.touched.top &&
                    y < d.touched.bottom)
            << x << "," << y;
      }
    }
  }
  EXPECT_GT(inkInside, 20);
}

// Text partly off the picture draws exactly the part of the whole text that falls on it, in every
// turn: the same text drawn on a larger picture and cut to the window agrees pixel for pixel.
TEST(Text, PartlyClippedTextIsTheVisiblePartOfTheWholeText) {
  constexpr int64_t kMargin = 140;
  for (int escapement : {0, 900, -900}) {
    for (auto [x, y] : {std::pair<int64_t, int64_t>{-25, 50}, {100, 50}, {50, -12}, {50, 110}}) {
      FontSpec f;
      f.pointSize = 36;
      f.escapement = escapement;
      f.color = 0x0000FF;
      Bitmap small(120, 120), large(400, 400);
      small.clear(0x808080);
      large.clear(0x808080);
      Canvas a(small), b(large);
      a.setFont(f);
      b.setFont(f);
      a.textOut(x, y, "Wg@");
      b.textOut(x + kMargin, y + kMargin, "Wg@");
      for (int py = 0; py < 120; ++py)
        for (int px = 0; px < 120; ++px)
          ASSERT_EQ(small.pixel(px, py), large.pixel(px + int(kMargin), py + int(kMargin)))
              << "turn " << escapement << " at " << x << "," << y << ": pixel " << px << "," << py;
    }
  }
}

TEST(Text, HorizontalCellAndBaseline) {
  Drawn d = drawText(0, "Hxlq");
  EXPECT_EQ(d.extent.height, 15);
  expectCell(d, {60, 60, 60 + d.extent.width, 60 + 15});
  // 'H' stands on the baseline at y + ascent (12): its last ink row is 71.
  int lastInkRow = -1;
  for (int y = 60; y < 80; ++y)
    if (d.bm.pixel(61, y) == 0x0000FF || d.bm.pixel(62, y) == 0x0000FF) lastInkRow = y;
  EXPECT_EQ(lastInkRow, 71);
}

TEST(Text, TurnedCellsAndExactRotation) {
  Drawn flat = drawText(0, "Hxlq");
  Drawn up = drawText(900, "Hxlq");
  Drawn down = drawText(-900, "Hxlq");
  const int64_t tw = flat.extent.width, th = flat.extent.height;
  expectCell(up, {60, 60 - tw + 1, 60 + th, 61});
  expectCell(down, {60 - th + 1, 60, 61, 60 + tw});
  // The turned glyphs are the flat ones rotated by a quarter turn, pixel for pixel.
  for (int64_t dy = 0; dy < th; ++dy) {
    for (int64_t dx = 0; dx < tw; ++dx) {
      Color f = flat.bm.pixel(int(60 + dx), int(60 + dy));
      ASSERT_EQ(up.bm.pixel(int(60 + dy), int(60 - dx)), f) << dx << "," << dy;
      ASSERT_EQ(down.bm.pixel(int(60 - dy), int(60 + dx)), f) << dx << "," << dy;
    }
  }
  Drawn other = drawText(2700, "Hxlq");
  EXPECT_EQ(testing::inkedPixels(other.bm), testing::inkedPixels(down.bm));
}

TEST(Text, ClippedAndFarAwayTextIsSafe) {
  Drawn edge = drawText(0, "Wide text at the edge", 110, 115);
  EXPECT_EQ(edge.touched.right, 120);
  EXPECT_EQ(edge.touched.bottom, 120);
  Drawn far = drawText(900, "x", INT64_MAX, INT64_MIN);
  EXPECT_EQ(far.touched.width(), 0);
  Drawn negative = drawText(-900, "abc", -1000000, 10);
  EXPECT_EQ(negative.touched.width(), 0);
}

TEST(Text, Windows1252BytesAndUtf8DrawTheSameGlyph) {
  Drawn latin1 = drawText(0, "\xE9");    // é in Windows-1252
  Drawn utf8 = drawText(0, "\xC3\xA9");  // é in UTF-8
  EXPECT_EQ(latin1.extent, utf8.extent);
  EXPECT_EQ(testing::inkedPixels(latin1.bm), testing::inkedPixels(utf8.bm));
}

}  // namespace
}  // namespace quiral
