// Cell pictures that carry their symbol as vectors: the vectors land on the pixels' ink, and
// carrying them changes nothing that is stored.
#include "reports/cell_vectors.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/font_engine.h"
#include "tests/reports/catalog_fixtures.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

struct InkBox {
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
};

InkBox inkOf(const Bitmap& b) {
  InkBox box;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) {
      const uint8_t* p = b.row(y) + 3 * x;
      if (p[0] == 0xFF && p[1] == 0xFF && p[2] == 0xFF) continue;
      box.left = std::min<double>(box.left, x);
      box.top = std::min<double>(box.top, y);
      box.right = std::max<double>(box.right, x + 1);
      box.bottom = std::max<double>(box.bottom, y + 1);
    }
  return box;
}

std::string library(const char* name) {
  return std::string(QUIRAL_TEST_DATA_DIR) + "/kicad5/" + name;
}

TEST(CellVectors, LandOnTheInkOfTheStretchedPixels) {
  // Microcontrollers are shrunk into their cells, small parts copied at their size.
  for (const char* name : {"MCU_Microchip_ATtiny.lib", "Device.lib"}) {
    testing::CatalogFixture f;
    FontEngine fonts;
    f.form3.keepVectorPictures(fonts, LookName::Specified);  // the look of the pixels
    f.load(library(name));
    ASSERT_EQ(f.prepare(CatalogKind::Drawings), CatalogCommands::Outcome::Ready);
    int checked = 0;
    const TQRPrinter& printer = f.form3.QR_FIG.qrPrinter();
    for (int p = 1; p <= printer.pageCount() && checked < 60; ++p)
      for (const PageItem& item : printer.page(p)->items) {
        const auto* picture = std::get_if<PagePicture>(&item);
        if (!picture) continue;
        const PictureDrawing* v = picture->vectors.get();
        ASSERT_NE(v, nullptr) << name << " page " << p;
        const InkBox ink = inkOf(picture->picture->toBitmap());
        // The pixels are cut where the view's copy ends; so are the vectors when drawn.
        const Bounds& b = v->list.bounds();
        auto cut = [](double at, int size) { return std::clamp(at, 0.0, double(size)); };
        // Texts are measured with the face's outlines, the pixels drawn with its bitmap strikes:
        // a long pin name may end a few pixels apart.
        const double slackX = 4 + 0.03 * v->width, slackY = 4 + 0.03 * v->height;
        EXPECT_NEAR(cut(v->originX + b.minX * v->scaleX, v->width), ink.left, slackX) << name;
        EXPECT_NEAR(cut(v->originX + b.maxX * v->scaleX, v->width), ink.right, slackX) << name;
        EXPECT_NEAR(cut(v->originY - b.maxY * v->scaleY, v->height), ink.top, slackY) << name;
        EXPECT_NEAR(cut(v->originY - b.minY * v->scaleY, v->height), ink.bottom, slackY) << name;
        ++checked;
      }
    EXPECT_GT(checked, 20) << name;
  }
}

TEST(CellVectors, CarryingThemLeavesThePreparedReportFileAsItWas) {
  testing::TempDir dir;
  std::string saved[2];
  for (int withVectors = 0; withVectors < 2; ++withVectors) {
    testing::CatalogFixture f;
    FontEngine fonts;
    if (withVectors) f.form3.keepVectorPictures(fonts);
    f.form3.QR_FIG.setClock([] { return DateTime{2026, 12, 8, 12, 0, 0}; });
    f.load(library("Regulator_Linear.lib"));
    ASSERT_EQ(f.prepare(CatalogKind::Drawings), CatalogCommands::Outcome::Ready);
    bool anyVectors = false;
    const TQRPrinter& printer = f.form3.QR_FIG.qrPrinter();
    for (int p = 1; p <= printer.pageCount(); ++p)
      for (const PageItem& item : printer.page(p)->items)
        if (const auto* picture = std::get_if<PagePicture>(&item))
          anyVectors = anyVectors || picture->vectors != nullptr;
    EXPECT_EQ(anyVectors, bool(withVectors));
    const std::string path = dir.file("r" + std::to_string(withVectors) + ".qrp");
    printer.save(path);
    saved[withVectors] = testing::readBytes(path);
  }
  EXPECT_FALSE(saved[0].empty());
  EXPECT_TRUE(saved[0] == saved[1]);
}

}  // namespace
}  // namespace quiral
