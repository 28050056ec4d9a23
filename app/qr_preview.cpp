#include "app/qr_preview.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "app/vector_page_painter.h"
#include "platform/error.h"
#include "report_engine/page_painter.h"

namespace quiral {

namespace {

// Grey space around the page, in pixels.
constexpr int kGap = 10;
const QColor kBackground(128, 128, 128);

}  // namespace

// Relays the printer object's news to the view on the same (user-interface) thread.
class TQRPreview::Listener : public PrinterListener {
 public:
  explicit Listener(TQRPreview& view) : view_(view) {}
  void pageAvailable(int pageCount) override {
    if (pageCount == 1) view_.updateScrollBars();  // the first page brings the page size
    if (pageCount == view_.pageNumber_) view_.viewport()->update();
    emit view_.pageAvailable(pageCount);
  }
  void generationEnded() override { emit view_.generationEnded(); }
  void previewClosed() override { emit view_.previewClosed(); }
  void pagesReplaced() override {
    view_.failedPages_.clear();
    view_.updateView();
    emit view_.pagesReplaced(view_.printer_ ? view_.printer_->pageCount() : 0);
  }

 private:
  TQRPreview& view_;
};

TQRPreview::TQRPreview(QWidget* parent)
    : QAbstractScrollArea(parent), listener_(std::make_unique<Listener>(*this)) {
  painter_ = [this](QPainter& painter, const PreparedPage& page, double dpi) {
    paintPageAsVectors(painter, printer_->fontEngine(), page, dpi);
  };
  setObjectName("QRPreview");
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  horizontalScrollBar()->setTracking(true);
  verticalScrollBar()->setTracking(true);
  viewport()->setAutoFillBackground(false);
  updateScrollBars();
}

TQRPreview::~TQRPreview() {
  setQRPrinter(nullptr);
}

void TQRPreview::setQRPrinter(TQRPrinter* printer) {
  if (printer_) printer_->removeListener(listener_.get());
  printer_ = printer;
  if (printer_) printer_->addListener(listener_.get());
  failedPages_.clear();
  updateView();
}

void TQRPreview::setPagePainter(PagePainter painter) {
  if (painter) painter_ = std::move(painter);
  failedPages_.clear();
  viewport()->update();
}

void TQRPreview::setPageNumber(int page) {
  pageNumber_ = std::max(1, page);
  viewport()->update();
}

void TQRPreview::setZoom(int percent) {
  if (percent < kMinZoom || percent > kMaxZoom) return;
  if (percent == zoom_) return;
  zoom_ = percent;
  updateScrollBars();
  viewport()->update();
  emit zoomChanged(zoom_);
}

void TQRPreview::zoomToFit() {
  setZoom(fitZoom(false));
}

void TQRPreview::zoomToWidth() {
  setZoom(fitZoom(true));
}

void TQRPreview::updateView() {
  updateScrollBars();
  viewport()->update();
}

QSize TQRPreview::pageSizeAt(int percent) const {
  const int32_t w = printer_ ? printer_->pageWidth() : 2100;
  const int32_t h = printer_ ? printer_->pageHeight() : 2970;
  const double dpi = 96.0 * percent / 100.0;
  return {int(pagePixels(w, dpi)), int(pagePixels(h, dpi))};
}

QSize TQRPreview::pageSizeInPixels() const {
  return pageSizeAt(zoom_);
}

int TQRPreview::fitZoom(bool widthOnly) const {
  const QSize page100 = pageSizeAt(100);
  // The room the page has once no scroll bar is shown; fitting the width of a page taller than
  // the view leaves room for the vertical scroll bar.
  QSize room = maximumViewportSize() - QSize(2 * kGap, 2 * kGap);
  if (widthOnly) room.rwidth() -= verticalScrollBar()->sizeHint().width();
  double zoom = 100.0 * room.width() / std::max(1, page100.width());
  if (!widthOnly) zoom = std::min(zoom, 100.0 * room.height() / std::max(1, page100.height()));
  return std::clamp(int(std::floor(zoom)), kMinZoom, kMaxZoom);
}

void TQRPreview::updateScrollBars() {
  const QSize content = pageSizeInPixels() + QSize(2 * kGap, 2 * kGap);
  const QSize view = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, content.width() - view.width()));
  verticalScrollBar()->setRange(0, std::max(0, content.height() - view.height()));
  horizontalScrollBar()->setPageStep(view.width());
  verticalScrollBar()->setPageStep(view.height());
  horizontalScrollBar()->setSingleStep(20);
  verticalScrollBar()->setSingleStep(20);
}

QPoint TQRPreview::pageOrigin() const {
  const QSize content = pageSizeInPixels() + QSize(2 * kGap, 2 * kGap);
  const QSize view = viewport()->size();
  // A page narrower than the view is centred; a wider one scrolls.
  const int x = content.width() < view.width() ? (view.width() - content.width()) / 2
                                               : -horizontalScrollBar()->value();
  const int y = content.height() < view.height() ? (view.height() - content.height()) / 2
                                                 : -verticalScrollBar()->value();
  return {x + kGap, y + kGap};
}

void TQRPreview::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.fillRect(event->rect(), kBackground);
  const auto page = printer_ ? printer_->page(pageNumber_) : nullptr;
  if (!page) return;
  const QRect pageRect(pageOrigin(), pageSizeInPixels());
  const QRect visible = pageRect.intersected(event->rect());
  if (visible.isEmpty()) return;
  // Nothing may escape into the event loop from here: a page that cannot be painted shows
  // empty, and the reason is told once, after this paint has returned.
  try {
    // Painted once, at the zoom's resolution: pictures that carry vectors stay sharp.
    painter.setClipRect(visible);
    painter.fillRect(visible, Qt::white);
    painter.translate(pageRect.topLeft());
    painter_(painter, *page, renderDpi());
  } catch (...) {
    painter.resetTransform();
    painter.setClipRect(visible);
    painter.fillRect(visible, Qt::white);
    paintFailed(QString::fromLocal8Bit(userMessage(std::current_exception())));
  }
}

void TQRPreview::paintFailed(const QString& reason) {
  if (!failedPages_.insert(pageNumber_).second) return;
  // A message box opened inside painting would start painting again beneath it.
  QTimer::singleShot(0, this, [this, reason] { emit pageUnpaintable(reason); });
}

void TQRPreview::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void TQRPreview::scrollContentsBy(int, int) {
  viewport()->update();
}

}  // namespace quiral
