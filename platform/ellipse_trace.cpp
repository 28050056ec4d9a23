#include "platform/ellipse_trace.h"

namespace quiral {

std::vector<QuadrantPoint> traceEllipseQuadrant(int64_t w, int64_t h) {
  std::vector<QuadrantPoint> points;
  traceEllipseQuadrant(w, h, points);
  return points;
}

void traceEllipseQuadrant(int64_t w, int64_t h, std::vector<QuadrantPoint>& points) {
  points.clear();
  if (w < 1 || h < 1 || w > kMaxEllipseSize || h > kMaxEllipseSize) return;
  const int64_t a = w - 1, b = h - 1, bOdd = b % 2;
  int64_t x = a, y = h / 2;
  int64_t dx = 4 * b * b * (1 - a);
  int64_t dy = 4 * a * a * (1 + bOdd);
  int64_t err = dx + dy + a * a * bOdd;
  points.reserve(size_t(w / 2 + h / 2 + 4));
  int64_t lastY = -1;
  while (x >= w / 2) {
    if (x <= a && y <= b) {
      points.push_back({int32_t(x), int32_t(y)});
      lastY = y;
    }
    const int64_t e2 = 2 * err;
    if (e2 >= dx) {
      --x;
      dx += 8 * b * b;
      err += dx;
    }
    if (e2 <= dy) {
      ++y;
      dy += 8 * a * a;
      err += dy;
    }
  }
  // Tall, narrow boxes: the loop runs out of columns before reaching the top row.
  for (int64_t tipY = lastY + 1; tipY <= b; ++tipY)
    points.push_back({int32_t(w / 2), int32_t(tipY)});
}

std::vector<Point> ellipseOutlineSequence(int64_t l, int64_t t, int64_t w, int64_t h) {
  std::vector<QuadrantPoint> quadrant = traceEllipseQuadrant(w, h);
  const size_t n = quadrant.size();
  std::vector<Point> seq;
  seq.reserve(4 * n);
  const int64_t mirrorX = 2 * l + w - 1, mirrorY = 2 * t + h - 1;
  auto pixelOf = [&](const QuadrantPoint& q) { return Point{l + q.x, t + h - 1 - q.y}; };
  for (size_t i = 0; i < n; ++i) seq.push_back(pixelOf(quadrant[i]));  // 3 -> 12 o'clock
  for (size_t i = n; i-- > 0;) {                                       // 12 -> 9
    Point p = pixelOf(quadrant[i]);
    seq.push_back({mirrorX - p.x, p.y});
  }
  for (size_t i = 0; i < n; ++i) {  // 9 -> 6
    Point p = pixelOf(quadrant[i]);
    seq.push_back({mirrorX - p.x, mirrorY - p.y});
  }
  for (size_t i = n; i-- > 0;) {  // 6 -> 3
    Point p = pixelOf(quadrant[i]);
    seq.push_back({p.x, mirrorY - p.y});
  }
  return seq;
}

}  // namespace quiral
