#pragma once

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/pixel_ops.h"

namespace quiral {

// Lines whose extent along either axis exceeds this are not drawn: far beyond any 32-bit input,
// and it keeps the exact 128-bit arithmetic of the clipping free of overflow.
constexpr int64_t kMaxLineDelta = int64_t(1) << 60;

// Draws the line from `from` towards `to` without its end point: horizontal and vertical lines as
// half-open spans, others by Bresenham on the major axis (an exact diagonal is y-major) taking the
// minor coordinate nearest the ideal line, half-pixel ties to the smaller coordinate. Only the
// visible part is walked: the first and last visible steps are computed, not searched for by
// stepping.
struct LineDrawn {
  Rect box;           // holds every pixel written (empty when none)
  int64_t steps = 0;  // pixel positions walked, the work done
};
LineDrawn drawLine(Bitmap& bm, Point from, Point to, Ink ink);

}  // namespace quiral
