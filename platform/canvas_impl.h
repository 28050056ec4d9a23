#pragma once

// Private state of a Canvas, shared by the files that implement it.

#include <string>

#include "platform/canvas.h"

namespace quiral {

class SizedFont;

struct Canvas::Impl {
  // The resolved current font; null until text is first drawn or measured after setFont().
  SizedFont* font = nullptr;
  // The last non-ASCII text decoded, kept to reuse its memory.
  std::u32string decoded;
};

}  // namespace quiral
