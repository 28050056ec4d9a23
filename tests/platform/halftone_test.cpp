#include "platform/halftone.h"

#include <gtest/gtest.h>

namespace quiral {
namespace {

int bruteForceNearest(int r, int g, int b) {
  const auto& pal = halftonePalette();
  int best = -1, bestDistance = 0;
  for (int i = 0; i < 256; ++i) {
    int dr = int(redOf(pal[i])) - r, dg = int(greenOf(pal[i])) - g, db = int(blueOf(pal[i])) - b;
    int d = dr * dr + dg * dg + db * db;
    if (best < 0 || d < bestDistance) best = i, bestDistance = d;
  }
  return best;
}

TEST(Halftone, PaletteLayout) {
  const auto& pal = halftonePalette();
  EXPECT_EQ(pal[0], 0x000000u);
  EXPECT_EQ(pal[9], 0xA6CAF0u);
  EXPECT_EQ(pal[10], rgb(0x40, 0x20, 0x00));  // i = 10: r = 2, g = 1, b = 0
  EXPECT_EQ(pal[245], rgb(0xA0, 0xC0, 0xC0));
  EXPECT_EQ(pal[246], 0xFFFBF0u);
  EXPECT_EQ(pal[255], 0xFFFFFFu);
}

TEST(Halftone, StaticColoursMapToAnEntryOfTheSameColour) {
  const auto& pal = halftonePalette();
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255}) {
    EXPECT_EQ(pal[halftoneIndex(pal[i])], pal[i]) << i;
  }
  EXPECT_EQ(halftoneIndex(0xFFFFFF), 255);
  EXPECT_EQ(halftoneIndex(0x000000), 0);
  EXPECT_EQ(halftoneIndex(0x808080), 164);  // same colour as entry 248, lower index wins
}

TEST(Halftone, TableAgreesWithBruteForceOverEveryReducedColour) {
  for (int key = 0; key < 32768; ++key) {
    int r = (key >> 10) & 31, g = (key >> 5) & 31, b = key & 31;
    // Any colour in the bucket reduces to the bucket centre.
    Color anyInBucket = rgb(uint8_t(r * 8 + (key % 8)), uint8_t(g * 8 + 7), uint8_t(b * 8));
    ASSERT_EQ(halftoneIndex(anyInBucket), bruteForceNearest(r * 8 + 4, g * 8 + 4, b * 8 + 4))
        << key;
  }
}

TEST(Halftone, ConvertsAPicture) {
  Bitmap rgbPicture(3, 2);
  rgbPicture.setPixel(0, 0, 0xFF0000);
  rgbPicture.setPixel(1, 1, 0x123456);
  Bitmap indexed = toHalftone(rgbPicture);
  ASSERT_EQ(indexed.format(), Bitmap::Format::Indexed8);
  EXPECT_EQ(indexed.palette(), halftonePalette());
  EXPECT_EQ(indexed.row(0)[0], 249);
  EXPECT_EQ(indexed.row(0)[1], 255);
  EXPECT_EQ(indexed.row(1)[1], halftoneIndex(0x123456));
  EXPECT_EQ(toHalftone(indexed).row(0)[0], 249);  // indexed input goes through its palette
  EXPECT_TRUE(toHalftone(Bitmap()).empty());
}

}  // namespace
}  // namespace quiral
