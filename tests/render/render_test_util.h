#pragma once

// Helpers for pixel assertions on the renderer's canvas and view image.

#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "render/renderer.h"

namespace quiral::testing {

// The smallest box holding every pixel that is not white (empty when the bitmap is all white).
inline Rect inkBox(const Bitmap& b, const Rect& within = {0, 0, 1 << 30, 1 << 30}) {
  Rect box{1 << 30, 1 << 30, -1, -1};
  int64_t x0 = std::max<int64_t>(within.left, 0), y0 = std::max<int64_t>(within.top, 0);
  int64_t x1 = std::min<int64_t>(within.right, b.width());
  int64_t y1 = std::min<int64_t>(within.bottom, b.height());
  for (int64_t y = y0; y < y1; ++y) {
    for (int64_t x = x0; x < x1; ++x) {
      if (b.pixel(int(x), int(y)) == colors::kWhite) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  if (box.right < 0) return Rect{};
  return box;
}

inline bool anyPixelOf(const Bitmap& b, Color c, const Rect& within) {
  for (int64_t y = std::max<int64_t>(within.top, 0);
       y < std::min<int64_t>(within.bottom, b.height()); ++y) {
    for (int64_t x = std::max<int64_t>(within.left, 0);
         x < std::min<int64_t>(within.right, b.width()); ++x) {
      if (b.pixel(int(x), int(y)) == c) return true;
    }
  }
  return false;
}

inline bool sameBitmaps(const Bitmap& a, const Bitmap& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
    }
  }
  return true;
}

// Renders a block made of a DEF line (pin numbers and names shown as asked) and the given lines.
inline void renderBlock(Renderer& r, const std::vector<std::string>& lines, bool numbers = true,
                        bool names = true) {
  std::vector<std::string> memo;
  memo.push_back(std::string("DEF TEST U 0 40 ") + (numbers ? "Y" : "N") + " " +
                 (names ? "Y" : "N") + " 1 F N");
  memo.insert(memo.end(), lines.begin(), lines.end());
  memo.push_back("ENDDEF");
  r.RenderComponent(memo);
}

// Width and height of a text at an Arial size, measured on a scratch canvas.
inline Size measure(std::string_view text, int pointSize) {
  Bitmap scratch(4, 4);
  Canvas c(scratch);
  FontSpec f;
  f.pointSize = pointSize;
  c.setFont(f);
  return c.textExtent(text);
}

constexpr Color kB = colors::kBlack;

}  // namespace quiral::testing
