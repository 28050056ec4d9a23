#pragma once

// Private state of a Canvas, shared by the files that implement it.

#include <memory>

#include "platform/canvas.h"
#include "platform/font_engine.h"

namespace quiral {

struct Canvas::Impl {
  std::unique_ptr<FontEngine> ownFonts;  // only when the canvas was made without an engine
  FontEngine* fonts = nullptr;
  // The resolved current font; null until text is first drawn or measured after setFont().
  SizedFont* font = nullptr;
};

}  // namespace quiral
