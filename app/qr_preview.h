#pragma once

#include <QAbstractScrollArea>
#include <QPainter>
#include <functional>
#include <memory>
#include <set>

#include "report_engine/printer.h"

namespace quiral {

// The page view: shows one prepared page of a printer object at a zoom in percent, scrolling
// both ways. Each paint draws the visible part of the page afresh at the zoom's resolution, once,
// through the QPainter page surface, so text, lines and the pictures that carry their drawing as
// vectors stay sharp at every zoom.
class TQRPreview : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kMinZoom = 2;
  static constexpr int kMaxZoom = 2000;

  // Paints a page with its top-left corner at the painter's origin, `dpi` device pixels an inch,
  // as the QPainter page surface does (replaceable for tests).
  using PagePainter = std::function<void(QPainter& painter, const PreparedPage& page, double dpi)>;

  explicit TQRPreview(QWidget* parent = nullptr);
  ~TQRPreview() override;

  // Binds the view to a printer object (not owned; null unbinds).
  void setQRPrinter(TQRPrinter* printer);
  TQRPrinter* qrPrinter() const { return printer_; }

  // The page shown, counting from 1.
  int pageNumber() const { return pageNumber_; }
  void setPageNumber(int page);

  // Zoom in percent; a value below 2 or above 2000 is ignored and the zoom stays.
  int zoom() const { return zoom_; }
  void setZoom(int percent);
  // The largest zoom at which the whole page fits the view.
  void zoomToFit();
  // The zoom at which the page's width fills the view.
  void zoomToWidth();
  // Paints the current page again (after its pages were replaced, for instance).
  void updateView();

  void setPagePainter(PagePainter painter);

  // The page's size in pixels at the current zoom.
  QSize pageSizeInPixels() const;
  // The pixels per inch the page is rendered at.
  double renderDpi() const { return 96.0 * zoom_ / 100.0; }
  // Where the page's top-left corner is in the viewport.
  QPoint pageOrigin() const;

 signals:
  // Another page was prepared; `pageCount` pages exist now.
  void pageAvailable(int pageCount);
  void generationEnded();
  // The pages were replaced as a whole (a prepared report was loaded, or a new one started).
  void pagesReplaced(int pageCount);
  // The preview showing these pages was closed (from outside the window that shows them too).
  void previewClosed();
  void zoomChanged(int percent);
  // A page could not be painted (it shows empty); said once a page, after painting.
  void pageUnpaintable(const QString& reason);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  class Listener;

  QSize pageSizeAt(int percent) const;
  int fitZoom(bool widthOnly) const;
  void updateScrollBars();
  void paintFailed(const QString& reason);

  TQRPrinter* printer_ = nullptr;
  PagePainter painter_;
  // Pages whose painting failed and was reported; each is reported once until the pages change.
  std::set<int> failedPages_;
  std::unique_ptr<Listener> listener_;
  int pageNumber_ = 1;
  int zoom_ = 100;
};

}  // namespace quiral
