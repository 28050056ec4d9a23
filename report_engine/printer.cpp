#include "report_engine/printer.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/font_engine.h"
#include "report_engine/page_painter.h"
#include "report_engine/qrp_file.h"

namespace quiral {

TQRPrinter::TQRPrinter() : ownFonts_(std::make_unique<FontEngine>()), fonts_(ownFonts_.get()) {}

TQRPrinter::~TQRPrinter() = default;

void TQRPrinter::setFontEngine(FontEngine& fonts) {
  fonts_ = &fonts;
  ownFonts_.reset();
}

std::shared_ptr<const PreparedPage> TQRPrinter::page(int i) const {
  if (i < 1 || i > pageCount()) return nullptr;
  return report_.pages[size_t(i - 1)];
}

std::unique_ptr<Bitmap> TQRPrinter::pagePicture(int i) const {
  auto p = page(i);
  if (!p) throw QuiralError("The report has no page " + std::to_string(i));
  auto picture = std::make_unique<Bitmap>(int(pagePixels(report_.pageWidth, kScreenDpi)),
                                          int(pagePixels(report_.pageHeight, kScreenDpi)));
  paintPage(*fonts_, *p, *picture, kScreenDpi);
  return picture;
}

void TQRPrinter::save(const std::string& path) const {
  if (generating_)
    throw QuiralError("The report is still being prepared; save it when all its pages are ready");
  savePreparedReport(report_, path);
}

void TQRPrinter::load(const std::string& path) {
  if (generating_)
    throw QuiralError(
        "The report is still being prepared; load a file when all its pages are ready");
  PreparedReport loaded = loadPreparedReport(path);  // throws before anything changes
  report_ = std::move(loaded);
  notify([](PrinterListener& l) { l.pagesReplaced(); });
}

void TQRPrinter::startOver(std::string title, const PageSetup& page) {
  report_ = PreparedReport{};
  report_.title = std::move(title);
  report_.pageWidth = page.pageWidth();
  report_.pageHeight = page.pageHeight();
  report_.orientation = page.orientation;
  notify([](PrinterListener& l) { l.pagesReplaced(); });
}

void TQRPrinter::beginGeneration(std::string title, const PageSetup& page) {
  // Already generating when the listeners hear that the pages were replaced: a window that
  // follows them must not offer the empty report as complete.
  generating_ = true;
  startOver(std::move(title), page);
}

void TQRPrinter::addPage(PreparedPage page) {
  report_.pages.push_back(std::make_shared<const PreparedPage>(std::move(page)));
  const int count = pageCount();
  notify([count](PrinterListener& l) { l.pageAvailable(count); });
}

void TQRPrinter::endGeneration() {
  generating_ = false;
  notify([](PrinterListener& l) { l.generationEnded(); });
}

void TQRPrinter::openPreview() {
  previewShowing_ = true;
}

void TQRPrinter::closePreview() {
  if (!previewShowing_) return;
  previewShowing_ = false;
  notify([](PrinterListener& l) { l.previewClosed(); });
}

void TQRPrinter::addListener(PrinterListener* listener) {
  if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
    listeners_.push_back(listener);
}

void TQRPrinter::removeListener(PrinterListener* listener) {
  std::erase(listeners_, listener);
}

template <typename Call>
void TQRPrinter::notify(Call call) {
  // A listener may add or remove listeners while it is told; work on a copy and skip those
  // that left meanwhile.
  const auto snapshot = listeners_;
  for (PrinterListener* l : snapshot)
    if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end()) call(*l);
}

}  // namespace quiral
