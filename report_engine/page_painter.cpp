#include "report_engine/page_painter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/canvas.h"
#include "platform/error.h"
#include "platform/page_text.h"
#include "report_engine/text_layout.h"

namespace quiral {

namespace {

// Maps page coordinates (tenths of a millimetre) to the target bitmap's pixels.
struct DeviceMap {
  double scale;  // pixels per tenth of a millimetre
  int64_t originX;
  int64_t originY;

  int64_t x(int32_t tenths) const { return std::llround(tenths * scale) - originX; }
  int64_t y(int32_t tenths) const { return std::llround(tenths * scale) - originY; }
  Rect rect(const TenthsRect& r) const { return {x(r.left), y(r.top), x(r.right), y(r.bottom)}; }
};

Rect intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

bool isEmpty(const Rect& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

void fill(Bitmap& dst, Rect r, Color c) {
  r = intersect(r, {0, 0, dst.width(), dst.height()});
  if (isEmpty(r)) return;
  const uint8_t rgb[3] = {redOf(c), greenOf(c), blueOf(c)};
  for (int64_t y = r.top; y < r.bottom; ++y) {
    uint8_t* p = dst.row(int(y)) + r.left * 3;
    for (int64_t x = r.left; x < r.right; ++x, p += 3) std::memcpy(p, rgb, 3);
  }
}

void paintFrame(Bitmap& dst, const DeviceMap& map, double dpi, const PageFrame& f) {
  const Rect r = map.rect(f.box);
  const int64_t t = std::max<int64_t>(1, std::llround(f.penWidth * dpi / kScreenDpi));
  if (f.sides.left) fill(dst, {r.left, r.top, std::min(r.left + t, r.right), r.bottom}, f.color);
  if (f.sides.right) fill(dst, {std::max(r.right - t, r.left), r.top, r.right, r.bottom}, f.color);
  if (f.sides.top) fill(dst, {r.left, r.top, r.right, std::min(r.top + t, r.bottom)}, f.color);
  if (f.sides.bottom)
    fill(dst, {r.left, std::max(r.bottom - t, r.top), r.right, r.bottom}, f.color);
}

void paintText(FontEngine& fonts, Bitmap& dst, const DeviceMap& map, const PageText& t) {
  const Rect clip = intersect(map.rect(t.clip), {0, 0, dst.width(), dst.height()});
  if (isEmpty(clip)) return;
  const double em = emTenths(t.font) * map.scale;
  const double ascent = pageFontMetrics(fonts, t.font, em).ascent;
  drawPageText(fonts, dst, t.x * map.scale - double(map.originX),
               t.top * map.scale - double(map.originY) + ascent, t.font, em, t.text, clip);
}

void copyPixels(Bitmap& dst, const Bitmap& src, int64_t atX, int64_t atY) {
  for (int y = 0; y < src.height(); ++y)
    std::memcpy(dst.row(int(atY + y)) + atX * 3, src.row(y), src.stride());
}

void paintPicture(Bitmap& dst, const DeviceMap& map, double dpi, const PagePicture& p) {
  if (!p.picture || p.picture->empty()) return;
  const Bitmap src = p.picture->toBitmap();
  const Rect box = map.rect(p.box);
  const int64_t w = std::max<int64_t>(1, std::llround(src.width() * dpi / kScreenDpi));
  const int64_t h = std::max<int64_t>(1, std::llround(src.height() * dpi / kScreenDpi));
  int64_t left = box.left, top = box.top;
  if (p.center) {
    left += (box.width() - w) / 2;
    top += (box.height() - h) / 2;
  }
  const Rect placed{left, top, left + w, top + h};
  const Rect visible = intersect(intersect(placed, intersect(box, map.rect(p.clip))),
                                 {0, 0, dst.width(), dst.height()});
  if (isEmpty(visible)) return;
  const Rect whole{0, 0, src.width(), src.height()};
  if (visible == intersect(placed, {0, 0, dst.width(), dst.height()})) {
    stretchCopy(dst, placed, src, whole);  // nothing of it is cut but by the bitmap's edges
    return;
  }
  // Cut by its box: scale into a piece the size of what shows, then copy that piece.
  Bitmap piece(int(visible.width()), int(visible.height()));
  stretchCopy(piece,
              {placed.left - visible.left, placed.top - visible.top, placed.right - visible.left,
               placed.bottom - visible.top},
              src, whole);
  copyPixels(dst, piece, visible.left, visible.top);
}

}  // namespace

int64_t pagePixels(int32_t tenths, double dpi) {
  return std::max<int64_t>(0, std::llround(tenths * dpi / kTenthsPerInch));
}

void paintPage(FontEngine& fonts, const PreparedPage& page, Bitmap& dst, double dpi,
               int64_t originX, int64_t originY, PicturePixels pictures) {
  if (dst.format() != Bitmap::Format::Rgb24)
    throw QuiralError("Report pages are painted on 24-bit pictures only");
  dst.clear();
  if (!(dpi > 0) || !std::isfinite(dpi)) return;
  const DeviceMap map{dpi / kTenthsPerInch, originX, originY};
  for (const PageItem& item : page.items) {
    std::visit(
        [&](const auto& it) {
          using T = std::decay_t<decltype(it)>;
          if constexpr (std::is_same_v<T, PageFill>) {
            fill(dst, map.rect(it.box), it.color);
          } else if constexpr (std::is_same_v<T, PageFrame>) {
            paintFrame(dst, map, dpi, it);
          } else if constexpr (std::is_same_v<T, PageText>) {
            paintText(fonts, dst, map, it);
          } else if (pictures == PicturePixels::All || !it.vectors) {
            paintPicture(dst, map, dpi, it);
          }
        },
        item);
  }
}

}  // namespace quiral
