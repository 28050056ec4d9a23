#include "reports/fine_picture_layout.h"

#include <gtest/gtest.h>

namespace quiral {
namespace {

// Every character is 2 mm wide at 10 pt, widths and lines scale with the size.
struct FixedMeasure : TextMeasure {
  double width(std::string_view utf8, double size, bool) override {
    return double(utf8.size()) * 0.2 * size;
  }
  double lineHeight(double size, bool) override { return 0.4 * size; }
};

constexpr FineRect kFrame{25.8, 25, 64.5, 53};

bool inside(double left, double top, double width, double height) {
  return left >= kFrame.left - 1e-9 && top >= kFrame.top - 1e-9 &&
         left + width <= kFrame.left + kFrame.width + 1e-9 &&
         top + height <= kFrame.top + kFrame.height + 1e-9;
}

// `count` units of one size, the first named `firstName`: every picture and label inside the
// frame, at one scale no larger than three times, no two pictures on top of each other.
FineCell placed(size_t count, double width, double height, size_t leftOut = 0,
                std::string firstName = "") {
  FineCellContent content;
  for (size_t i = 0; i < count; ++i) content.units.push_back({{char('A' + i)}, "", width, height});
  content.units[0].name = std::move(firstName);
  content.unitsLeftOut = leftOut;
  FixedMeasure measure;
  FineCell cell;
  placeFinePictures(measure, content, kFrame, cell);
  EXPECT_EQ(cell.unitPictures.size(), count);
  EXPECT_LE(cell.pictureScale, 3 * 0.0254 + 1e-12);
  for (size_t i = 0; i < cell.unitPictures.size(); ++i) {
    const FineRect& r = cell.unitPictures[i];
    EXPECT_NEAR(r.width, width * cell.pictureScale, 1e-9);
    EXPECT_TRUE(inside(r.left, r.top, r.width, r.height)) << i;
    for (size_t j = 0; j < i; ++j) {
      const FineRect& o = cell.unitPictures[j];
      EXPECT_TRUE(r.left >= o.left + o.width || o.left >= r.left + r.width ||
                  r.top >= o.top + o.height || o.top >= r.top + r.height)
          << i << " on " << j;
    }
  }
  EXPECT_EQ(cell.texts.size(), count + (leftOut > 0));  // a label each, and the note
  for (const FineText& text : cell.texts)
    EXPECT_TRUE(
        inside(text.left, text.top, measure.width(text.utf8, text.size, false), text.lineHeight))
        << text.utf8;
  return cell;
}

TEST(FinePictureLayout, UnitPicturesShareOneScaleAndStayInsideTheFrameWithTheirLabels) {
  // Two small gates: a row, enlarged three times; a name that fits is shown.
  FineCell cell = placed(2, 300, 300, 0, "Gate");
  EXPECT_NEAR(cell.pictureScale, 3 * 0.0254, 1e-12);
  EXPECT_EQ(cell.unitPictures[0].top, cell.unitPictures[1].top);
  EXPECT_EQ(cell.texts[0].utf8, "A (Gate)");
  // Six wide units: a grid, larger than a row of them would be; a long name is left out.
  cell = placed(6, 1200, 600, 0, std::string(60, 'n'));
  EXPECT_GT(cell.pictureScale, kFrame.width / (6 * 1200));
  EXPECT_EQ(cell.texts[0].utf8, "A");
  // A hostile count: 26 pictures and the note of the rest.
  EXPECT_EQ(placed(26, 2000, 3000, 650).texts.back().utf8, "+650");
}

}  // namespace
}  // namespace quiral
