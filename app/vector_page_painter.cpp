#include "app/vector_page_painter.h"

#include <QFont>
#include <QString>
#include <algorithm>
#include <cmath>

#include "app/bitmap_image.h"
#include "app/display_list_painter.h"
#include "platform/font_engine.h"
#include "platform/page_text.h"
#include "platform/screen.h"
#include "platform/text_codec.h"
#include "report_engine/report_types.h"
#include "report_engine/text_layout.h"
#include "reports/cell_vectors.h"

namespace quiral {

namespace {

QRectF deviceRect(const TenthsRect& r, double perTenth) {
  return QRectF(QPointF(r.left * perTenth, r.top * perTenth),
                QPointF(r.right * perTenth, r.bottom * perTenth));
}

// Where a picture's pixels land: their own size scaled from 96 dpi, at the box's top-left corner
// or centred in it, as the pixel painter places them.
QRectF placedPicture(const PagePicture& p, double dpi) {
  const QRectF box = deviceRect(p.box, dpi / kTenthsPerInch);
  const double w = p.picture ? p.picture->width() * dpi / kScreenDpi : box.width();
  const double h = p.picture ? p.picture->height() * dpi / kScreenDpi : box.height();
  QPointF topLeft = box.topLeft();
  if (p.center) topLeft += QPointF((box.width() - w) / 2, (box.height() - h) / 2);
  return QRectF(topLeft, QSizeF(w, h));
}

QRectF pictureClip(const PagePicture& p, double dpi) {
  const double perTenth = dpi / kTenthsPerInch;
  return deviceRect(p.box, perTenth).intersected(deviceRect(p.clip, perTenth));
}

void paintVectors(QPainter& painter, const PagePicture& p, const CellVectors& v, double dpi) {
  const QRectF placed = placedPicture(p, dpi);
  const double perPixel = dpi / kScreenDpi;
  painter.save();
  // Cut to the picture's box only: a pin's end that the pixel copy loses at its edge shows whole.
  painter.setClipRect(pictureClip(p, dpi), Qt::IntersectClip);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  // The view's copy may stretch one axis a little more than the other: the vertical difference
  // goes into the painter, the list is drawn at the horizontal scale.
  painter.translate(placed.left() + v.originX * perPixel, placed.top() + v.originY * perPixel);
  painter.scale(1.0, v.scaleY / v.scaleX);
  paintDisplayList(painter, v.list, v.scaleX * perPixel, 0, 0);
  painter.restore();
}

void paintPixels(QPainter& painter, const PagePicture& p, double dpi) {
  if (!p.picture || p.picture->empty()) return;
  painter.save();
  painter.setClipRect(pictureClip(p, dpi), Qt::IntersectClip);
  painter.drawImage(placedPicture(p, dpi), toQImage(p.picture->toBitmap()));
  painter.restore();
}

void paintFrame(QPainter& painter, const PageFrame& f, double dpi) {
  const QRectF r = deviceRect(f.box, dpi / kTenthsPerInch);
  const double t = std::max(1.0, std::round(f.penWidth * dpi / kScreenDpi));
  const QColor c = toQColor(f.color);
  const double across = std::min(t, r.width()), down = std::min(t, r.height());
  if (f.sides.left) painter.fillRect(QRectF(r.left(), r.top(), across, r.height()), c);
  if (f.sides.right) painter.fillRect(QRectF(r.right() - across, r.top(), across, r.height()), c);
  if (f.sides.top) painter.fillRect(QRectF(r.left(), r.top(), r.width(), down), c);
  if (f.sides.bottom) painter.fillRect(QRectF(r.left(), r.bottom() - down, r.width(), down), c);
}

void paintText(QPainter& painter, FontEngine& fonts, const PageText& t, double dpi) {
  const double perTenth = dpi / kTenthsPerInch;
  const double em = emTenths(t.font) * perTenth;
  if (!(em > 0)) return;
  const double ascent = pageFontMetrics(fonts, t.font, em).ascent;
  QFont font(QString::fromStdString(fonts.face(t.font.face, t.font.bold).familyName()));
  font.setPointSizeF(em * 72.0 / painter.device()->logicalDpiY());
  font.setBold(t.font.bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  const std::u32string text = decodeText(t.text);
  painter.save();
  painter.setClipRect(deviceRect(t.clip, perTenth), Qt::IntersectClip);
  painter.setFont(font);
  painter.setPen(toQColor(t.font.color));
  painter.drawText(QPointF(t.x * perTenth, t.top * perTenth + ascent),
                   QString::fromUcs4(text.data(), qsizetype(text.size())));
  painter.restore();
}

const CellVectors* cellVectorsOf(const PagePicture& p) {
  return dynamic_cast<const CellVectors*>(p.vectors.get());
}

}  // namespace

bool hasPictureVectors(const PreparedPage& page) {
  return std::any_of(page.items.begin(), page.items.end(), [](const PageItem& item) {
    const auto* p = std::get_if<PagePicture>(&item);
    return p && cellVectorsOf(*p);
  });
}

void paintPictureVectors(QPainter& painter, const PreparedPage& page, double dpi) {
  for (const PageItem& item : page.items)
    if (const auto* p = std::get_if<PagePicture>(&item))
      if (const CellVectors* v = cellVectorsOf(*p)) paintVectors(painter, *p, *v, dpi);
}

void paintPageAsVectors(QPainter& painter, FontEngine& fonts, const PreparedPage& page,
                        double dpi) {
  if (!(dpi > 0) || !std::isfinite(dpi)) return;
  for (const PageItem& item : page.items) {
    std::visit(
        [&](const auto& it) {
          using T = std::decay_t<decltype(it)>;
          if constexpr (std::is_same_v<T, PageFill>) {
            painter.fillRect(deviceRect(it.box, dpi / kTenthsPerInch), toQColor(it.color));
          } else if constexpr (std::is_same_v<T, PageFrame>) {
            paintFrame(painter, it, dpi);
          } else if constexpr (std::is_same_v<T, PageText>) {
            paintText(painter, fonts, it, dpi);
          } else if (const CellVectors* v = cellVectorsOf(it)) {
            paintVectors(painter, it, *v, dpi);
          } else {
            paintPixels(painter, it, dpi);
          }
        },
        item);
  }
}

}  // namespace quiral
