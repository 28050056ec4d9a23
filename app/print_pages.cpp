#include "app/print_pages.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "app/vector_page_painter.h"
#include "platform/error.h"

namespace quiral {

namespace {

void preparePaper(const TQRPrinter& pages, QPrinter& printer) {
  const bool landscape = pages.orientation() == Orientation::Landscape;
  const double shortSide = std::min(pages.pageWidth(), pages.pageHeight()) / 10.0;
  const double longSide = std::max(pages.pageWidth(), pages.pageHeight()) / 10.0;
  printer.setFullPage(true);  // the report's own margins are part of its pages
  printer.setPageSize(QPageSize(QSizeF(shortSide, longSide), QPageSize::Millimeter));
  printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
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

int printPages(const TQRPrinter& pages, QPrinter& printer, int from, int to,
               const PrintProgress& progress) {
  from = std::max(from, 1);
  to = std::min(to, pages.pageCount());
  if (from > to) return 0;
  preparePaper(pages, printer);
  QPainter painter;
  if (!painter.begin(&printer)) throw QuiralError("The printer could not be started");
  const double dpi = printer.resolution();
  const int total = to - from + 1;
  int printed = 0;
  for (int i = from; i <= to; ++i) {
    if (printed > 0 && !printer.newPage()) break;
    if (const auto page = pages.page(i))
      paintPageAsVectors(painter, pages.fontEngine(), *page, dpi);
    ++printed;
    if (progress && !progress(printed, total)) {
      printer.abort();
      painter.end();
      // Printing to a file has already written the pages so far: a stopped job leaves none.
      if (!printer.outputFileName().isEmpty()) QFile::remove(printer.outputFileName());
      return 0;
    }
  }
  painter.end();
  return printed;
}

}  // namespace quiral
