#pragma once

// Clipped pixel writing shared by the canvas primitives. Internal to the platform module.

#include <algorithm>
#include <cstdint>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace quiral {

// A colour with the way it combines with what is under it.
struct Ink {
  Color color = colors::kBlack;
  PenMode mode = PenMode::Copy;
};

// Writes one pixel that the caller knows to be inside the bitmap.
inline void putPixel(Bitmap& bm, int64_t x, int64_t y, Ink ink) {
  if (bm.format() != Bitmap::Format::Rgb24) {
    Color c = ink.mode == PenMode::Mask ? (bm.pixel(int(x), int(y)) & ink.color) : ink.color;
    bm.setPixel(int(x), int(y), c);
    return;
  }
  uint8_t* p = bm.row(int(y)) + size_t(x) * 3;
  if (ink.mode == PenMode::Mask) {
    p[0] &= redOf(ink.color);
    p[1] &= greenOf(ink.color);
    p[2] &= blueOf(ink.color);
  } else {
    p[0] = redOf(ink.color);
    p[1] = greenOf(ink.color);
    p[2] = blueOf(ink.color);
  }
}

inline bool inside(const Bitmap& bm, int64_t x, int64_t y) {
  return x >= 0 && y >= 0 && x < bm.width() && y < bm.height();
}

inline void plotClipped(Bitmap& bm, int64_t x, int64_t y, Ink ink) {
  if (inside(bm, x, y)) putPixel(bm, x, y, ink);
}

// Pixels x0 <= x < x1 of row y. Each of these returns how many pixels it wrote, the work it did.
int64_t spanClipped(Bitmap& bm, int64_t y, int64_t x0, int64_t x1, Ink ink);
// Pixels y0 <= y < y1 of column x.
int64_t columnClipped(Bitmap& bm, int64_t x, int64_t y0, int64_t y1, Ink ink);
// Every pixel of the box (right and bottom excluded).
int64_t fillClipped(Bitmap& bm, const Rect& box, Ink ink);

// The part of the box inside the bitmap (possibly empty).
Rect clipToBitmap(const Bitmap& bm, const Rect& box);
inline bool isEmpty(const Rect& r) {
  return r.right <= r.left || r.bottom <= r.top;
}
// Grows `into` to hold `r` too; empty boxes change nothing.
void unite(Rect& into, const Rect& r);
// Coordinates are held within +-2^61 so that widths and the +-1 of edge arithmetic never overflow;
// no box or line that far out reaches a bitmap differently.
constexpr int64_t kCoordinateLimit = int64_t(1) << 61;
inline int64_t clampCoordinate(int64_t v) {
  return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

// Box with its corners put in order, its coordinates clamped.
inline Rect sortedBox(int64_t l, int64_t t, int64_t r, int64_t b) {
  l = clampCoordinate(l), t = clampCoordinate(t), r = clampCoordinate(r), b = clampCoordinate(b);
  return {std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

}  // namespace quiral
