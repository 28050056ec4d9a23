#include "reports/cell_picture.h"

#include <gtest/gtest.h>

#include "platform/bitmap.h"

namespace quiral {
namespace {

TEST(CellFit, AViewThatFitsIsCopiedAtItsSizePlusTheMargin) {
  const CellFit fit = fitCellPicture(145, 129, 195, 179);
  EXPECT_EQ(fit.width, 195);
  EXPECT_EQ(fit.height, 179);
  EXPECT_EQ(fit.FitScale, 100);
}

TEST(CellFit, ALargerViewShrinksByTheLargerRatioKeepingItsProportions) {
  const CellFit wide = fitCellPicture(340, 150, 195, 179);  // rx = 2.0, ry = 1.12
  EXPECT_EQ(wide.width, 195);
  EXPECT_EQ(wide.height, 100);
  EXPECT_EQ(wide.FitScale, 50);
  const CellFit tall = fitCellPicture(150, 666, 195, 179);  // ry = 716 / 179 = 4
  EXPECT_EQ(tall.height, 179);
  EXPECT_EQ(tall.width, 50);
  EXPECT_EQ(tall.FitScale, 25);
  // 1050 / (1050 / 195) is 194.99999999999997 in floating point: the long side still fills
  // the box instead of losing a pixel to the rounding.
  const CellFit odd = fitCellPicture(1000, 300, 195, 179);
  EXPECT_EQ(odd.width, 195);
  EXPECT_EQ(odd.height, 65);
  EXPECT_EQ(odd.FitScale, 18);
}

TEST(CellPicture, CopiesWithoutTheLeftAndTopMarginsFromTheCellsCorner) {
  Bitmap view(120, 100);            // fits: 170 x 150 at 100 %
  view.setPixel(49, 60, 0xFF0000);  // in the left margin: left out
  view.setPixel(50, 50, 0x000000);
  view.setPixel(119, 99, 0x0000FF);  // the view's last pixel, in its right margin
  Bitmap cell(195, 179);
  cell.setPixel(194, 178, 0x123456);  // the last cell's picture is whitened first
  const CellFit fit = fitCellPicture(120, 100, 195, 179);
  ASSERT_EQ(fit.width, 170);
  drawCellPicture(cell, view, fit);
  // 70 x 50 source pixels enlarged to 170 x 150, starting at the cell's corner.
  EXPECT_EQ(cell.pixel(0, 0), 0x000000u);
  EXPECT_EQ(cell.pixel(1, 1), 0x000000u);
  EXPECT_EQ(cell.pixel(3, 3), 0xFFFFFFu);
  EXPECT_EQ(cell.pixel(169, 149), 0x0000FFu);
  EXPECT_EQ(cell.pixel(170, 150), 0xFFFFFFu);
  EXPECT_EQ(cell.pixel(194, 178), 0xFFFFFFu);
  for (int y = 0; y < 179; ++y) EXPECT_NE(cell.pixel(0, y), 0xFF0000u);
}

}  // namespace
}  // namespace quiral
