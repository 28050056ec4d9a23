#include "app/button_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace quiral {

namespace {

constexpr int kSide = 16;

QIcon drawn(const std::function<void(QPainter&)>& draw) {
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap(kSide * scale, kSide * scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    draw(p);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QIcon themed(const char* name, const std::function<void(QPainter&)>& fallback) {
  const QIcon theme = QIcon::fromTheme(QString::fromLatin1(name));
  return theme.isNull() ? drawn(fallback) : theme;
}

void drawPrinter(QPainter& p) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));  // paper going in
  p.setBrush(QColor(160, 160, 160));
  p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);  // body
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 10.5, 7, 4));  // paper coming out
  p.setPen(QPen(QColor(0, 160, 0), 1.5));
  p.drawPoint(QPointF(12.5, 8.5));
}

void drawDisk(QPainter& p) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(40, 70, 160));
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));  // label
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(4.5, 9.5, 7, 5));  // shutter
}

void drawFolder(QPainter& p) {
  p.setPen(QPen(QColor(120, 90, 0), 1));
  p.setBrush(QColor(240, 200, 80));
  QPainterPath back;
  back.moveTo(1.5, 3.5);
  back.lineTo(6.5, 3.5);
  back.lineTo(8, 5);
  back.lineTo(14.5, 5);
  back.lineTo(14.5, 13.5);
  back.lineTo(1.5, 13.5);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(QColor(250, 225, 120));
  QPainterPath front;
  front.moveTo(1.5, 13.5);
  front.lineTo(3.5, 7.5);
  front.lineTo(15.5, 7.5);
  front.lineTo(14.5, 13.5);
  front.closeSubpath();
  p.drawPath(front);
}

}  // namespace

QIcon printButtonIcon() {
  return themed("document-print", drawPrinter);
}

QIcon saveButtonIcon() {
  return themed("document-save", drawDisk);
}

QIcon openButtonIcon() {
  return themed("document-open", drawFolder);
}

}  // namespace quiral
