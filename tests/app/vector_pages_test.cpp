// A drawings catalog whose pictures carry vectors: the preview draws them sharply at any zoom, the
// printer gets text and shapes instead of page images, and a cancelled job prints nothing.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>

#include "app/print_pages.h"
#include "app/qr_preview.h"
#include "platform/font_engine.h"
#include "render/renderer.h"
#include "reports/catalog_commands.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"

namespace quiral {
namespace {

struct DrawingsCatalog {
  Session session;
  CatalogCommands commands{session};
  TForm3 form3{commands.data()};
  TQR_lista lista{commands.data()};
  FontEngine fonts;

  explicit DrawingsCatalog(const char* library) {
    commands.setReports(&form3, &lista);
    form3.keepVectorPictures(fonts);
    session.browser.LoadLibrary(std::string(QUIRAL_TEST_DATA_DIR) + "/kicad5", library);
    EXPECT_EQ(commands.runWithoutWindow(CatalogKind::Drawings), CatalogCommands::Outcome::Ready);
  }
  const TQRPrinter& pages() const { return form3.QR_FIG.qrPrinter(); }
};

QString run(const QString& program, const QStringList& arguments) {
  QProcess p;
  p.start(program, arguments);
  EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

struct PdfPrinter {
  QTemporaryDir dir;
  QString path = dir.filePath("catalog.pdf");
  QPrinter printer{QPrinter::HighResolution};
  PdfPrinter() {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(1200);
  }
};

TEST(VectorPages, ThePreviewDrawsPicturesSharplyWhenZoomed) {
  DrawingsCatalog catalog("Device.lib");
  TQRPreview view;
  view.resize(900, 700);
  view.setQRPrinter(const_cast<TQRPrinter*>(&catalog.pages()));
  view.setZoom(400);
  view.show();
  // The first cell's picture, four times its pixels: stretched pixels keep the few colours of the
  // 96-dpi picture, anti-aliased vectors bring many shades.
  view.verticalScrollBar()->setValue(700);
  view.horizontalScrollBar()->setValue(300);
  const QImage shown = view.viewport()->grab().toImage();
  QSet<QRgb> colours;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) colours.insert(shown.pixel(x, y));
  EXPECT_GT(colours.size(), 24);
}

TEST(VectorPages, PagesGoToThePrinterAsTextAndShapes) {
  DrawingsCatalog catalog("Regulator_Linear.lib");
  ASSERT_GE(catalog.pages().pageCount(), 3);
  PdfPrinter pdf;
  EXPECT_EQ(printPages(catalog.pages(), pdf.printer, 1, 3), 3);
  const QString text = run("pdftotext", {pdf.path, "-"});
  EXPECT_TRUE(text.contains("Catálogo de Componentes")) << text.left(400).toStdString();
  EXPECT_TRUE(text.contains("ADP3336ARMZ")) << text.left(400).toStdString();
  // pdfimages lists a two-line heading and then one line per image.
  EXPECT_EQ(run("pdfimages", {"-list", pdf.path}).trimmed().count('\n'), 1);
  EXPECT_LT(QFileInfo(pdf.path).size(), 400 * 1024);
}

TEST(VectorPages, ACancelledPrintJobPrintsNothing) {
  DrawingsCatalog catalog("Regulator_Linear.lib");
  PdfPrinter pdf;
  int told = 0;
  EXPECT_EQ(printPages(catalog.pages(), pdf.printer, 1, 3,
                       [&](int printed, int total) {
                         EXPECT_EQ(total, 3);
                         EXPECT_EQ(printed, ++told);
                         return printed < 2;
                       }),
            0);
  EXPECT_EQ(told, 2);
  EXPECT_FALSE(QFileInfo::exists(pdf.path));  // no partial catalog left behind
}

}  // namespace
}  // namespace quiral
