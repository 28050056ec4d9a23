#include "app/vector_page_painter.h"

#include <QFont>
#include <QString>
#include <QTextLayout>

#include "app/bitmap_image.h"
#include "app/display_list_painter.h"
#include "platform/font_engine.h"
#include "platform/page_text.h"
#include "platform/screen.h"
#include "platform/text_codec.h"
#include "report_engine/page_surface.h"

namespace quiral {

namespace {

QRectF qRect(const DeviceBox& b) {
  return QRectF(QPointF(b.left, b.top), QPointF(b.right, b.bottom));
}

class QPainterPageSurface final : public PageSurface {
 public:
  QPainterPageSurface(QPainter& painter, FontEngine& fonts, double dpi)
      : painter_(painter), fonts_(fonts), perPixel_(dpi / kScreenDpi) {}

  bool wholeUnits() const override { return true; }

  void fillBox(const DeviceBox& box, Color color) override {
    if (!box.empty()) painter_.fillRect(qRect(box), toQColor(color));
  }

  void drawText(const PageText& t, double x, double baseline, double em,
                const DeviceBox& clip) override {
    QFont font(QString::fromStdString(fonts_.face(t.font.face, t.font.bold).familyName()));
    font.setPointSizeF(em * 72.0 / painter_.device()->logicalDpiY());
    font.setBold(t.font.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    const std::u32string text = decodeText(t.text);
    // Unrounded advances, as the engine measures: rounded ones would drift along a long line.
    QTextLayout layout(QString::fromUcs4(text.data(), qsizetype(text.size())), font,
                       painter_.device());
    QTextOption option;
    option.setUseDesignMetrics(true);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return;
    painter_.save();
    painter_.setClipRect(qRect(clip), Qt::IntersectClip);
    painter_.setPen(toQColor(t.font.color));
    // Qt's face may advance a little more or less than the engine measured (its hinting): the
    // line is fitted to the measured width, where the page was laid out to hold it.
    const double measured = pageTextWidth(fonts_, t.font, em, t.text);
    const double drawn = line.naturalTextWidth();
    painter_.translate(x, baseline);
    if (measured > 0 && drawn > 0) painter_.scale(measured / drawn, 1.0);
    layout.draw(&painter_, QPointF(0, -line.ascent()));
    painter_.restore();
  }

  void drawPicture(const PagePicture& p, const DeviceBox& placed, const DeviceBox& clip) override {
    if (clip.empty()) return;
    painter_.save();
    painter_.setClipRect(qRect(clip), Qt::IntersectClip);
    if (p.vectors) {
      const PictureDrawing& v = *p.vectors;
      painter_.setRenderHint(QPainter::Antialiasing);
      painter_.setRenderHint(QPainter::TextAntialiasing);
      // The view's copy may stretch one axis a little more than the other: the vertical
      // difference goes into the painter, the list is drawn at the horizontal scale.
      painter_.translate(placed.left + v.originX * perPixel_, placed.top + v.originY * perPixel_);
      painter_.scale(1.0, v.scaleY / v.scaleX);
      paintDisplayList(painter_, v.list, v.scaleX * perPixel_, 0, 0);
    } else {
      painter_.drawImage(qRect(placed), toQImage(p.picture->toBitmap()));
    }
    painter_.restore();
  }

 private:
  QPainter& painter_;
  FontEngine& fonts_;
  double perPixel_;  // device units per picture pixel
};

}  // namespace

void paintPageAsVectors(QPainter& painter, FontEngine& fonts, const PreparedPage& page, double dpi,
                        int64_t originX, int64_t originY) {
  QPainterPageSurface surface(painter, fonts, dpi);
  walkPage(page, fonts, surface, {dpi, originX, originY});
}

}  // namespace quiral
