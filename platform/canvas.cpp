#include "platform/canvas.h"

#include <cstdlib>

#include "platform/canvas_impl.h"
#include "platform/ellipse_trace.h"
#include "platform/line_raster.h"
#include "platform/pixel_ops.h"

namespace quiral {

namespace {

using Wide = __int128;

// Angle order counter-clockwise on the screen from 3 o'clock, for vectors with y downwards:
// 0 for angles in [0, 180) degrees, 1 for [180, 360). The zero vector counts as angle 0.
int halfOf(Wide x, Wide y) {
  return (y < 0 || (y == 0 && x >= 0)) ? 0 : 1;
}

// True when the angle of (ax, ay) is at or past the angle of (bx, by).
bool angleAtOrPast(Wide ax, Wide ay, Wide bx, Wide by) {
  int ha = halfOf(ax, ay), hb = halfOf(bx, by);
  if (ha != hb) return ha > hb;
  // With y downwards, b -> a is counter-clockwise on the screen when the cross product is <= 0.
  Wide cross = bx * ay - by * ax;
  return cross <= 0;
}

// Index of the first sequence pixel whose angle around the centre is at or past the radial's;
// 0 when there is none.
size_t indexAtOrPast(const std::vector<Point>& seq, Point centre, int64_t rx, int64_t ry) {
  Wide vx = Wide(rx) - centre.x, vy = Wide(ry) - centre.y;
  for (size_t i = 0; i < seq.size(); ++i) {
    if (angleAtOrPast(Wide(seq[i].x) - centre.x, Wide(seq[i].y) - centre.y, vx, vy)) return i;
  }
  return 0;
}

bool boxMissesBitmap(const Bitmap& bm, const Rect& box) {
  return box.right <= 0 || box.bottom <= 0 || box.left >= bm.width() || box.top >= bm.height();
}

}  // namespace

Canvas::Canvas(Bitmap& target, FontEngine& fonts) : target_(&target), impl_(new Impl) {
  impl_->fonts = &fonts;
}

Canvas::Canvas(Bitmap& target) : target_(&target), impl_(new Impl) {
  impl_->ownFonts = std::make_unique<FontEngine>();
  impl_->fonts = impl_->ownFonts.get();
}

Canvas::~Canvas() {
  delete impl_;
}

void Canvas::resetTouched() {
  touched_ = Rect{};
}

void Canvas::setFont(const FontSpec& f) {
  if (f == font_) return;
  font_ = f;
  impl_->font = nullptr;
}

void Canvas::rectangle(int64_t l, int64_t t, int64_t r, int64_t b) {
  Rect box = sortedBox(l, t, r, b);
  if (isEmpty(box)) return;
  Bitmap& bm = *target_;
  const Ink pen{penColor_, penMode_}, brush{brushColor_, penMode_};
  // Interior first (it never overlaps the outline), then the outline.
  int64_t work = fillClipped(bm, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, brush);
  work += spanClipped(bm, box.top, box.left, box.right, pen);
  if (box.bottom - 1 != box.top) work += spanClipped(bm, box.bottom - 1, box.left, box.right, pen);
  work += columnClipped(bm, box.left, box.top + 1, box.bottom - 1, pen);
  if (box.right - 1 != box.left)
    work += columnClipped(bm, box.right - 1, box.top + 1, box.bottom - 1, pen);
  work_ += uint64_t(work);
  unite(touched_, clipToBitmap(bm, box));
}

void Canvas::ellipse(int64_t l, int64_t t, int64_t r, int64_t b) {
  Rect box = sortedBox(l, t, r, b);
  const int64_t w = box.width(), h = box.height();
  if (w <= 2 || h <= 2) {
    rectangle(box.left, box.top, box.right, box.bottom);
    return;
  }
  Bitmap& bm = *target_;
  if (boxMissesBitmap(bm, box) || w > kMaxEllipseSize || h > kMaxEllipseSize) return;
  // Scratch reused by every ellipse: pin marks are many small ellipses.
  std::vector<QuadrantPoint>& quadrant = impl_->quadrant;
  traceEllipseQuadrant(w, h, quadrant);
  const int64_t mirrorX = 2 * box.left + w - 1;
  const int64_t mirrorY = 2 * box.top + h - 1;
  // Each traced point is plotted four times, and each row of the box looked at once.
  int64_t work = int64_t(quadrant.size()) * 5 + h;

  // Brush: on each row, strictly between the outermost outline pixels.
  std::vector<int32_t>& rightmost = impl_->rightmost;  // by local y
  rightmost.assign(size_t(h), -1);
  for (const QuadrantPoint& q : quadrant) rightmost[q.y] = std::max(rightmost[q.y], q.x);
  const Ink pen{penColor_, penMode_}, brush{brushColor_, penMode_};
  for (int64_t y = 0; y < h; ++y) {
    if (rightmost[y] < 0) continue;
    const int64_t xr = box.left + rightmost[y], xl = mirrorX - xr;
    const int64_t row = box.top + h - 1 - y, mirroredRow = mirrorY - row;
    work += spanClipped(bm, row, xl + 1, xr, brush);
    if (mirroredRow != row) work += spanClipped(bm, mirroredRow, xl + 1, xr, brush);
  }
  for (const QuadrantPoint& q : quadrant) {
    const int64_t x = box.left + q.x, y = box.top + h - 1 - q.y;
    plotClipped(bm, x, y, pen);
    plotClipped(bm, mirrorX - x, y, pen);
    plotClipped(bm, mirrorX - x, mirrorY - y, pen);
    plotClipped(bm, x, mirrorY - y, pen);
  }
  work_ += uint64_t(work);
  unite(touched_, clipToBitmap(bm, box));
}

void Canvas::arc(int64_t l, int64_t t, int64_t r, int64_t b, int64_t xs, int64_t ys, int64_t xe,
                 int64_t ye) {
  Rect box = sortedBox(l, t, r, b);
  const int64_t w = box.width(), h = box.height();
  Bitmap& bm = *target_;
  if (isEmpty(box) || boxMissesBitmap(bm, box) || w > kMaxEllipseSize || h > kMaxEllipseSize)
    return;
  const std::vector<Point> seq = ellipseOutlineSequence(box.left, box.top, w, h);
  if (seq.empty()) return;
  const Point centre{box.left + w / 2, box.top + h / 2};
  const size_t start = indexAtOrPast(seq, centre, xs, ys);
  size_t end = indexAtOrPast(seq, centre, xe, ye);
  if (end <= start) end += seq.size();
  // Open polyline through seq[start .. end-1]; each segment leaves out its end point.
  const Ink pen{penColor_, penMode_};
  Rect drawn{};
  // The outline is traced and searched twice for the radials, then walked from start to end.
  work_ += uint64_t(seq.size()) * 3;
  for (size_t k = start; k + 1 < end; ++k) {
    const Point& from = seq[k % seq.size()];
    const Point& to = seq[(k + 1) % seq.size()];
    if (std::abs(to.x - from.x) <= 1 && std::abs(to.y - from.y) <= 1) {
      // A one-step segment sets just its start pixel (none when it has no length).
      if (from == to || !inside(bm, from.x, from.y)) continue;
      putPixel(bm, from.x, from.y, pen);
      unite(drawn, {from.x, from.y, from.x + 1, from.y + 1});
    } else {
      const LineDrawn line = drawLine(bm, from, to, pen);
      unite(drawn, line.box);
      work_ += uint64_t(line.steps);
    }
  }
  unite(touched_, drawn);
}

void Canvas::polyline(const std::vector<Point>& points) {
  const Ink pen{penColor_, penMode_};
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    const LineDrawn line = drawLine(*target_, points[i], points[i + 1], pen);
    unite(touched_, line.box);
    work_ += uint64_t(line.steps);
  }
}

void Canvas::lineTo(int64_t x, int64_t y) {
  const LineDrawn line = drawLine(*target_, current_, {x, y}, Ink{penColor_, penMode_});
  unite(touched_, line.box);
  work_ += uint64_t(line.steps);
  current_ = {x, y};
}

void Canvas::fillRect(int64_t l, int64_t t, int64_t r, int64_t b) {
  Rect box = sortedBox(l, t, r, b);
  work_ += uint64_t(fillClipped(*target_, box, Ink{brushColor_, PenMode::Copy}));
  unite(touched_, clipToBitmap(*target_, box));
}

}  // namespace quiral
