#include "app/print_pages.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "app/bitmap_image.h"
#include "platform/error.h"
#include "report_engine/page_painter.h"

namespace quiral {

namespace {

// A page is painted in strips of about this many pixels, so a page at 1200 dpi never needs the
// whole page picture in memory at once.
constexpr int64_t kStripPixels = int64_t(1) << 22;

void preparePaper(const TQRPrinter& pages, QPrinter& printer) {
  const bool landscape = pages.orientation() == Orientation::Landscape;
  const double shortSide = std::min(pages.pageWidth(), pages.pageHeight()) / 10.0;
  const double longSide = std::max(pages.pageWidth(), pages.pageHeight()) / 10.0;
  printer.setFullPage(true);  // the report's own margins are part of its pages
  printer.setPageSize(QPageSize(QSizeF(shortSide, longSide), QPageSize::Millimeter));
  printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void printOne(const PreparedPage& page, const TQRPrinter& pages, QPainter& painter, double dpi) {
  const int64_t width = pagePixels(pages.pageWidth(), dpi);
  const int64_t height = pagePixels(pages.pageHeight(), dpi);
  if (width <= 0 || height <= 0) return;
  const int64_t rows = std::max<int64_t>(1, kStripPixels / width);
  for (int64_t top = 0; top < height; top += rows) {
    Bitmap strip(int(width), int(std::min(rows, height - top)));
    paintPage(pages.fontEngine(), page, strip, dpi, 0, top);
    painter.drawImage(QPoint(0, int(top)), toQImage(strip));
  }
}

}  // namespace

void applyPrinterSettings(const PrinterSettings& settings, QPrinter& printer) {
  printer.setCopyCount(std::max(1, settings.copies));
  printer.setDuplex(settings.duplex ? QPrinter::DuplexAuto : QPrinter::DuplexNone);
  switch (settings.bin) {
    case PaperBin::Auto:
      printer.setPaperSource(QPrinter::Auto);
      break;
    case PaperBin::Upper:
      printer.setPaperSource(QPrinter::Upper);
      break;
    case PaperBin::Lower:
      printer.setPaperSource(QPrinter::Lower);
      break;
    case PaperBin::Manual:
      printer.setPaperSource(QPrinter::Manual);
      break;
  }
  if (settings.firstPage > 0 && settings.lastPage >= settings.firstPage)
    printer.setFromTo(settings.firstPage, settings.lastPage);
}

int printPages(const TQRPrinter& pages, QPrinter& printer, int from, int to) {
  from = std::max(from, 1);
  to = std::min(to, pages.pageCount());
  if (from > to) return 0;
  preparePaper(pages, printer);
  QPainter painter;
  if (!painter.begin(&printer)) throw QuiralError("The printer could not be started");
  const double dpi = printer.resolution();
  int printed = 0;
  for (int i = from; i <= to; ++i) {
    if (printed > 0 && !printer.newPage()) break;
    printOne(*pages.page(i), pages, painter, dpi);
    ++printed;
  }
  painter.end();
  return printed;
}

}  // namespace quiral
