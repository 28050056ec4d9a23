#include "report_engine/page_painter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/canvas.h"
#include "platform/error.h"
#include "platform/page_text.h"
#include "report_engine/page_surface.h"

namespace quiral {

namespace {

Rect whole(const DeviceBox& b) {
  return {std::llround(b.left), std::llround(b.top), std::llround(b.right), std::llround(b.bottom)};
}

Rect intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

bool isEmpty(const Rect& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

void copyPixels(Bitmap& dst, const Bitmap& src, int64_t atX, int64_t atY) {
  for (int y = 0; y < src.height(); ++y)
    std::memcpy(dst.row(int(atY + y)) + atX * 3, src.row(y), src.stride());
}

// The page on a 24-bit bitmap: boxes on whole pixels, text antialiased by the platform's own
// rasteriser, pictures as their pixels (a picture's drawing is for the vector surfaces).
class PixelPageSurface final : public PageSurface {
 public:
  PixelPageSurface(FontEngine& fonts, Bitmap& dst) : fonts_(fonts), dst_(dst) {}

  bool wholeUnits() const override { return true; }

  void fillBox(const DeviceBox& box, Color c) override {
    const Rect r = intersect(whole(box), bounds());
    if (isEmpty(r)) return;
    const uint8_t rgb[3] = {redOf(c), greenOf(c), blueOf(c)};
    for (int64_t y = r.top; y < r.bottom; ++y) {
      uint8_t* p = dst_.row(int(y)) + r.left * 3;
      for (int64_t x = r.left; x < r.right; ++x, p += 3) std::memcpy(p, rgb, 3);
    }
  }

  void drawText(const PageText& t, double x, double baseline, double em,
                const DeviceBox& clip) override {
    const Rect cut = intersect(whole(clip), bounds());
    if (isEmpty(cut)) return;
    drawPageText(fonts_, dst_, x, baseline, t.font, em, t.text, cut);
  }

  void drawPicture(const PagePicture& p, const DeviceBox& at, const DeviceBox& clip) override {
    if (!p.picture || p.picture->empty()) return;
    const Bitmap src = p.picture->toBitmap();
    const Rect placed = whole(at);
    const Rect visible = intersect(intersect(placed, whole(clip)), bounds());
    if (isEmpty(visible)) return;
    const Rect all{0, 0, src.width(), src.height()};
    if (visible == intersect(placed, bounds())) {
      stretchCopy(dst_, placed, src, all);  // nothing of it is cut but by the bitmap's edges
      return;
    }
    // Cut by its box: scale into a piece the size of what shows, then copy that piece.
    Bitmap piece(int(visible.width()), int(visible.height()));
    stretchCopy(piece,
                {placed.left - visible.left, placed.top - visible.top, placed.right - visible.left,
                 placed.bottom - visible.top},
                src, all);
    copyPixels(dst_, piece, visible.left, visible.top);
  }

 private:
  Rect bounds() const { return {0, 0, dst_.width(), dst_.height()}; }

  FontEngine& fonts_;
  Bitmap& dst_;
};

}  // namespace

int64_t pagePixels(int32_t tenths, double dpi) {
  return std::max<int64_t>(0, std::llround(tenths * dpi / kTenthsPerInch));
}

void paintPage(FontEngine& fonts, const PreparedPage& page, Bitmap& dst, double dpi,
               int64_t originX, int64_t originY) {
  if (dst.format() != Bitmap::Format::Rgb24)
    throw QuiralError("Report pages are painted on 24-bit pictures only");
  dst.clear();
  PixelPageSurface surface(fonts, dst);
  walkPage(page, fonts, surface, {dpi, originX, originY});
}

}  // namespace quiral
