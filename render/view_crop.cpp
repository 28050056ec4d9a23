#include "render/view_crop.h"

#include <algorithm>
#include <limits>

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

}  // namespace quiral
