#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include "platform/compact_bitmap.h"
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

// Every pixel of the picture at its place, read back both ways.
void expectSamePixels(const CompactBitmap& compact, const Bitmap& original) {
  ASSERT_EQ(compact.width(), original.width());
  ASSERT_EQ(compact.height(), original.height());
  const Bitmap back = compact.toBitmap();
  for (int y = 0; y < original.height(); ++y)
    for (int x = 0; x < original.width(); ++x) {
      ASSERT_EQ(compact.pixel(x, y), original.pixel(x, y)) << x << "," << y;
      ASSERT_EQ(back.pixel(x, y), original.pixel(x, y)) << x << "," << y;
    }
}

TEST(CompactBitmap, KeepsEveryPixelInAFractionOfTheMemory) {
  // A drawing: white with a few coloured lines, runs that end at row ends.
  Bitmap drawing(300, 200);
  for (int x = 10; x < 290; ++x) drawing.setPixel(x, 50, colors::kBlack);
  for (int y = 0; y < 200; ++y) drawing.setPixel(299, y, 0x800000);
  for (int y = 60; y < 140; ++y) drawing.setPixel(0, y, colors::kBlue);
  const CompactBitmap compact(drawing);
  expectSamePixels(compact, drawing);
  EXPECT_LT(compact.memoryBytes(), drawing.stride() * 200 / 20);

  // A row longer than one run can hold.
  Bitmap wide(70000, 1);
  wide.setPixel(69999, 0, colors::kBlack);
  expectSamePixels(CompactBitmap(wide), wide);

  // An indexed picture goes through its palette.
  Bitmap indexed(5, 2, Bitmap::Format::Indexed8);
  indexed.setPixel(2, 1, colors::kBlack);
  expectSamePixels(CompactBitmap(indexed), indexed);

  EXPECT_TRUE(CompactBitmap(Bitmap()).empty());
}

TEST(CompactBitmap, MoreColoursThanARunCanNameAreKeptAsTheyAre) {
  Bitmap photo(300, 300);
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 300; ++x) photo.setPixel(x, y, Color(y * 300 + x) * 97);
  expectSamePixels(CompactBitmap(photo), photo);
}

}  // namespace
}  // namespace quiral
