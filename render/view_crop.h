#pragma once

#include <cstdint>

#include "render/drawing_state.h"

namespace quiral {

// The part of the drawing canvas that becomes the view image: the bounding box with a margin of
// 50 pixels on every side, copied 1:1.
struct ViewCrop {
  int32_t width = 0;
  int32_t height = 0;
  int64_t sourceLeft = 0;  // canvas column of the view's left edge (may be negative)
  int64_t sourceTop = 0;
  bool blank = false;  // nothing was mapped: the view stays white
};

// Largest side of the view image: the 2000-pixel drawing canvas with a margin on each side.
// Nothing can be drawn outside the canvas, so a larger view would only add white that costs a
// pass over memory at every crop (a coordinate near the 32-bit limit once asked for an 8192-pixel
// square of 201 MB), while the canvas's own pixels always fit.
constexpr int32_t kViewMargin = 50;
constexpr int32_t kMaxViewSide = 2000 + 2 * kViewMargin;
// Side of the white view shown when no coordinate was mapped.
constexpr int32_t kBlankViewSide = 101;

ViewCrop viewCropOf(const DrawingState& state);

class Bitmap;

// Sizes `view` to the crop and fills it from the crop's area of the canvas, pixel for pixel;
// pixels outside the canvas (all of them for a blank crop) are white. Each view pixel is written
// once, whatever `view` held before. Both are 24-bit bitmaps. This is the rectangle copy at 1:1,
// done row by row.
void copyCrop(Bitmap& view, const Bitmap& canvas, const ViewCrop& crop);

}  // namespace quiral
