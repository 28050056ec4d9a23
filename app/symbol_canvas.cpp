#include "app/symbol_canvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/display_list_painter.h"
#include "render/coordinate_map.h"

namespace quiral {

SymbolCanvas::SymbolCanvas(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
}

void SymbolCanvas::showList(const DisplayList& list, double pixelsPerUnit, QSize room) {
  image_ = QImage();
  list_ = list;
  box_ = pictureBox(list_, 0);
  pixelsPerUnit_ = pixelsPerUnit;
  hasPicture_ = true;
  fitRoom(room);
  update();
}

void SymbolCanvas::setScale(double pixelsPerUnit, QSize room) {
  pixelsPerUnit_ = pixelsPerUnit;
  fitRoom(room);
  update();
}

void SymbolCanvas::showImage(const QImage& image, QSize room) {
  image_ = image;
  list_ = {};
  hasPicture_ = !image.isNull();
  fitRoom(room);
  update();
}

void SymbolCanvas::clearPicture() {
  image_ = QImage();
  hasPicture_ = false;
  list_ = {};
  update();
}

QSize SymbolCanvas::pictureSize() const {
  if (!hasPicture_) return {0, 0};
  if (!image_.isNull()) return image_.size();
  // Bounded so that no zoom of any list can make a widget Qt refuses.
  constexpr double kLargest = 1 << 22;
  const double w = std::min(std::ceil(box_.width * pixelsPerUnit_), kLargest);
  const double h = std::min(std::ceil(box_.height * pixelsPerUnit_), kLargest);
  return {int(w) + 2 * kMarginPixels, int(h) + 2 * kMarginPixels};
}

void SymbolCanvas::fitRoom(QSize room) {
  resize(pictureSize().expandedTo(room));
}

QPoint SymbolCanvas::pictureOrigin() const {
  const QSize picture = pictureSize();
  return {std::max(0, (width() - picture.width()) / 2),
          std::max(0, (height() - picture.height()) / 2)};
}

QPointF SymbolCanvas::unitsAt(QPointF p) const {
  const QPointF o = QPointF(pictureOrigin()) + QPointF(kMarginPixels, kMarginPixels);
  return {box_.left + (p.x() - o.x()) / pixelsPerUnit_,
          box_.top - (p.y() - o.y()) / pixelsPerUnit_};
}

QPointF SymbolCanvas::widgetPointOf(QPointF units) const {
  const QPointF o = QPointF(pictureOrigin()) + QPointF(kMarginPixels, kMarginPixels);
  return {o.x() + (units.x() - box_.left) * pixelsPerUnit_,
          o.y() + (box_.top - units.y()) * pixelsPerUnit_};
}

void SymbolCanvas::paintPicture(QPainter& painter, QPoint origin) const {
  if (!image_.isNull()) {
    painter.drawImage(origin, image_);
    return;
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const double ox = origin.x() + kMarginPixels - box_.left * pixelsPerUnit_;
  const double oy = origin.y() + kMarginPixels + box_.top * pixelsPerUnit_;
  paintDisplayList(painter, list_, pixelsPerUnit_, ox, oy);
}

void SymbolCanvas::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  if (!hasPicture_) return;
  painter.setClipRect(event->rect());
  paintPicture(painter, pictureOrigin());
}

QImage SymbolCanvas::picture() const {
  if (!hasPicture_) return {};
  if (!image_.isNull()) return image_;
  QImage image(pictureSize(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintPicture(painter, {0, 0});
  return image;
}

double percentThatFits(const PictureBox& box, QSize room) {
  const double w = std::max(1.0, double(room.width() - 2 * SymbolCanvas::kMarginPixels));
  const double h = std::max(1.0, double(room.height() - 2 * SymbolCanvas::kMarginPixels));
  const double pixelsPerUnit =
      std::min(w / std::max(box.width, 1.0), h / std::max(box.height, 1.0));
  return pixelsPerUnit * kUnitsPerPixel * 100;
}

}  // namespace quiral
