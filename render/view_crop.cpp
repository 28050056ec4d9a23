#include "render/view_crop.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/bitmap.h"
#include "render/renderer.h"

namespace quiral {

namespace {

constexpr int32_t kMargin = kViewMargin;
static_assert(kMaxViewSide == Renderer::kCanvasSize + 2 * kMargin);

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
  view.resizeForOverwrite(crop.width, crop.height);
  const size_t rowBytes = view.stride();
  // The part of the crop that lies on the canvas, in canvas coordinates (empty when blank).
  const int64_t left = std::max<int64_t>(crop.sourceLeft, 0);
  const int64_t top = std::max<int64_t>(crop.sourceTop, 0);
  const int64_t right = std::min<int64_t>(crop.sourceLeft + view.width(), canvas.width());
  const int64_t bottom = std::min<int64_t>(crop.sourceTop + view.height(), canvas.height());
  if (crop.blank || left >= right || top >= bottom) {
    std::memset(view.data(), 0xFF, rowBytes * size_t(view.height()));
    return;
  }
  const size_t before = size_t(left - crop.sourceLeft) * 3;
  const size_t copied = size_t(right - left) * 3;
  const size_t after = rowBytes - before - copied;
  for (int y = 0; y < view.height(); ++y) {
    uint8_t* to = view.row(y);
    const int64_t canvasRow = crop.sourceTop + y;
    if (canvasRow < top || canvasRow >= bottom) {
      std::memset(to, 0xFF, rowBytes);
      continue;
    }
    std::memset(to, 0xFF, before);
    std::memcpy(to + before, canvas.row(int(canvasRow)) + size_t(left) * 3, copied);
    std::memset(to + before + copied, 0xFF, after);
  }
}

}  // namespace quiral
