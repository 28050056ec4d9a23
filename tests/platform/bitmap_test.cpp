#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include "platform/error.h"

namespace quiral {
namespace {

TEST(Bitmap, NewAndResizedPicturesAreWhite) {
  Bitmap rgbPicture(7, 5);
  EXPECT_EQ(rgbPicture.stride(), 21u);
  rgbPicture.setPixel(3, 2, 0x123456);
  EXPECT_EQ(rgbPicture.pixel(3, 2), 0x123456u);
  EXPECT_EQ(rgbPicture.row(2)[9], 0x12);  // R G B byte order
  rgbPicture.resize(9, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(rgbPicture.pixel(x, y), 0xFFFFFFu);

  Bitmap indexed(4, 3, Bitmap::Format::Indexed8);
  EXPECT_EQ(indexed.row(1)[2], 255);
  EXPECT_EQ(indexed.pixel(2, 1), 0xFFFFFFu);
  indexed.setPixel(0, 0, 0xFF0000);  // an exact palette colour
  EXPECT_EQ(indexed.pixel(0, 0), 0xFF0000u);
}

TEST(Bitmap, ClearAndDegenerateSizes) {
  Bitmap b(3, 2);
  b.clear(0x102030);
  EXPECT_EQ(b.pixel(2, 1), 0x102030u);
  Bitmap negative(-4, 10);
  EXPECT_TRUE(negative.empty());
  EXPECT_EQ(negative.width(), 0);
  EXPECT_THROW(Bitmap(1 << 20, 1 << 20), QuiralError);
}

}  // namespace
}  // namespace quiral
