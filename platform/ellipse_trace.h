#pragma once

#include <cstdint>
#include <vector>

#include "platform/canvas.h"

namespace quiral {

// Boxes wider or taller than this are not traced (the work and the error terms grow with them).
constexpr int64_t kMaxEllipseSize = 65536;

// A point of the traced quadrant in box-local coordinates: x to the right from the box's left
// column, y upwards from its bottom row.
struct QuadrantPoint {
  int32_t x;
  int32_t y;
};

// The upper-right quadrant of the outline of the ellipse inscribed in a w x h box (1 <= w, h <=
// kMaxEllipseSize), by Zingl's integer algorithm, from the 3 o'clock end towards 12 o'clock.
// When the loop stops short of the top row (tall, narrow boxes) the tip is finished straight up
// so the outline reaches every side of the box.
std::vector<QuadrantPoint> traceEllipseQuadrant(int64_t w, int64_t h);
// The same into `points` (emptied first), reusing its memory.
void traceEllipseQuadrant(int64_t w, int64_t h, std::vector<QuadrantPoint>& points);

// The closed sequence of outline pixels of the ellipse in the box (l, t, w, h), starting at the
// 3 o'clock pixel and running counter-clockwise on the screen. Quadrant joints may repeat a pixel.
std::vector<Point> ellipseOutlineSequence(int64_t l, int64_t t, int64_t w, int64_t h);

}  // namespace quiral
