#pragma once

#include <array>
#include <cstdint>

#include "platform/bitmap.h"
#include "platform/color.h"

namespace quiral {

// The 256-colour halftone palette that true-colour screens hand out: 20 static colours
// (entries 0-9 and 246-255) around a 8 x 8 x 4 colour cube.
const std::array<Color, 256>& halftonePalette();

// Palette index for a 24-bit colour: each channel is reduced to its 8-step bucket centre
// ((c AND NOT 7) + 4) and the nearest palette entry by squared RGB distance is taken, ties to
// the lower index. One table load per call.
uint8_t halftoneIndex(Color c);

// The whole 32K-entry table, indexed by (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3).
const std::array<uint8_t, 32768>& halftoneTable();

// 8-bit copy of a picture on the halftone palette, without dithering. An indexed source is
// converted through its own palette.
Bitmap toHalftone(const Bitmap& source);

}  // namespace quiral
