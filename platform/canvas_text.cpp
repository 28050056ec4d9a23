#include <algorithm>
#include <cstddef>

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

// The glyph columns and rows (inclusive) whose pixels fall inside `box`.
struct GlyphSpan {
  int firstCol, lastCol, firstRow, lastRow;
};

// Along one glyph axis: the indices i in [0, count) with origin + i * step inside [low, high),
// where step is a unit step along the screen axis the glyph axis runs on (-1 or 1).
void indicesInside(int64_t origin, int64_t step, int64_t low, int64_t high, int count, int& first,
                   int& last) {
  const int64_t a = (low - origin) * step, b = (high - 1 - origin) * step;
  first = int(std::clamp<int64_t>(std::min(a, b), 0, count));
  last = int(std::clamp<int64_t>(std::max(a, b), -1, count - 1));
}

GlyphSpan visibleSpan(const TextFrame& frame, int64_t along, const GlyphImage& g, const Rect& box) {
  const Point origin = frame.pixel(along, g, 0, 0);
  const Point colStep = frame.pixel(along, g, 1, 0), rowStep = frame.pixel(along, g, 0, 1);
  GlyphSpan span{};
  // Each glyph axis runs along one screen axis: columns along x (upright) or y (turned).
  if (colStep.x != origin.x)
    indicesInside(origin.x, colStep.x - origin.x, box.left, box.right, g.width, span.firstCol,
                  span.lastCol);
  else
    indicesInside(origin.y, colStep.y - origin.y, box.top, box.bottom, g.width, span.firstCol,
                  span.lastCol);
  if (rowStep.y != origin.y)
    indicesInside(origin.y, rowStep.y - origin.y, box.top, box.bottom, g.rows, span.firstRow,
                  span.lastRow);
  else
    indicesInside(origin.x, rowStep.x - origin.x, box.left, box.right, g.rows, span.firstRow,
                  span.lastRow);
  return span;
}

bool isAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Calls onChar for every character of the text. ASCII text, nearly all that symbols hold, is its
// own decoding; other text is decoded once into `scratch`.
template <typename OnChar>
void forEachChar(std::string_view text, std::u32string& scratch, OnChar&& onChar) {
  if (isAscii(text)) {
    for (char c : text) onChar(char32_t(static_cast<unsigned char>(c)));
    return;
  }
  scratch = decodeText(text);
  for (char32_t c : scratch) onChar(c);
}

// Copies the set pixels of a glyph whose box lies wholly inside an RGB bitmap, without clipping
// each pixel: glyph pixel (col, row) is at `first` plus col steps of `colStep` bytes and row steps
// of `rowStep` bytes, which covers every turn.
void copyGlyphUnclipped(uint8_t* first, ptrdiff_t colStep, ptrdiff_t rowStep, const GlyphImage& g,
                        Color color) {
  const uint8_t r = redOf(color), gr = greenOf(color), b = blueOf(color);
  for (int row = 0; row < g.rows; ++row) {
    const uint8_t* bits = g.pixels.data() + size_t(row) * size_t(g.width);
    uint8_t* p = first + row * rowStep;
    for (int col = 0; col < g.width; ++col, p += colStep) {
      if (!bits[col]) continue;
      p[0] = r;
      p[1] = gr;
      p[2] = b;
    }
  }
}

}  // namespace

Size Canvas::textExtent(std::string_view text) {
  if (!impl_->font) impl_->font = &impl_->fonts->canvasFont(font_);
  SizedFont& f = *impl_->font;
  int64_t width = 0;
  forEachChar(text, impl_->decoded, [&](char32_t c) { width += f.advance(c); });
  return {width, f.height()};
}

void Canvas::textOut(int64_t x, int64_t y, std::string_view text) {
  if (x > kMaxTextCoordinate || x < -kMaxTextCoordinate || y > kMaxTextCoordinate ||
      y < -kMaxTextCoordinate)
    return;
  if (!impl_->font) impl_->font = &impl_->fonts->canvasFont(font_);
  SizedFont& f = *impl_->font;
  const bool ascii = isAscii(text);
  if (!ascii) impl_->decoded = decodeText(text);
  // Glyph references are taken one at a time: a glyph lookup may empty the caches.
  auto eachChar = [&](auto&& onChar) {
    if (ascii) {
      for (char c : text) onChar(char32_t(static_cast<unsigned char>(c)));
    } else {
      for (char32_t c : impl_->decoded) onChar(c);
    }
  };
  int64_t width = 0;
  eachChar([&](char32_t c) { width += f.advance(c); });

  Bitmap& bm = *target_;
  const TextFrame frame{turnOf(font_.escapement), x, y, f.ascent()};
  // The cell is always filled white and the glyphs copied, whatever the pen mode.
  const Rect cell = frame.cell(width, f.height());
  work_ += uint64_t(fillClipped(bm, cell, Ink{colors::kWhite, PenMode::Copy}));
  unite(touched_, clipToBitmap(bm, cell));

  const Ink ink{font_.color, PenMode::Copy};
  const bool rgb = bm.format() == Bitmap::Format::Rgb24;
  int64_t along = 0;
  eachChar([&](char32_t c) {
    const GlyphImage& g = f.glyph(c);
    const Rect whole = frame.glyphBox(along, g);
    const Rect box = clipToBitmap(bm, whole);
    if (!isEmpty(box)) {
      unite(touched_, box);
      work_ += uint64_t(g.rows) * uint64_t(g.width);
      if (rgb && box == whole) {
        const Point first = frame.pixel(along, g, 0, 0);
        const ptrdiff_t pixel = 3, line = ptrdiff_t(bm.stride());
        uint8_t* at = bm.row(int(first.y)) + size_t(first.x) * 3;
        switch (frame.turn) {
          case Turn::Up:  // columns run up the screen, rows to the right
            copyGlyphUnclipped(at, -line, pixel, g, ink.color);
            break;
          case Turn::Down:  // columns run down the screen, rows to the left
            copyGlyphUnclipped(at, line, -pixel, g, ink.color);
            break;
          default:
            copyGlyphUnclipped(at, pixel, line, g, ink.color);
            break;
        }
      } else {
        // Partly outside the bitmap: only the glyph pixels that land in the clipped box are
        // visited (a huge glyph mostly off the picture would otherwise cost all its pixels).
        const GlyphSpan span = visibleSpan(frame, along, g, box);
        for (int row = span.firstRow; row <= span.lastRow; ++row) {
          for (int col = span.firstCol; col <= span.lastCol; ++col) {
            if (!g.at(col, row)) continue;
            const Point p = frame.pixel(along, g, col, row);
            plotClipped(bm, p.x, p.y, ink);
          }
        }
      }
    }
    along += g.advance;
  });
}

}  // namespace quiral
