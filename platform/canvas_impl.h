#pragma once

// Private state of a Canvas, shared by the files that implement it.

#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/ellipse_trace.h"
#include "platform/font_engine.h"

namespace quiral {

struct Canvas::Impl {
  std::unique_ptr<FontEngine> ownFonts;  // only when the canvas was made without an engine
  FontEngine* fonts = nullptr;
  // The resolved current font; null until text is first drawn or measured after setFont().
  SizedFont* font = nullptr;
  // The last non-ASCII text decoded, kept to reuse its memory.
  std::u32string decoded;
  // Scratch of the ellipse drawer, kept between calls.
  std::vector<QuadrantPoint> quadrant;
  std::vector<int32_t> rightmost;
};

}  // namespace quiral
