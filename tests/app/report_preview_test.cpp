#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include "app/event_pump_qt.h"
#include "app/print_pages.h"
#include "app/qr_preview.h"
#include "app/report_preview_window.h"
#include "app/vector_page_painter.h"
#include "report_engine/report.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

// A two-column report of framed cells; `records` cells, six a page.
struct CellReport {
  TQuickRep report{"QR_TEST"};
  TQRLabel* name = nullptr;
  int records = 0;
  int served = 0;

  CellReport() {
    report.page().columns = 2;
    report.setReportTitle("Visão prévia lib: cells.lib");
    report.addBand("Header", BandType::PageHeader, 1902, 165)
        .addLabel("Title", 562, 33)
        .setCaption("Catálogo de Componentes");
    TQRBand& detail = report.addBand("Detail", BandType::Detail, 949, 814);
    detail.setFrame(FrameSides::all());
    name = &detail.addLabel("Name", 17, 3);
    report.setBeforePrint([this](TQuickRep&, bool&) { served = 0; });
    report.setNeedData([this](TQuickRep&, bool& more) {
      more = served < records;
      if (more) name->setCaption("Cell " + std::to_string(++served));
    });
  }
};

class ReportPreviewTest : public ::testing::Test {};

TEST_F(ReportPreviewTest, ZoomOutsideTwoToTwoThousandIsIgnored) {
  TQRPreview view;
  EXPECT_EQ(view.zoom(), 100);
  view.setZoom(150);
  EXPECT_EQ(view.zoom(), 150);
  for (int ignored : {1, 0, -5, 2001, 100000}) {
    view.setZoom(ignored);
    EXPECT_EQ(view.zoom(), 150) << ignored;
  }
  view.setZoom(2);
  EXPECT_EQ(view.zoom(), 2);
  view.setZoom(2000);
  EXPECT_EQ(view.zoom(), 2000);
}

TEST_F(ReportPreviewTest, FitWholePageAndFitPageWidth) {
  CellReport r;
  r.records = 1;
  r.report.prepare();
  TQRPreview view;
  view.setQRPrinter(&r.report.qrPrinter());
  view.resize(420, 520);
  view.show();
  view.zoomToFit();
  const QSize room = view.maximumViewportSize();
  QSize page = view.pageSizeInPixels();
  EXPECT_LE(page.width(), room.width());
  EXPECT_LE(page.height(), room.height());
  const int fit = view.zoom();
  view.setZoom(fit + 2);
  EXPECT_GT(view.pageSizeInPixels().height(), room.height() - 20);  // the fit was the largest
  view.zoomToWidth();
  EXPECT_GT(view.zoom(), fit);  // a portrait page in a wide-enough view: width fits later
  page = view.pageSizeInPixels();
  EXPECT_LE(page.width(), room.width() - view.verticalScrollBar()->sizeHint().width());
  EXPECT_GT(page.height(), room.height());
}

TEST_F(ReportPreviewTest, PaintsThePageAfreshAtTheZoomsResolution) {
  CellReport r;
  r.records = 3;
  r.report.prepare();
  TQRPreview view;
  view.setQRPrinter(&r.report.qrPrinter());
  view.resize(500, 400);
  view.show();
  for (int zoom : {100, 250}) {
    view.setZoom(zoom);
    view.horizontalScrollBar()->setValue(40);
    view.verticalScrollBar()->setValue(60);
    QImage shown = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB888);
    // What the QPainter surface makes of the same page at 96 * zoom / 100 dpi, at the same place.
    const QPoint origin = view.pageOrigin();
    QImage expected(shown.size(), QImage::Format_RGB888);
    expected.setDevicePixelRatio(shown.devicePixelRatio());
    expected.fill(Qt::white);
    {
      QPainter painter(&expected);
      painter.translate(origin);
      paintPageAsVectors(painter, r.report.fontEngine(), *r.report.qrPrinter().page(1),
                         96.0 * zoom / 100);
    }
    int differ = 0, checked = 0;
    for (int y = std::max(0, origin.y()); y < shown.height(); ++y)
      for (int x = std::max(0, origin.x()); x < shown.width(); ++x, ++checked)
        differ += shown.pixel(x, y) != expected.pixel(x, y);
    EXPECT_GT(checked, 10000);
    EXPECT_EQ(differ, 0) << "zoom " << zoom;
  }
}

