#include "reports/cell_picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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

// Whitens what the copy into (0, 0)-(w, h) does not write: the strip to its right and the rows
// below it.
void whitenAround(Bitmap& cell, int w, int h) {
  const size_t bpp = size_t(cell.bytesPerPixel());
  const int right = std::clamp(w, 0, cell.width());
  const int bottom = std::clamp(h, 0, cell.height());
  for (int y = 0; y < cell.height(); ++y) {
    const int from = y < bottom ? right : 0;
    std::memset(cell.row(y) + size_t(from) * bpp, 0xFF, size_t(cell.width() - from) * bpp);
  }
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
  // The copy writes every pixel of its box, unless the view has nothing beyond its margins.
  const bool copies = view.width() > kViewMargin && view.height() > kViewMargin;
  whitenAround(cell, copies ? fit.width : 0, copies ? fit.height : 0);
  stretchCopy(cell, Rect{0, 0, fit.width, fit.height}, view,
              Rect{kViewMargin, kViewMargin, view.width(), view.height()});
}

}  // namespace quiral
