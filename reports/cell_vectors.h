#pragma once

#include <memory>

#include "report_engine/prepared_page.h"

namespace quiral {

struct CellFit;
struct ViewCrop;

// A cell picture's symbol as vectors (a PictureDrawing) lands, drawn sharply, on what the stretched
// copy of the pixel view covers; it fills the part of the picture that the view's copy fills.

// The vectors of a view of `viewWidth` x `viewHeight` pixels that was cut from the canvas at
// `crop` and copied without its left and top margins into (0, 0)-(fit.width, fit.height) of the
// cell picture. Null when the view shows nothing (a blank view or one no larger than its margin).
// With `keepInside` (a list drawn in another look than the view's pixels, whose extent differs),
// a list that would reach past the copy's area is shrunk, both axes alike, and centred in it.
std::shared_ptr<const PictureDrawing> makeCellVectors(const DisplayList& list, const ViewCrop& crop,
                                                      int viewWidth, int viewHeight,
                                                      const CellFit& fit, bool keepInside = false);

}  // namespace quiral
