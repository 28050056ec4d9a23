#include "report_engine/page_painter.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/font_engine.h"
#include "platform/screen.h"
#include "report_engine/printer.h"

namespace quiral {
namespace {

constexpr Color kRed = 0xFF0000;

// 96 pixels at 96 dpi, 192 at 192 dpi.
constexpr int32_t kInch = 254;

std::shared_ptr<const CompactBitmap> checkerPicture(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.setPixel(x, y, (x + y) % 2 ? colors::kBlack : kRed);
  return std::make_shared<const CompactBitmap>(b);
}

Bitmap painted(const PreparedPage& page, double dpi, int w = 400, int h = 400, int64_t ox = 0,
               int64_t oy = 0) {
  Bitmap b(w, h);
  b.clear(colors::kBlack);  // the painter must whiten it first
  FontEngine fonts;
  paintPage(fonts, page, b, dpi, ox, oy);
  return b;
}

// Pages and the platform share one screen resolution (both headers in one file).
TEST(PagePainter, ScreenResolutionIsThePlatformsOne) {
  EXPECT_EQ(pagePixels(kInch, kScreenDpi), screenPixelsPerInch());
  EXPECT_EQ(pagePixels(2100, kScreenDpi), 794);  // A4 at the screen's resolution
  EXPECT_EQ(pagePixels(2970, kScreenDpi), 1123);
}

TEST(PagePainter, PagePicturesAreNinetySixDpi) {
  TQRPrinter printer;
  PageSetup setup;
  printer.beginGeneration("t", setup);
  PreparedPage page;
  page.items.push_back(PageFill{{kInch, kInch, 2 * kInch, 2 * kInch}, kRed});
  printer.addPage(page);
  printer.endGeneration();
  auto picture = printer.pagePicture(1);
  EXPECT_EQ(picture->width(), 794);
  EXPECT_EQ(picture->height(), 1123);
  EXPECT_EQ(picture->pixel(95, 95), colors::kWhite);
  EXPECT_EQ(picture->pixel(96, 96), kRed);
  EXPECT_EQ(picture->pixel(191, 191), kRed);
  EXPECT_EQ(picture->pixel(192, 192), colors::kWhite);
  EXPECT_THROW(printer.pagePicture(2), QuiralError);
  EXPECT_THROW(printer.pagePicture(0), QuiralError);

  setup.orientation = Orientation::Landscape;
  printer.beginGeneration("t", setup);
  printer.addPage(page);
  printer.endGeneration();
  EXPECT_EQ(printer.pagePicture(1)->width(), 1123);
  EXPECT_EQ(printer.orientation(), Orientation::Landscape);
}

TEST(PagePainter, FramesKeepTheirWeightAtEveryResolution) {
  PreparedPage page;
  page.items.push_back(PageFrame{{0, 0, kInch, kInch}, FrameSides::all()});
  Bitmap at96 = painted(page, 96);
  EXPECT_EQ(at96.pixel(0, 50), colors::kBlack);
  EXPECT_EQ(at96.pixel(1, 50), colors::kWhite);
  EXPECT_EQ(at96.pixel(95, 50), colors::kBlack);
  EXPECT_EQ(at96.pixel(96, 50), colors::kWhite);
  EXPECT_EQ(at96.pixel(50, 95), colors::kBlack);
  Bitmap at192 = painted(page, 192);
  EXPECT_EQ(at192.pixel(1, 50), colors::kBlack);
  EXPECT_EQ(at192.pixel(2, 50), colors::kWhite);
  EXPECT_EQ(at192.pixel(190, 100), colors::kBlack);
  EXPECT_EQ(at192.pixel(50, 50), colors::kWhite);
}

TEST(PagePainter, PicturesAreNinetySixDpiPixelsPlacedCentredAndCut) {
  auto picture = checkerPicture(4, 2);
  PreparedPage page;
  page.items.push_back(PagePicture{
      {kInch, kInch, 2 * kInch, 2 * kInch}, {kInch, kInch, 2 * kInch, 2 * kInch}, false, picture});
  Bitmap at96 = painted(page, 96);
  EXPECT_EQ(at96.pixel(96, 96), kRed);
  EXPECT_EQ(at96.pixel(97, 96), colors::kBlack);
  EXPECT_EQ(at96.pixel(100, 96), colors::kWhite);
  Bitmap at192 = painted(page, 192);
  EXPECT_EQ(at192.pixel(193, 193), kRed);  // one picture pixel is 2 x 2 here
  EXPECT_EQ(at192.pixel(194, 193), colors::kBlack);
  EXPECT_EQ(at192.pixel(200, 192), colors::kWhite);

  std::get<PagePicture>(page.items[0]).center = true;
  Bitmap centred = painted(page, 96);
  EXPECT_EQ(centred.pixel(96 + 46, 96 + 47), kRed);
  EXPECT_EQ(centred.pixel(96 + 45, 96 + 47), colors::kWhite);

  // A picture bigger than its box shows only what the box holds.
  PreparedPage big;
  big.items.push_back(PagePicture{{0, 0, 53, 53}, {0, 0, 53, 53}, false, checkerPicture(40, 40)});
  for (double dpi : {96.0, 150.0}) {
    Bitmap cut = painted(big, dpi);
    const int edge = int(pagePixels(53, dpi));
    EXPECT_NE(cut.pixel(edge - 1, 0), colors::kWhite) << dpi;
    EXPECT_EQ(cut.pixel(edge, 0), colors::kWhite) << dpi;
    EXPECT_EQ(cut.pixel(0, edge), colors::kWhite) << dpi;
  }
}

TEST(PagePainter, AViewportPaintsOnlyItsPartOfThePage) {
  PreparedPage page;
  page.items.push_back(PageFill{{kInch, kInch, 2 * kInch, 2 * kInch}, kRed});
  page.items.push_back(PagePicture{
      {kInch, 0, 2 * kInch, kInch}, {kInch, 0, 2 * kInch, kInch}, false, checkerPicture(4, 2)});
  Bitmap view = painted(page, 96, 50, 50, 96, 96);
  EXPECT_EQ(view.pixel(0, 0), kRed);
  EXPECT_EQ(view.pixel(49, 49), kRed);
  Bitmap top = painted(page, 96, 10, 10, 96, 0);
  EXPECT_EQ(top.pixel(0, 0), kRed);
  EXPECT_EQ(top.pixel(1, 0), colors::kBlack);
}

TEST(PagePainter, TextStaysInsideItsClipAtEveryResolution) {
  PreparedPage page;
  FontSpec font{"Arial", 10, colors::kBlack, true};
  page.items.push_back(PageText{{100, 100, 300, 200}, 100, 100, font, "Catálogo de Componentes"});
  for (double dpi : {96.0, 300.0}) {
    Bitmap b = painted(page, dpi, int(pagePixels(600, dpi)), int(pagePixels(400, dpi)));
    const int64_t l = pagePixels(100, dpi), r = pagePixels(300, dpi);
    const int64_t t = pagePixels(100, dpi), btm = pagePixels(200, dpi);
    int inside = 0, outside = 0;
    for (int y = 0; y < b.height(); ++y)
      for (int x = 0; x < b.width(); ++x) {
        if (b.pixel(x, y) == colors::kWhite) continue;
        (x >= l && x < r && y >= t && y < btm ? inside : outside)++;
      }
    EXPECT_GT(inside, 20) << dpi;
    EXPECT_EQ(outside, 0) << dpi;
  }
}

}  // namespace
}  // namespace quiral
