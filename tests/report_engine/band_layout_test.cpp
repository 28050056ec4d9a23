#include "report_engine/band_layout.h"

#include <gtest/gtest.h>

#include "tests/report_engine/report_fixtures.h"

namespace quiral {
namespace {

using testing::itemsOf;

BandContext fixedContext() {
  BandContext c;
  c.measurer = &testing::fixedMeasurer();
  c.defaultFont = FontSpec{"Arial", 10};
  c.pageNumber = 4;
  c.dateTime = "01/02/2003 04:05:06";
  return c;
}

PreparedPage laidOut(const TQRBand& band, BandLayout* layout = nullptr) {
  BandLayout l = layoutBand(band, fixedContext());
  PreparedPage page;
  page.items = l.items;
  if (layout) *layout = l;
  return page;
}

TEST(BandLayout, AutoSizedLabelsAlignOnTheirDesignBox) {
  TQRBand band("B", BandType::Detail, 1000, 100);
  TQRLabel& label = band.addLabel("L", 100, 10);
  label.setBounds(100, 10, 200, 0);
  label.setCaption("abcd");  // 4 mm at the fixed measurer's 10 points
  const std::pair<Alignment, int32_t> cases[] = {
      {Alignment::Left, 100}, {Alignment::Right, 260}, {Alignment::Center, 180}};
  for (auto [alignment, x] : cases) {
    label.setAlignment(alignment);
    PreparedPage page = laidOut(band);
    auto texts = itemsOf<PageText>(page);
    auto fills = itemsOf<PageFill>(page);
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(texts[0].x, x);
    EXPECT_EQ(fills[0].box, (TenthsRect{x, 10, x + 40, 50}));  // opaque white, cut to the text
    EXPECT_EQ(fills[0].color, colors::kWhite);
  }
}

TEST(BandLayout, FixedWrappedLabelIsCutByItsBox) {
  TQRBand band("B", BandType::Detail, 1000, 300);
  TQRLabel& label = band.addLabel("Desc", 50, 20, 100, 80);  // two lines of 4 mm
  label.setCaption("aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd");
  BandLayout layout;
  PreparedPage page = laidOut(band, &layout);
  auto texts = itemsOf<PageText>(page);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "aaaaaaaaa");
  EXPECT_EQ(texts[1].text, "bbbbbbbbb");
  EXPECT_EQ(texts[1].top, 60);
  EXPECT_EQ(texts[1].clip, (TenthsRect{50, 20, 150, 100}));
  EXPECT_EQ(layout.height, 300);  // a fixed label never stretches its band

  label.setWordWrap(false);
  label.setCaption("first\r\nsecond\rthird");
  texts = itemsOf<PageText>(laidOut(band));
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1].text, "second");
}

TEST(BandLayout, GrowingLabelStretchesOnlyWhenItNeedsMoreThanTheBand) {
  TQRBand band("B", BandType::Detail, 1000, 200);
  TQRLabel& label = band.addLabel("Alias", 10, 30, 100, 40);
  label.setAutoStretch(true);
  label.setCaption("short");
  BandLayout layout;
  laidOut(band, &layout);
  EXPECT_EQ(layout.height, 200);

  label.setCaption("aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee");  // five lines
  PreparedPage page = laidOut(band, &layout);
  EXPECT_EQ(layout.height, 30 + 200);
  auto texts = itemsOf<PageText>(page);
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[4].top, 30 + 160);
  EXPECT_EQ(itemsOf<PageFill>(page)[0].box.bottom, 230);  // the background grows along
}

TEST(BandLayout, DisabledElementsAreNotPrinted) {
  TQRBand band("B", BandType::Detail, 1000, 200);
  TQRLabel& scale = band.addLabel("Scale", 10, 10);
  scale.setCaption("Escala: 50");
  scale.setEnabled(false);
  TQRImage& image = band.addImage("Img", 0, 0, 100, 100);
  image.picture().resize(4, 4);
  image.setFrame(FrameSides::all());
  image.setEnabled(false);
  EXPECT_TRUE(laidOut(band).items.empty());
}

TEST(BandLayout, FontsColoursAndSystemData) {
  TQRBand band("B", BandType::PageHeader, 1000, 200);
  TQRLabel& title = band.addLabel("Title", 10, 10);
  title.setCaption("T");
  title.setFont(FontSpec{"Arial", 14, colors::kBlue});
  TQRLabel& plain = band.addLabel("Plain", 10, 100);
  plain.setCaption("P");
  plain.setTransparent(true);
  band.addSysData("Page", TQRSysData::Data::PageNumber, 500, 10);
  band.addSysData("Date", TQRSysData::Data::DateTime, 600, 10);
  PreparedPage page = laidOut(band);
  const PageText* t = testing::findText(page, "T");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->font.pointSize, 14);
  EXPECT_EQ(t->font.color, colors::kBlue);
  const PageText* p = testing::findText(page, "P");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->font.pointSize, 10);               // the report's default font
  EXPECT_EQ(itemsOf<PageFill>(page).size(), 3u);  // all but the transparent label
  EXPECT_NE(testing::findText(page, "4"), nullptr);
  EXPECT_NE(testing::findText(page, "01/02/2003 04:05:06"), nullptr);
}

TEST(BandLayout, ImagesKeepTheirPictureAsItWasAndDrawTheFrameOnTop) {
  TQRBand band("B", BandType::Detail, 1000, 900);
  band.setFrame(FrameSides{false, true, false, false});
  TQRImage& image = band.addImage("Img", 258, 192, 645, 592);
  image.setCenter(true);
  image.setFrame(FrameSides::all());
  image.picture().resize(3, 2);
  image.picture().setPixel(0, 0, colors::kBlue);
  PreparedPage page = laidOut(band);
  image.picture().setPixel(0, 0, colors::kBlack);  // the next record draws over it

  ASSERT_EQ(page.items.size(), 3u);
  const auto* picture = std::get_if<PagePicture>(&page.items[0]);
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(picture->center);
  EXPECT_EQ(picture->box, (TenthsRect{258, 192, 903, 784}));
  EXPECT_EQ(picture->picture->pixel(0, 0), colors::kBlue);
  const auto* frame = std::get_if<PageFrame>(&page.items[1]);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->box, picture->box);
  const auto* bandFrame = std::get_if<PageFrame>(&page.items[2]);
  ASSERT_NE(bandFrame, nullptr);
  EXPECT_EQ(bandFrame->box, (TenthsRect{0, 0, 1000, 900}));
  EXPECT_TRUE(bandFrame->sides.top && !bandFrame->sides.bottom);
}

TEST(BandLayout, PlacingCutsItemsToTheBandAndTheArea) {
  TQRBand band("B", BandType::Detail, 300, 100);
  band.addLabel("Wide", 250, 10, 200, 40).setCaption("x");
  band.addLabel("Outside", 400, 10).setCaption("gone");
  BandLayout layout = layoutBand(band, fixedContext());
  PreparedPage page;
  placeBand(layout, 1000, 2000, {0, 0, 5000, 2080}, page);
  auto fills = itemsOf<PageFill>(page);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].box, (TenthsRect{1250, 2010, 1300, 2050}));
  auto texts = itemsOf<PageText>(page);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "x");
  EXPECT_EQ(texts[0].clip, (TenthsRect{1250, 2010, 1300, 2050}));
}

}  // namespace
}  // namespace quiral
