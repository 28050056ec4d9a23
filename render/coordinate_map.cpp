#include "render/coordinate_map.h"

#include <limits>

namespace quiral {

int32_t pixelOffset(int64_t v) {
  // Inputs are sums of two saturated 32-bit values at most, so the quotient fits in 32 bits.
  return int32_t(double(v) / kUnitsPerPixel + 0.5);
}

namespace {

void widen(int32_t value, int32_t& low, int32_t& high) {
  if (value < low) low = value;
  if (low < 0) low = 0;
  if (value > high) high = value;
}

}  // namespace

int32_t mapX(DrawingState& state, int64_t v) {
  int32_t x = kCanvasOrigin + pixelOffset(v);
  widen(x, state.MinX, state.MaxX);
  return x;
}

int32_t mapY(DrawingState& state, int64_t v) {
  int32_t y = kCanvasOrigin - pixelOffset(v);
  widen(y, state.MinY, state.MaxY);
  return y;
}

void resetBounds(DrawingState& state) {
  state.MaxX = std::numeric_limits<int32_t>::min();
  state.MaxY = std::numeric_limits<int32_t>::min();
  state.MinX = std::numeric_limits<int32_t>::max();
  state.MinY = std::numeric_limits<int32_t>::max();
}

}  // namespace quiral
