#include "platform/pixel_ops.h"

#include <cstring>

namespace quiral {

int64_t spanClipped(Bitmap& bm, int64_t y, int64_t x0, int64_t x1, Ink ink) {
  if (y < 0 || y >= bm.height()) return 0;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, bm.width());
  if (x0 >= x1) return 0;
  if (bm.format() != Bitmap::Format::Rgb24) {
    for (int64_t x = x0; x < x1; ++x) putPixel(bm, x, y, ink);
    return x1 - x0;
  }
  uint8_t* p = bm.row(int(y)) + size_t(x0) * 3;
  uint8_t* end = p + size_t(x1 - x0) * 3;
  const uint8_t r = redOf(ink.color), g = greenOf(ink.color), b = blueOf(ink.color);
  if (ink.mode == PenMode::Mask) {
    if (r == 0xFF && g == 0xFF && b == 0xFF) return 0;  // AND with white changes nothing
    for (; p < end; p += 3) {
      p[0] &= r;
      p[1] &= g;
      p[2] &= b;
    }
  } else if (r == g && g == b) {
    std::memset(p, r, size_t(end - p));
  } else {
    for (; p < end; p += 3) {
      p[0] = r;
      p[1] = g;
      p[2] = b;
    }
  }
  return x1 - x0;
}

int64_t columnClipped(Bitmap& bm, int64_t x, int64_t y0, int64_t y1, Ink ink) {
  if (x < 0 || x >= bm.width()) return 0;
  y0 = std::max<int64_t>(y0, 0);
  y1 = std::min<int64_t>(y1, bm.height());
  for (int64_t y = y0; y < y1; ++y) putPixel(bm, x, y, ink);
  return std::max<int64_t>(y1 - y0, 0);
}

int64_t fillClipped(Bitmap& bm, const Rect& box, Ink ink) {
  // AND with white changes no RGB pixel (an indexed one may move to an equal palette colour).
  if (ink.mode == PenMode::Mask && ink.color == colors::kWhite &&
      bm.format() == Bitmap::Format::Rgb24)
    return 0;
  Rect c = clipToBitmap(bm, box);
  int64_t written = 0;
  for (int64_t y = c.top; y < c.bottom; ++y) written += spanClipped(bm, y, c.left, c.right, ink);
  return written;
}

Rect clipToBitmap(const Bitmap& bm, const Rect& box) {
  Rect c{std::max<int64_t>(box.left, 0), std::max<int64_t>(box.top, 0),
         std::min<int64_t>(box.right, bm.width()), std::min<int64_t>(box.bottom, bm.height())};
  if (isEmpty(c)) return Rect{};
  return c;
}

void unite(Rect& into, const Rect& r) {
  if (isEmpty(r)) return;
  if (isEmpty(into)) {
    into = r;
    return;
  }
  into.left = std::min(into.left, r.left);
  into.top = std::min(into.top, r.top);
  into.right = std::max(into.right, r.right);
  into.bottom = std::max(into.bottom, r.bottom);
}

}  // namespace quiral
