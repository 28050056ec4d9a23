#include "pdf/export_qr.h"

#include <new>

#include "pdf/pdf_syntax.h"
#include "pdf/print_pdf.h"
#include "platform/error.h"
#include "platform/halftone.h"

namespace quiral {

namespace {

constexpr int32_t kImageLeft = 52;
constexpr int32_t kImageTop = 0;
constexpr int32_t kLandscapeWidth = 792;
constexpr int32_t kLandscapeHeight = 612;

// Closes the progress display however the export ends.
struct ProgressCloser {
  ExportProgress* progress;
  ~ProgressCloser() {
    if (progress) progress->finish();
  }
};

}  // namespace

std::string removeExtension(const std::string& path) {
  const size_t nameStart = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot <= nameStart) return path;
  return path.substr(0, dot);
}

std::string pdfFileName(const std::string& baseName) {
  return baseName + ".PDF";
}

std::string exportPageCaption(int page, int pageCount) {
  return "Page... " + pdf_syntax::number(page) + " of " + pdf_syntax::number(pageCount);
}

ExportResult TExportQR::ExportPDF(const std::string& BaseName, bool Indexed) {
  ExportResult result;
  try {
    exportPages(pdfFileName(BaseName), Indexed);
    result.ok = true;
    result.fileName = pdfFileName(BaseName);
    return result;
  } catch (const std::bad_alloc&) {
    result.reason = "Not enough memory";
  } catch (const std::exception& e) {
    result.reason = e.what();
  } catch (...) {
    result.reason = "Unknown error";
  }
  if (errorBox_) errorBox_->showExportError(result.reason);
  return result;
}

void TExportQR::exportPages(const std::string& fileName, bool indexed) {
  ProgressCloser closer{progress_};
  if (!Report) throw QuiralError("There is no report to export");
  const TQRPrinter& pages = Report->qrPrinter();
  // Pictures taken from a report still being made would silently miss its later pages.
  if (pages.generating())
    throw QuiralError("The report is still being prepared; export it when all its pages are ready");
  const int pageCount = pages.pageCount();
  if (pageCount < 1) throw QuiralError("The report has no pages");

  if (progress_) progress_->start(pageCount);

  TPrintPDF writer;
  if (clock_) writer.setClock(clock_);
  writer.FileName = fileName;
  writer.BeginDoc();
  if (pages.orientation() == Orientation::Landscape) {
    writer.PageWidth = kLandscapeWidth;
    writer.PageHeight = kLandscapeHeight;
  }
  for (int i = 1; i <= pageCount; ++i) {
    if (progress_) progress_->pageStarted(i, pageCount, exportPageCaption(i, pageCount));
    Bitmap picture = toHalftone(*pages.pagePicture(i));
    if (indexed)
      writer.DrawBitmap(kImageLeft, kImageTop, picture);
    else
      writer.DrawBitmapJPEG(kImageLeft, kImageTop, picture);
    if (i != pageCount) writer.NewPage();
    if (progress_) progress_->pageDone();
  }
  writer.EndDoc();
}

}  // namespace quiral
