#include "platform/line_raster.h"

namespace quiral {

namespace {

using Wide = __int128;

Wide absWide(Wide v) {
  return v < 0 ? -v : v;
}

// Ceiling of n / d for d > 0.
Wide ceilDiv(Wide n, Wide d) {
  Wide q = n / d;
  if (n % d > 0) ++q;
  return q;
}

// First i in [lo, hi] for which pred(i) holds, pred being false then true; hi + 1 if none.
template <typename Pred>
Wide firstTrue(Wide lo, Wide hi, Pred pred) {
  Wide end = hi + 1;
  while (lo < end) {
    Wide mid = lo + (end - lo) / 2;
    if (pred(mid))
      end = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

LineDrawn axisLine(Bitmap& bm, Point from, Point to, Ink ink) {
  if (from.y == to.y) {
    int64_t x0 = from.x < to.x ? from.x : to.x + 1;
    int64_t x1 = from.x < to.x ? to.x : from.x + 1;
    const int64_t steps = spanClipped(bm, from.y, x0, x1, ink);
    return {clipToBitmap(bm, {x0, from.y, x1, from.y + 1}), steps};
  }
  int64_t y0 = from.y < to.y ? from.y : to.y + 1;
  int64_t y1 = from.y < to.y ? to.y : from.y + 1;
  const int64_t steps = columnClipped(bm, from.x, y0, y1, ink);
  return {clipToBitmap(bm, {from.x, y0, from.x + 1, y1}), steps};
}

}  // namespace

LineDrawn drawLine(Bitmap& bm, Point from, Point to, Ink ink) {
  if (bm.empty() || from == to) return {};
  // An end point this far out belongs to a line longer than kMaxLineDelta if it reaches the bitmap.
  for (int64_t v : {from.x, from.y, to.x, to.y})
    if (v > kMaxLineDelta * 2 || v < -kMaxLineDelta * 2) return {};
  Wide dx = Wide(to.x) - from.x, dy = Wide(to.y) - from.y;
  if (absWide(dx) > kMaxLineDelta || absWide(dy) > kMaxLineDelta) return {};
  if (dx == 0 || dy == 0) return axisLine(bm, from, to, ink);

  // Work along the major axis m and the minor axis n.
  const bool xMajor = absWide(dx) > absWide(dy);
  const Wide m0 = xMajor ? from.x : from.y;
  const Wide n0 = xMajor ? from.y : from.x;
  const Wide dm = xMajor ? dx : dy;
  const Wide dn = xMajor ? dy : dx;
  const Wide majorLimit = xMajor ? bm.width() : bm.height();
  const Wide minorLimit = xMajor ? bm.height() : bm.width();
  const Wide steps = absWide(dm);
  const int sm = dm > 0 ? 1 : -1;
  const Wide twoSteps = 2 * steps;

  // At step i the ideal minor offset is i*dn/steps; the pixel taken is ceil(offset - 1/2),
  // which rounds to nearest with exact halves going to the smaller coordinate.
  auto numeratorAt = [&](Wide i) { return 2 * i * dn - steps; };
  auto minorAt = [&](Wide i) { return n0 + ceilDiv(numeratorAt(i), twoSteps); };

  // Steps whose major coordinate is inside the bitmap.
  Wide lo = 0, hi = steps - 1;
  if (sm > 0) {
    lo = std::max(lo, -m0);
    hi = std::min(hi, majorLimit - 1 - m0);
  } else {
    lo = std::max(lo, m0 - (majorLimit - 1));
    hi = std::min(hi, m0);
  }
  if (lo > hi) return {};
  // The minor coordinate is monotonic in i, so the steps with it inside form one interval.
  auto minorInside = [&](Wide i) {
    const Wide n = minorAt(i);
    return n >= 0 && n < minorLimit;
  };
  if (minorInside(lo) && minorInside(hi)) {
    // Whole visible run inside: nothing to search for.
  } else if (dn > 0) {
    lo = firstTrue(lo, hi, [&](Wide i) { return minorAt(i) >= 0; });
    hi = firstTrue(lo, hi, [&](Wide i) { return minorAt(i) > minorLimit - 1; }) - 1;
  } else {
    lo = firstTrue(lo, hi, [&](Wide i) { return minorAt(i) <= minorLimit - 1; });
    hi = firstTrue(lo, hi, [&](Wide i) { return minorAt(i) < 0; }) - 1;
  }
  if (lo > hi) return {};

  // Walk the visible steps incrementally; all values now fit 64 bits.
  const Wide firstNumerator = numeratorAt(lo);
  const Wide firstOffset = ceilDiv(firstNumerator, twoSteps);
  int64_t minor = int64_t(n0 + firstOffset);
  int64_t err = int64_t(firstNumerator - firstOffset * twoSteps);  // in (-2*steps, 0]
  int64_t major = int64_t(m0 + sm * lo);
  const int64_t stepErr = int64_t(2 * dn), wrap = int64_t(twoSteps);
  const int64_t count = int64_t(hi - lo) + 1;
  int64_t minMinor = minor, maxMinor = minor;
  for (int64_t k = 0; k < count; ++k) {
    if (xMajor)
      putPixel(bm, major, minor, ink);
    else
      putPixel(bm, minor, major, ink);
    minMinor = std::min(minMinor, minor);
    maxMinor = std::max(maxMinor, minor);
    major += sm;
    err += stepErr;
    if (err > 0) {
      ++minor;
      err -= wrap;
    } else if (err <= -wrap) {
      --minor;
      err += wrap;
    }
  }
  int64_t firstMajor = int64_t(m0 + sm * lo), lastMajor = major - sm;
  int64_t majorLo = std::min(firstMajor, lastMajor), majorHi = std::max(firstMajor, lastMajor);
  if (xMajor) return {{majorLo, minMinor, majorHi + 1, maxMinor + 1}, count};
  return {{minMinor, majorLo, maxMinor + 1, majorHi + 1}, count};
}

}  // namespace quiral
