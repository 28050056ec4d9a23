#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/canvas.h"
#include "platform/pixel_ops.h"

namespace quiral {

namespace {

using Wide = __int128;

// Boxes beyond this size are not copied; it keeps the mapping arithmetic within 128 bits.
constexpr int64_t kMaxBoxSize = int64_t(1) << 60;

// For every visible destination coordinate along one axis, the source range that lands on it
// (clipped to the source bitmap; possibly empty, which reads as white).
struct AxisMap {
  int64_t dstFirst = 0;  // first visible destination coordinate
  std::vector<int64_t> srcBegin, srcEnd;
};

Wide floorDiv(Wide n, Wide d) {  // d > 0
  Wide q = n / d;
  if (n % d < 0) --q;
  return q;
}

AxisMap mapAxis(int64_t dstStart, int64_t dstSize, int64_t dstLimit, int64_t srcStart,
                int64_t srcSize, int64_t srcLimit) {
  AxisMap map;
  const int64_t first = std::max<int64_t>(dstStart, 0);
  const int64_t last = int64_t(std::min<Wide>(Wide(dstStart) + dstSize, dstLimit));  // exclusive
  map.dstFirst = first;
  const Wide S = srcSize, D = dstSize;
  for (int64_t X = first; X < last; ++X) {
    const Wide j = Wide(X) - dstStart;
    Wide lo, hi;  // source offsets, inclusive
    if (D < S) {
      // Source i goes to ceil((2i+1)D / 2S) - 1; these are the i that land on j.
      lo = floorDiv(2 * S * j - D, 2 * D) + 1;
      hi = floorDiv(2 * S * (j + 1) - D, 2 * D);
    } else {
      // Destination j takes source ceil((2j+1)S / 2D) - 1 (plain copy when S == D).
      lo = hi = -floorDiv(-(2 * j + 1) * S, 2 * D) - 1;
    }
    Wide b = std::max<Wide>(Wide(srcStart) + lo, 0);
    Wide e = std::min<Wide>(Wide(srcStart) + hi + 1, srcLimit);
    if (e < b) e = b;
    map.srcBegin.push_back(int64_t(b));
    map.srcEnd.push_back(int64_t(e));
  }
  return map;
}

Color andOver(const Bitmap& src, int64_t x0, int64_t x1, int64_t y0, int64_t y1) {
  Color c = colors::kWhite;
  for (int64_t y = y0; y < y1; ++y) {
    for (int64_t x = x0; x < x1; ++x) c &= src.pixel(int(x), int(y));
  }
  return c;
}

// A run of source pixels in a row: byte offsets of its first and last pixel.
struct Span {
  size_t first;
  size_t last;
};

struct Rgb {
  uint8_t red, green, blue;
};

// The AND of a run's pixels: its first and last without a branch (one pixel, or two when
// shrinking by less than half), then any between them.
inline Rgb andOverSpan(const uint8_t* row, const Span& span) {
  const uint8_t* a = row + span.first;
  const uint8_t* b = row + span.last;
  Rgb c{uint8_t(a[0] & b[0]), uint8_t(a[1] & b[1]), uint8_t(a[2] & b[2])};
  for (const uint8_t* m = a + 3; m < b; m += 3) {
    c.red &= m[0];
    c.green &= m[1];
    c.blue &= m[2];
  }
  return c;
}

// The 24-bit case, row by row: the first source row that lands on a destination row is
// written, each further one ANDed in, each reduced across the columns' runs on the way. A row
// that takes the same source rows as the row above it is a copy of it.
void copyRgb(Bitmap& dst, const Bitmap& src, const AxisMap& cols, const AxisMap& rows) {
  std::vector<Span> spans;
  std::vector<size_t> taking;  // byte offsets of the columns that take any source pixel
  for (size_t c = 0; c < cols.srcBegin.size(); ++c) {
    if (cols.srcEnd[c] <= cols.srcBegin[c]) continue;  // stays white
    spans.push_back({size_t(cols.srcBegin[c]) * 3, size_t(cols.srcEnd[c] - 1) * 3});
    taking.push_back(c * 3);
  }
  const size_t n = cols.srcBegin.size();
  for (size_t r = 0; r < rows.srcBegin.size(); ++r) {
    const int y = int(rows.dstFirst + int64_t(r));
    uint8_t* out = dst.row(y) + size_t(cols.dstFirst) * 3;
    const int64_t y0 = rows.srcBegin[r], y1 = rows.srcEnd[r];
    if (r > 0 && y0 == rows.srcBegin[r - 1] && y1 == rows.srcEnd[r - 1]) {
      std::memcpy(out, out - dst.stride(), n * 3);
      continue;
    }
    if (y0 == y1 || spans.size() < n) std::memset(out, 0xFF, n * 3);
    for (int64_t sy = y0; sy < y1; ++sy) {
      const uint8_t* in = src.row(int(sy));
      const bool first = sy == y0;
      for (size_t k = 0; k < spans.size(); ++k) {
        const Rgb c = andOverSpan(in, spans[k]);
        uint8_t* o = out + taking[k];
        if (first) {
          o[0] = c.red;
          o[1] = c.green;
          o[2] = c.blue;
        } else {
          o[0] &= c.red;
          o[1] &= c.green;
          o[2] &= c.blue;
        }
      }
    }
  }
}

}  // namespace

void stretchCopy(Bitmap& dst, const Rect& dstBox, const Bitmap& src, const Rect& srcBox) {
  if (dst.empty()) return;
  const Wide dw = Wide(dstBox.right) - dstBox.left, dh = Wide(dstBox.bottom) - dstBox.top;
  const Wide sw = Wide(srcBox.right) - srcBox.left, sh = Wide(srcBox.bottom) - srcBox.top;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  if (dw > kMaxBoxSize || dh > kMaxBoxSize || sw > kMaxBoxSize || sh > kMaxBoxSize) return;
  if (&dst == &src) {  // overlapping boxes: read from a snapshot
    Bitmap copy = src;
    stretchCopy(dst, dstBox, copy, srcBox);
    return;
  }
  const AxisMap cols =
      mapAxis(dstBox.left, int64_t(dw), dst.width(), srcBox.left, int64_t(sw), src.width());
  const AxisMap rows =
      mapAxis(dstBox.top, int64_t(dh), dst.height(), srcBox.top, int64_t(sh), src.height());
  if (dst.format() == Bitmap::Format::Rgb24 && src.format() == Bitmap::Format::Rgb24) {
    copyRgb(dst, src, cols, rows);
    return;
  }
  for (size_t r = 0; r < rows.srcBegin.size(); ++r) {
    const int y = int(rows.dstFirst + int64_t(r));
    for (size_t c = 0; c < cols.srcBegin.size(); ++c)
      dst.setPixel(
          int(cols.dstFirst + int64_t(c)), y,
          andOver(src, cols.srcBegin[c], cols.srcEnd[c], rows.srcBegin[r], rows.srcEnd[r]));
  }
}

}  // namespace quiral
