#pragma once

#include <memory>

#include "report_engine/prepared_page.h"
#include "vector/display_list.h"

namespace quiral {

struct CellFit;
struct ViewCrop;

// A cell picture's symbol as vectors: its display list and where library units land on the cell
// picture's own pixels (96 dpi), so that drawn sharply it covers what the stretched copy of the
// pixel view covers. A library point (x, y) lands at
// (originX + x * scaleX, originY - y * scaleY).
struct CellVectors : PictureVectors {
  DisplayList list;
  double scaleX = 1;
  double scaleY = 1;
  double originX = 0;
  double originY = 0;
  // The part of the picture that the view's copy fills, from the picture's top-left corner.
  int width = 0;
  int height = 0;
};

// The vectors of a view of `viewWidth` x `viewHeight` pixels that was cut from the canvas at
// `crop` and copied without its left and top margins into (0, 0)-(fit.width, fit.height) of the
// cell picture. Null when the view shows nothing (a blank view or one no larger than its margin).
// With `keepInside` (a list drawn in another look than the view's pixels, whose extent differs),
// a list that would reach past the copy's area is shrunk, both axes alike, and centred in it.
std::shared_ptr<const CellVectors> makeCellVectors(const DisplayList& list, const ViewCrop& crop,
                                                   int viewWidth, int viewHeight,
                                                   const CellFit& fit, bool keepInside = false);

}  // namespace quiral
