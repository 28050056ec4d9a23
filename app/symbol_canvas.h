#pragma once

#include <QImage>
#include <QWidget>

#include "platform/display_list.h"
#include "vector/picture_frame.h"

namespace quiral {

// The symbol view's drawing surface: a display list painted anti-aliased at a scale, inside the
// scroll area's viewport. The widget is at least as large as the viewport and the picture sits
// centred in it, with a margin of a few pixels whatever the scale; only the part that is exposed
// is painted, so a large picture at a high zoom costs no more than the screen it fills.
class SymbolCanvas : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMarginPixels = 6;

  explicit SymbolCanvas(QWidget* parent = nullptr);

  // A new list (or none, when empty is true) at `pixelsPerUnit`; `room` is the viewport's size.
  void showList(const DisplayList& list, double pixelsPerUnit, QSize room);
  void clearPicture();
  // A pixel image shown 1:1 instead of a list (the hidden test page draws on the pixel canvas).
  void showImage(const QImage& image, QSize room);
  // The same list at another scale.
  void setScale(double pixelsPerUnit, QSize room);
  // The viewport changed size: the widget grows or shrinks with it around the picture.
  void fitRoom(QSize room);

  bool hasPicture() const { return hasPicture_; }
  double pixelsPerUnit() const { return pixelsPerUnit_; }
  // The picture's size in pixels, margins included, and where it starts in the widget.
  QSize pictureSize() const;
  QPoint pictureOrigin() const;
  // The library point under a widget point, and back.
  QPointF unitsAt(QPointF widgetPoint) const;
  QPointF widgetPointOf(QPointF units) const;
  // The whole picture as an image (what the widget shows of it, margins included).
  QImage picture() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void paintPicture(QPainter& painter, QPoint origin) const;

  DisplayList list_;
  QImage image_;
  PictureBox box_;
  double pixelsPerUnit_ = 1;
  bool hasPicture_ = false;
};

// The largest zoom (in percent of the pixel view's scale) at which a picture of `box` with the
// canvas's margins fits `room`.
double percentThatFits(const PictureBox& box, QSize room);

}  // namespace quiral
