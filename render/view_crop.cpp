#include "render/view_crop.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/bitmap.h"

namespace quiral {

namespace {

constexpr int32_t kMargin = 50;

// The view's size along one axis: the box plus both margins, at least one pixel (a box of only
// negative coordinates has its right edge left of its clamped left edge) and at most kMaxViewSide.
int32_t sideOf(int32_t low, int32_t high) {
  int64_t side = int64_t(high) - int64_t(low) + 2 * kMargin;
  return int32_t(std::clamp<int64_t>(side, 1, kMaxViewSide));
}

}  // namespace

ViewCrop viewCropOf(const DrawingState& state) {
  ViewCrop crop;
  // Every mapping raises Max above its reset value, so this means "nothing was mapped".
  if (state.MaxX == std::numeric_limits<int32_t>::min() ||
      state.MaxY == std::numeric_limits<int32_t>::min()) {
    crop.width = crop.height = kBlankViewSide;
    crop.blank = true;
    return crop;
  }
  crop.width = sideOf(state.MinX, state.MaxX);
  crop.height = sideOf(state.MinY, state.MaxY);
  crop.sourceLeft = int64_t(state.MinX) - kMargin;
  crop.sourceTop = int64_t(state.MinY) - kMargin;
  return crop;
}

void copyCrop(Bitmap& view, const Bitmap& canvas, const ViewCrop& crop) {
  if (crop.blank) return;
  // The part of the crop that lies on the canvas, in canvas coordinates.
  const int64_t left = std::max<int64_t>(crop.sourceLeft, 0);
  const int64_t top = std::max<int64_t>(crop.sourceTop, 0);
  const int64_t right = std::min<int64_t>(crop.sourceLeft + view.width(), canvas.width());
  const int64_t bottom = std::min<int64_t>(crop.sourceTop + view.height(), canvas.height());
  if (left >= right || top >= bottom) return;
  const size_t bytes = size_t(right - left) * 3;
  for (int64_t y = top; y < bottom; ++y) {
    const uint8_t* from = canvas.row(int(y)) + size_t(left) * 3;
    uint8_t* to = view.row(int(y - crop.sourceTop)) + size_t(left - crop.sourceLeft) * 3;
    std::memcpy(to, from, bytes);
  }
}

}  // namespace quiral
