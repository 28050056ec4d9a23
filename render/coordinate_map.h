#pragma once

#include <cstdint>

#include "render/drawing_state.h"

namespace quiral {

// Library units per canvas pixel, and the pixel where the library origin lands.
constexpr double kUnitsPerPixel = 4.9;
constexpr int32_t kCanvasOrigin = 1000;

// The pixel offset of a library coordinate from the origin: v / 4.9 + 0.5 truncated toward zero
// (so 100 gives 20 and -100 gives -19).
int32_t pixelOffset(int64_t v);

// Map a library coordinate to a canvas column / row and widen the state's bounding box. The
// returned value is not clamped; only the box's left and top edges are kept at 0 or above.
int32_t mapX(DrawingState& state, int64_t v);
int32_t mapY(DrawingState& state, int64_t v);

// Reset the bounding box to "nothing mapped yet".
void resetBounds(DrawingState& state);

}  // namespace quiral
