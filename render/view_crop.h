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

// Largest side of the view image; a coordinate near the 32-bit limit must not ask for gigabytes.
constexpr int32_t kMaxViewSide = 8192;
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
