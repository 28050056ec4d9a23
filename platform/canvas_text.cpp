#include <algorithm>

#include "platform/canvas.h"
#include "platform/canvas_impl.h"
#include "platform/font_engine.h"
#include "platform/pixel_ops.h"
#include "platform/text_codec.h"

namespace quiral {

namespace {

// Text placed further out than this is not drawn; no cell that far reaches the bitmap, and it
// keeps every sum of positions and widths far from overflow.
constexpr int64_t kMaxTextCoordinate = int64_t(1) << 60;

enum class Turn { None, Up, Down };

Turn turnOf(int escapement) {
  int e = escapement % 3600;
  if (e < 0) e += 3600;
  if (e == 900) return Turn::Up;
  if (e == 2700) return Turn::Down;
  return Turn::None;
}

// Maps glyph pixels to the screen for one text direction: `along` is the distance of the pen
// from the text's start, (col, row) a pixel of a glyph bitmap.
struct TextFrame {
  Turn turn;
  int64_t x, y;  // the reference corner passed to textOut
  int ascent;

  Point pixel(int64_t along, const GlyphImage& g, int col, int row) const {
    switch (turn) {
      case Turn::Up:
        return {x + ascent - g.top + row, y - along - g.left - col};
      case Turn::Down:
        return {x - ascent + g.top - row, y + along + g.left + col};
      default:
        return {x + along + g.left + col, y + ascent - g.top + row};
    }
  }

  Rect glyphBox(int64_t along, const GlyphImage& g) const {
    if (g.width <= 0 || g.rows <= 0) return Rect{};
    Point a = pixel(along, g, 0, 0), b = pixel(along, g, g.width - 1, g.rows - 1);
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
  }

  Rect cell(int64_t width, int height) const {
    switch (turn) {
      case Turn::Up:
        return {x, y - width + 1, x + height, y + 1};
      case Turn::Down:
        return {x - height + 1, y, x + 1, y + width};
      default:
        return {x, y, x + width, y + height};
    }
  }
};

}  // namespace

Size Canvas::textExtent(std::string_view text) {
  if (!impl_->font) impl_->font = &impl_->fonts->canvasFont(font_);
  SizedFont& f = *impl_->font;
  int64_t width = 0;
  for (char32_t c : decodeText(text)) width += f.advance(c);
  return {width, f.height()};
}

void Canvas::textOut(int64_t x, int64_t y, std::string_view text) {
  if (x > kMaxTextCoordinate || x < -kMaxTextCoordinate || y > kMaxTextCoordinate ||
      y < -kMaxTextCoordinate)
    return;
  if (!impl_->font) impl_->font = &impl_->fonts->canvasFont(font_);
  SizedFont& f = *impl_->font;
  const std::u32string chars = decodeText(text);
  int64_t width = 0;
  for (char32_t c : chars) width += f.advance(c);

  Bitmap& bm = *target_;
  const TextFrame frame{turnOf(font_.escapement), x, y, f.ascent()};
  // The cell is always filled white and the glyphs copied, whatever the pen mode.
  const Rect cell = frame.cell(width, f.height());
  work_ += uint64_t(fillClipped(bm, cell, Ink{colors::kWhite, PenMode::Copy}));
  unite(touched_, clipToBitmap(bm, cell));

  const Ink ink{font_.color, PenMode::Copy};
  int64_t along = 0;
  for (char32_t c : chars) {
    const GlyphImage& g = f.glyph(c);
    const Rect box = clipToBitmap(bm, frame.glyphBox(along, g));
    if (!isEmpty(box)) {
      unite(touched_, box);
      work_ += uint64_t(g.rows) * uint64_t(g.width);
      for (int row = 0; row < g.rows; ++row) {
        for (int col = 0; col < g.width; ++col) {
          if (!g.at(col, row)) continue;
          const Point p = frame.pixel(along, g, col, row);
          plotClipped(bm, p.x, p.y, ink);
        }
      }
    }
    along += g.advance;
  }
}

}  // namespace quiral
