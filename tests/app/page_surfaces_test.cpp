// The page walker's three surfaces draw a catalog page alike: the pixels of the specified pages,
// QPainter (preview and printing) and cairo (the fine catalogs) put every fill, frame, text and
// picture at the same places.
#include <cairo.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "app/vector_page_painter.h"
#include "platform/font_engine.h"
#include "render/renderer.h"
#include "report_engine/page_painter.h"
#include "reports/cairo_page_surface.h"
#include "reports/catalog_commands.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"

namespace quiral {
namespace {

// Which pixels carry ink: anything clearly darker than white, so that an anti-aliased hairline
// counts as well as a pixel one.
using Ink = std::vector<std::vector<bool>>;

Ink inkOf(const QImage& image) {
  Ink ink(size_t(image.height()), std::vector<bool>(size_t(image.width())));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      ink[size_t(y)][size_t(x)] = qGray(image.pixel(x, y)) < 200;
  return ink;
}

// The share of `a`'s ink that `b` has no ink within one pixel of.
double unmatched(const Ink& a, const Ink& b) {
  size_t all = 0, alone = 0;
  const int h = int(a.size()), w = int(a[0].size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!a[size_t(y)][size_t(x)]) continue;
      ++all;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy)
        for (int dx = -1; dx <= 1 && !near; ++dx) {
          const int yy = y + dy, xx = x + dx;
          near = yy >= 0 && yy < h && xx >= 0 && xx < w && b[size_t(yy)][size_t(xx)];
        }
      alone += !near;
    }
  return all ? double(alone) / double(all) : 1.0;
}

// The ink inside a box: its extent (left, top, right, bottom; empty when there is none), and the
// box then cleared, so that what is left are the fills, frames and texts.
QRect takeInk(Ink& ink, const QRect& box) {
  QRect extent;
  for (int y = std::max(0, box.top()); y <= box.bottom() && y < int(ink.size()); ++y)
    for (int x = std::max(0, box.left()); x <= box.right() && x < int(ink[0].size()); ++x)
      if (ink[size_t(y)][size_t(x)]) {
        extent |= QRect(x, y, 1, 1);
        ink[size_t(y)][size_t(x)] = false;
      }
  return extent;
}

size_t inkCount(const Ink& ink) {
  size_t n = 0;
  for (const auto& row : ink) n += size_t(std::count(row.begin(), row.end(), true));
  return n;
}

QImage pixelSurface(FontEngine& fonts, const PreparedPage& page, int w, int h) {
  Bitmap b(w, h);
  paintPage(fonts, page, b, 96);
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, 0xFF000000u | b.pixel(x, y));
  return image;
}

QImage qpainterSurface(FontEngine& fonts, const PreparedPage& page, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);  // 96 dpi, as the pixel pages
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintPageAsVectors(painter, fonts, page, 96);
  return image;
}

QImage cairoSurface(FontEngine& fonts, const PreparedPage& page, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  cairo_surface_t* surface = cairo_image_surface_create_for_data(image.bits(), CAIRO_FORMAT_RGB24,
                                                                 w, h, int(image.bytesPerLine()));
  cairo_t* cr = cairo_create(surface);
  drawPageWithCairo(cr, fonts, page, 96);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return image;
}

struct Catalogs {
  Session session;
  CatalogCommands commands{session};
  TForm3 form3{commands.data()};
  TQR_lista lista{commands.data()};
  FontEngine fonts;

  Catalogs() {
    commands.setReports(&form3, &lista);
    // The drawings in the pixels' own look, so that the vectors cover the same ink.
    form3.keepVectorPictures(fonts, LookName::Specified);
    session.browser.LoadLibrary(std::string(QUIRAL_TEST_DATA_DIR) + "/kicad5",
                                "Regulator_Linear.lib");
  }
};

TEST(PageSurfaces, AgreeOnAPageOfEachCatalog) {
  Catalogs c;
  for (CatalogKind kind : {CatalogKind::Drawings, CatalogKind::List}) {
    ASSERT_EQ(c.commands.runWithoutWindow(kind), CatalogCommands::Outcome::Ready);
    const TQRPrinter& pages =
        kind == CatalogKind::Drawings ? c.form3.QR_FIG.qrPrinter() : c.lista.qrPrinter();
    ASSERT_GE(pages.pageCount(), 2);
    const PreparedPage& page = *pages.page(2);  // a full page of cells
    const int w = int(pagePixels(pages.pageWidth(), 96));
    const int h = int(pagePixels(pages.pageHeight(), 96));
    Ink pixels = inkOf(pixelSurface(c.fonts, page, w, h));
    Ink qt = inkOf(qpainterSurface(c.fonts, page, w, h));
    Ink cairo = inkOf(cairoSurface(c.fonts, page, w, h));
    const char* name = kind == CatalogKind::Drawings ? "drawings" : "list";
    // A picture's vectors and its pixels are two drawings of one symbol (outlines against bitmap
    // strikes): they must fill the same place of the same box, not the same pixels.
    int pictures = 0;
    for (const PageItem& item : page.items)
      if (const auto* p = std::get_if<PagePicture>(&item)) {
        const auto px = [](int32_t tenths) { return int(pagePixels(tenths, 96)); };
        const QRect box(QPoint(px(p->box.left), px(p->box.top)),
                        QPoint(px(p->box.right) - 1, px(p->box.bottom) - 1));
        const QRect fromPixels = takeInk(pixels, box);
        for (Ink* vector : {&qt, &cairo}) {
          const QRect fromVectors = takeInk(*vector, box);
          const int slack = 4 + box.width() / 30;
          EXPECT_NEAR(fromVectors.left(), fromPixels.left(), slack) << name;
          EXPECT_NEAR(fromVectors.top(), fromPixels.top(), slack) << name;
          EXPECT_NEAR(fromVectors.right(), fromPixels.right(), slack) << name;
          EXPECT_NEAR(fromVectors.bottom(), fromPixels.bottom(), slack) << name;
        }
        ++pictures;
      }
    EXPECT_EQ(pictures > 0, kind == CatalogKind::Drawings) << name;
    ASSERT_GT(inkCount(pixels), size_t(20000)) << name;
    for (const auto& [vector, surface] : {std::pair{&qt, "QPainter"}, {&cairo, "cairo"}}) {
      EXPECT_LT(unmatched(pixels, *vector), 0.03) << name << ": pixels without " << surface;
      EXPECT_LT(unmatched(*vector, pixels), 0.03) << name << ": " << surface << " without pixels";
      const double ratio = double(inkCount(*vector)) / double(inkCount(pixels));
      EXPECT_NEAR(ratio, 1.0, 0.25) << name << ": " << surface;
    }
  }
}

}  // namespace
}  // namespace quiral
