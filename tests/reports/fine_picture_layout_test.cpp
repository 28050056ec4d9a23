#include "reports/fine_picture_layout.h"

#include <gtest/gtest.h>

namespace quiral {
namespace {

// Every character is 2 mm wide at 10 pt, widths and lines scale with the size.
class FixedMeasure : public TextMeasure {
 public:
  double width(std::string_view utf8, double size, bool) override {
    return double(utf8.size()) * 0.2 * size;
  }
  double lineHeight(double size, bool) override { return 0.4 * size; }
};

constexpr FineRect kFrame{25.8, 25, 64.5, 53};
constexpr double kUnitMm = 0.0254;

bool inside(const FineRect& r, double left, double top, double width, double height) {
  const double e = 1e-9;
  return left >= r.left - e && top >= r.top - e && left + width <= r.left + r.width + e &&
         top + height <= r.top + r.height + e;
}

bool overlap(const FineRect& a, const FineRect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

FineCellContent unitsOf(size_t count, double width, double height, size_t leftOut = 0) {
  FineCellContent content;
  content.pictureWidth = width;
  content.pictureHeight = height;
  for (size_t i = 0; i < count; ++i)
    content.units.push_back({std::string(1, char('A' + i)), "", width, height});
  content.unitsLeftOut = leftOut;
  return content;
}

// What must hold for any count: one scale, every picture and label inside the frame, no two
// pictures on top of each other, each unit labelled.
void expectSoundPlacement(const FineCellContent& content, const FineCell& cell) {
  ASSERT_EQ(cell.unitPictures.size(), content.units.size());
  EXPECT_LE(cell.pictureScale, kFineMaximumEnlargement * kUnitMm + 1e-12);
  FixedMeasure measure;
  for (size_t i = 0; i < content.units.size(); ++i) {
    const FineRect& r = cell.unitPictures[i];
    EXPECT_NEAR(r.width, content.units[i].width * cell.pictureScale, 1e-9);
    EXPECT_NEAR(r.height, content.units[i].height * cell.pictureScale, 1e-9);
    EXPECT_TRUE(inside(kFrame, r.left, r.top, r.width, r.height)) << i;
    for (size_t j = 0; j < i; ++j) EXPECT_FALSE(overlap(r, cell.unitPictures[j])) << i << " " << j;
  }
  size_t labels = 0;
  for (const FineText& text : cell.texts) {
    EXPECT_TRUE(inside(kFrame, text.left, text.top, measure.width(text.utf8, text.size, false),
                       text.lineHeight))
        << text.utf8;
    EXPECT_GE(text.size, kFineMinimumFontSize);
    labels += text.utf8.size() == 1;
  }
  EXPECT_EQ(labels, content.units.size());
}

TEST(FinePictureLayout, UnitPicturesShareOneScaleAndStayInsideTheFrame) {
  FixedMeasure measure;
  // Two small gates: a row, enlarged no more than three times.
  FineCellContent two = unitsOf(2, 300, 300);
  FineCell cell;
  placeFinePictures(measure, two, kFrame, cell);
  expectSoundPlacement(two, cell);
  EXPECT_NEAR(cell.pictureScale, 3 * kUnitMm, 1e-12);
  EXPECT_EQ(cell.unitPictures[0].top, cell.unitPictures[1].top);

  // Six wide units do not fit a row at a good scale: a grid, larger than the row would be.
  FineCellContent six = unitsOf(6, 1200, 600);
  cell = {};
  placeFinePictures(measure, six, kFrame, cell);
  expectSoundPlacement(six, cell);
  EXPECT_GT(cell.pictureScale, kFrame.width / (6 * 1200));
  EXPECT_NE(cell.unitPictures[0].top, cell.unitPictures[5].top);

  // A hostile count: 26 pictures and the note of the rest.
  FineCellContent many = unitsOf(26, 2000, 3000, 650);
  cell = {};
  placeFinePictures(measure, many, kFrame, cell);
  expectSoundPlacement(many, cell);
  EXPECT_EQ(cell.texts.back().utf8, "+650");
}

TEST(FinePictureLayout, AUnitNameIsShownWhenItFitsItsSlot) {
  FixedMeasure measure;
  FineCellContent content = unitsOf(2, 1000, 1000);
  content.units[0].name = "Gate";
  content.units[1].name = std::string(60, 'n');
  FineCell cell;
  placeFinePictures(measure, content, kFrame, cell);
  ASSERT_EQ(cell.texts.size(), 2u);
  EXPECT_EQ(cell.texts[0].utf8, "A (Gate)");
  EXPECT_EQ(cell.texts[1].utf8, "B");
}

TEST(FinePictureLayout, OnePictureIsCentredWithoutALabel) {
  FixedMeasure measure;
  FineCellContent content;
  content.pictureWidth = 2000;
  content.pictureHeight = 1000;
  FineCell cell;
  placeFinePictures(measure, content, kFrame, cell);
  EXPECT_TRUE(cell.texts.empty());
  EXPECT_TRUE(cell.unitPictures.empty());
  EXPECT_NEAR(cell.picture.left - kFrame.left,
              kFrame.left + kFrame.width - cell.picture.left - cell.picture.width, 1e-9);
  EXPECT_NEAR(cell.picture.width, kFrame.width - 2, 1e-9);  // the frame's width less its padding
}

}  // namespace
}  // namespace quiral
