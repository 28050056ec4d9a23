#include <algorithm>
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
  const bool fast = dst.format() == Bitmap::Format::Rgb24 && src.format() == Bitmap::Format::Rgb24;
  for (size_t r = 0; r < rows.srcBegin.size(); ++r) {
    const int y = int(rows.dstFirst + int64_t(r));
    const int64_t y0 = rows.srcBegin[r], y1 = rows.srcEnd[r];
    uint8_t* out = fast ? dst.row(y) + size_t(cols.dstFirst) * 3 : nullptr;
    for (size_t c = 0; c < cols.srcBegin.size(); ++c) {
      const int64_t x0 = cols.srcBegin[c], x1 = cols.srcEnd[c];
      if (fast && y1 - y0 == 1 && x1 - x0 == 1) {
        const uint8_t* in = src.row(int(y0)) + size_t(x0) * 3;
        out[3 * c] = in[0];
        out[3 * c + 1] = in[1];
        out[3 * c + 2] = in[2];
      } else {
        dst.setPixel(int(cols.dstFirst + int64_t(c)), y, andOver(src, x0, x1, y0, y1));
      }
    }
  }
}

}  // namespace quiral
