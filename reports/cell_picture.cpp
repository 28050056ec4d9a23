#include "reports/cell_picture.h"

#include <cmath>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace quiral {

namespace {

constexpr int kViewMargin = 50;

// Truncation toward zero of a quotient that is mathematically a whole number in the usual case
// (the long side divided by its own ratio gives the box side back): the small allowance keeps a
// rounding error of the division from losing a whole pixel.
int truncated(double v) {
  return int(std::trunc(v + 1e-9));
}

}  // namespace

CellFit fitCellPicture(int viewWidth, int viewHeight, int boxWidth, int boxHeight) {
  const double fullWidth = double(viewWidth) + kViewMargin;
  const double fullHeight = double(viewHeight) + kViewMargin;
  if (boxWidth <= 0 || boxHeight <= 0) return {0, 0, 0};
  const double rx = fullWidth / boxWidth;
  const double ry = fullHeight / boxHeight;
  if (rx <= 1 && ry <= 1) return {int(fullWidth), int(fullHeight), 100};
  const double r = rx > ry ? rx : ry;
  return {truncated(fullWidth / r), truncated(fullHeight / r), truncated(100 / r)};
}

void drawCellPicture(Bitmap& cell, const Bitmap& view, const CellFit& fit) {
  cell.clear(colors::kWhite);
  stretchCopy(cell, Rect{0, 0, fit.width, fit.height}, view,
              Rect{kViewMargin, kViewMargin, view.width(), view.height()});
}

}  // namespace quiral
