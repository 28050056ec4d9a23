#include "app/display_list_painter.h"

#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "app/bitmap_image.h"
#include "vector/picture_frame.h"

namespace quiral {

namespace {

// An arc of the item's ellipse as a path, counter-clockwise on the page from its start angle;
// a filled arc is its pie slice.
QPainterPath arcPath(const QRectF& box, double start, double sweep, bool slice) {
  QPainterPath path;
  path.arcMoveTo(box, start);
  path.arcTo(box, start, sweep);
  if (slice) {
    path.lineTo(box.center());
    path.closeSubpath();
  }
  return path;
}

QBrush brushOf(const DisplayItem& item) {
  switch (item.fill) {
    case FillKind::Background:
      return QBrush(Qt::white);
    case FillKind::Solid:
      return QBrush(toQColor(item.fillColor));
    default:
      return QBrush(Qt::NoBrush);
  }
}

void paintText(QPainter& p, const DisplayText& t, Color color, double scale, double ox, double oy) {
  QFont font(QString::fromStdString(t.family));
  font.setPixelSize(1);  // replaced below; pixel sizes must be whole, point sizes need not be
  font.setPointSizeF(std::max(0.01, t.size * scale * 72.0 / p.device()->logicalDpiY()));
  font.setBold(t.bold);
  font.setItalic(t.italic);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  p.save();
  p.setFont(font);
  p.setPen(toQColor(color));
  p.translate(t.origin.x * scale + ox, oy - t.origin.y * scale);
  if (t.angle != 0) p.rotate(-t.angle / 10.0);
  p.drawText(QPointF(0, 0), QString::fromStdString(t.utf8));
  p.restore();
}

}  // namespace

void paintDisplayList(QPainter& p, const DisplayList& list, double scale, double ox, double oy) {
  p.save();
  QPen pen;
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  auto at = [&](double x, double y) { return QPointF(x * scale + ox, oy - y * scale); };
  const std::vector<Vec2>& points = list.points();
  QPolygonF polygon;
  for (const DisplayItem& item : list.items()) {
    pen.setColor(toQColor(item.color));
    pen.setWidthF(std::max((item.width > 0 ? item.width : kVectorLineWidth) * scale, 1.0));
    p.setPen(pen);
    p.setBrush(brushOf(item));
    switch (item.kind) {
      case ItemKind::Polyline:
        polygon.clear();
        for (uint32_t i = 0; i < item.count; ++i) {
          const Vec2& v = points[item.first + i];
          polygon << at(v.x, v.y);
        }
        if (item.closed) {
          p.drawPolygon(polygon);
        } else if (polygon.size() == 1) {
          p.drawPoint(polygon.front());
        } else {
          p.drawPolyline(polygon);
        }
        break;
      case ItemKind::Rectangle:
        p.drawRect(QRectF(at(item.v[0], item.v[1]), at(item.v[2], item.v[3])).normalized());
        break;
      case ItemKind::Ellipse:
        p.drawEllipse(at(item.v[0], item.v[1]), item.v[2] * scale, item.v[3] * scale);
        break;
      case ItemKind::Arc: {
        const QPointF c = at(item.v[0], item.v[1]);
        const double rx = item.v[2] * scale, ry = item.v[3] * scale;
        p.drawPath(arcPath(QRectF(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry), item.v[4], item.v[5],
                           item.fill != FillKind::None));
        break;
      }
      case ItemKind::Text:
        paintText(p, list.texts()[item.text], item.color, scale, ox, oy);
        break;
    }
  }
  p.restore();
}

QImage displayListImage(const DisplayList& list, double pixelsPerUnit, double marginUnits,
                        int maxSide) {
  const PictureBox box = pictureBox(list, marginUnits);
  const double w = std::ceil(box.width * pixelsPerUnit), h = std::ceil(box.height * pixelsPerUnit);
  if (!(w <= maxSide && h <= maxSide)) return QImage();
  QImage image(std::max(1, int(w)), std::max(1, int(h)), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  paintDisplayList(p, list, pixelsPerUnit, -box.left * pixelsPerUnit, box.top * pixelsPerUnit);
  return image;
}

}  // namespace quiral
