#include "pdf/export_qr.h"

#include "pdf/export_interruption.h"
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

namespace {

// "" or "sub/" would become a hidden ".PDF"; "." and ".." name folders.
void requireFileName(const std::string& baseName) {
  const size_t slash = baseName.rfind('/');
  const std::string name = slash == std::string::npos ? baseName : baseName.substr(slash + 1);
  if (name.empty() || name == "." || name == "..")
    throw QuiralError("The export needs a file name, not only a folder: \"" + baseName + "\"");
}

}  // namespace

ExportResult TExportQR::ExportPDF(const std::string& BaseName, bool Indexed) {
  ExportInterruption interruption;  // made first, so it acts after everything below is undone
  ExportResult result;
  try {
    requireFileName(BaseName);
    exportPages(pdfFileName(BaseName), Indexed);
    result.ok = true;
    result.fileName = pdfFileName(BaseName);
    return result;
  } catch (...) {
    result.reason = userMessage(std::current_exception());
  }
  // An interrupted export ends the program as soon as it is undone: no box to wait for.
  if (errorBox_ && !ExportInterruption::interrupted()) errorBox_->showExportError(result.reason);
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
    ExportInterruption::throwIfInterrupted();
    if (progress_) progress_->pageStarted(i, pageCount, exportPageCaption(i, pageCount));
    Bitmap picture = toHalftone(*pages.pagePicture(i));
    if (indexed)
      writer.DrawBitmap(kImageLeft, kImageTop, picture);
    else
      writer.DrawBitmapJPEG(kImageLeft, kImageTop, picture);
    if (i != pageCount) writer.NewPage();
    if (progress_) progress_->pageDone();
  }
  ExportInterruption::throwIfInterrupted();
  writer.EndDoc();
}

}  // namespace quiral
