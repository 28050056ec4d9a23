#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "platform/bitmap.h"

namespace quiral::testing {

using PixelSet = std::set<std::pair<int64_t, int64_t>>;

// Every pixel that is not white, as (x, y).
inline PixelSet inkedPixels(const Bitmap& bm) {
  PixelSet set;
  for (int y = 0; y < bm.height(); ++y)
    for (int x = 0; x < bm.width(); ++x)
      if (bm.pixel(x, y) != 0xFFFFFF) set.insert({x, y});
  return set;
}

// The pixels of `set` that fall inside a w x h window at (ox, oy), moved to the window's origin.
inline PixelSet window(const PixelSet& set, int64_t ox, int64_t oy, int64_t w, int64_t h) {
  PixelSet out;
  for (auto [x, y] : set)
    if (x >= ox && y >= oy && x < ox + w && y < oy + h) out.insert({x - ox, y - oy});
  return out;
}

// A picture as text rows ('#' inked, '.' white) so failures show the shape.
inline std::string ascii(const Bitmap& bm) {
  std::string s;
  for (int y = 0; y < bm.height(); ++y) {
    for (int x = 0; x < bm.width(); ++x) s += bm.pixel(x, y) == 0xFFFFFF ? '.' : '#';
    s += '\n';
  }
  return s;
}

// A pixel set as text rows of a w x h picture.
inline std::string ascii(const PixelSet& set, int64_t w, int64_t h) {
  std::string s;
  for (int64_t y = 0; y < h; ++y) {
    for (int64_t x = 0; x < w; ++x) s += set.count({x, y}) ? '#' : '.';
    s += '\n';
  }
  return s;
}

}  // namespace quiral::testing