TEST_F(ReportPreviewTest, PageAvailableOncePerPageAndGenerationEnded) {
  CellReport r;
  r.records = 13;
  TQRPreview view;
  view.setQRPrinter(&r.report.qrPrinter());
  QSignalSpy pages(&view, &TQRPreview::pageAvailable);
  QSignalSpy ended(&view, &TQRPreview::generationEnded);
  r.report.prepare();
  ASSERT_EQ(pages.count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(pages.at(i).at(0).toInt(), i + 1);
  EXPECT_EQ(ended.count(), 1);
}

TEST_F(ReportPreviewTest, EnginePreviewWindowShowsPagesAndReleasesThePreviewWhenClosed) {
  PreviewRegistry previews;
  testing::TestDialogs dialogs;
  installReportPreviewServices(previews, dialogs);
  CellReport r;
  r.report.setPreviewRegistry(&previews);
  r.records = 7;
  QString caption, count;
  bool spinnerEnabled = false;
  int spinnerMaximum = 0;
  // The user looks at the preview once all pages are there, then closes it with Escape.
  QTimer user;
  user.setInterval(10);
  QObject::connect(&user, &QTimer::timeout, [&] {
    const TQRPrinter& pages = r.report.qrPrinter();
    if (pages.generating() || pages.pageCount() == 0) return;
    user.stop();
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* window = qobject_cast<ReportPreviewWindow*>(w);
      if (!window || !window->isVisible()) continue;
      caption = window->windowTitle();
      count = window->findChild<QLabel*>("PageCount")->text();
      spinnerEnabled = window->findChild<QSpinBox*>("PageNumber")->isEnabled();
      spinnerMaximum = window->findChild<QSpinBox*>("PageNumber")->maximum();
      QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(window, &escape);
    }
  });
  user.start();
  r.report.preview();  // returns only once the window has closed
  EXPECT_EQ(caption, QString::fromUtf8("Visão prévia lib: cells.lib"));
  EXPECT_EQ(count, "de 2");
  EXPECT_TRUE(spinnerEnabled);
  EXPECT_EQ(spinnerMaximum, 2);
  EXPECT_FALSE(r.report.previewShowing());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (QWidget* w : QApplication::topLevelWidgets())
    EXPECT_EQ(qobject_cast<ReportPreviewWindow*>(w), nullptr);
}

TEST_F(ReportPreviewTest, PrintsAPageRangeAtThePrintersResolution) {
  CellReport r;
  r.records = 13;
  r.report.prepare();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("pages.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setResolution(100);
  EXPECT_EQ(printPages(r.report.qrPrinter(), printer, 2, 9), 2);  // cut to the pages there are
  QProcess info;
  info.start("pdfinfo", {path});
  ASSERT_TRUE(info.waitForFinished(30000));
  const QString out = QString::fromUtf8(info.readAllStandardOutput());
  EXPECT_TRUE(out.contains(QRegularExpression("Pages:\\s+2\\n"))) << out.toStdString();
  EXPECT_TRUE(out.contains("595 x 842 pts (A4)")) << out.toStdString();
  EXPECT_EQ(printPages(r.report.qrPrinter(), printer, 5, 4), 0);
}

TEST_F(ReportPreviewTest, PrinterSettingsReachTheQtPrinter) {
  PrinterSettings settings;
  settings.copies = 3;
  settings.duplex = true;
  settings.firstPage = 2;
  settings.lastPage = 5;
  // Duplex printing is only kept by a real printer's driver; a test machine has none.
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  applyPrinterSettings(settings, printer);
  EXPECT_EQ(printer.copyCount(), 3);
  EXPECT_EQ(printer.fromPage(), 2);
  EXPECT_EQ(printer.toPage(), 5);
}

}  // namespace
}  // namespace quiral
