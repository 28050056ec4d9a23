#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"
#include "platform/color.h"

namespace quiral {

class FontEngine;

// Coordinates inside the canvas are 64-bit so that no sum or difference of 32-bit inputs overflows.
struct Point {
  int64_t x = 0;
  int64_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int64_t width = 0;
  int64_t height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// A box with right and bottom edges excluded: left <= x < right, top <= y < bottom.
struct Rect {
  int64_t left = 0;
  int64_t top = 0;
  int64_t right = 0;
  int64_t bottom = 0;
  int64_t width() const { return right - left; }
  int64_t height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// How pen and brush pixels combine with what is there.
enum class PenMode {
  Copy,  // D = P
  Mask,  // D = P AND D
};

// A font request: face (looked up through fontconfig), size in points at 96 dpi, colour, weight
// and the turn in tenths of a degree (0, 900 reading upwards, -900 reading downwards).
struct FontSpec {
  std::string face = "Arial";
  int pointSize = 8;
  Color color = colors::kBlack;
  bool bold = false;
  int escapement = 0;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// A drawing surface on a Bitmap with the pixel rules of the Windows GDI, which the symbol drawers
// were written against, so that a symbol lands on the same pixels:
// - Pens are 1 pixel wide. Copy mode sets the pen or brush colour; mask mode ANDs it into the
//   pixel (a white brush leaves what is under a shape). Text is always a plain copy.
// - Lines leave out their last pixel (Bresenham, a half-pixel tie to the smaller coordinate); a
//   polyline draws each segment so, so every joint is set once and the final vertex never.
// - Rectangles and ellipses sort their corners and exclude the right and bottom edges of their
//   box: the outline runs through columns l and r-1, rows t and b-1; a box of zero size draws
//   nothing, and an ellipse no more than 2 pixels across is drawn as a rectangle.
// - Arcs run counter-clockwise on the screen from the start radial to the end one, as an open
//   polyline of the ellipse's outline pixels; only the radials' angles matter.
// - Text is opaque: its cell (width the sum of advances, height ascent plus descent) is filled
//   white, then the glyphs drawn, with the cell's top-left corner at the given point.
// Everything is clipped to the bitmap; no coordinate writes outside it or makes a call run for
// long.
class Canvas {
 public:
  // Text is drawn with the fonts of `fonts`, which must outlive the canvas.
  Canvas(Bitmap& target, FontEngine& fonts);
  // A canvas with fonts of its own.
  explicit Canvas(Bitmap& target);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  Bitmap& bitmap() { return *target_; }
  const Bitmap& bitmap() const { return *target_; }

  void setPenColor(Color c) { penColor_ = c; }
  Color penColor() const { return penColor_; }
  void setPenMode(PenMode m) { penMode_ = m; }
  PenMode penMode() const { return penMode_; }
  void setBrushColor(Color c) { brushColor_ = c; }
  Color brushColor() const { return brushColor_; }
  void setFont(const FontSpec& f);
  const FontSpec& font() const { return font_; }

  // Outline with the pen, interior with the brush, both in the pen mode.
  void rectangle(int64_t l, int64_t t, int64_t r, int64_t b);
  void ellipse(int64_t l, int64_t t, int64_t r, int64_t b);
  // Unfilled arc of the ellipse in the box, counter-clockwise from the start radial to the end one.
  void arc(int64_t l, int64_t t, int64_t r, int64_t b, int64_t xs, int64_t ys, int64_t xe,
           int64_t ye);
  void polyline(const std::vector<Point>& points);
  void moveTo(int64_t x, int64_t y) { current_ = {x, y}; }
  void lineTo(int64_t x, int64_t y);
  Point currentPosition() const { return current_; }

  // Opaque text in the current font with the top-left corner of its (turned) cell at (x, y).
  // Bytes are decoded as UTF-8 when valid, otherwise as Windows-1252.
  void textOut(int64_t x, int64_t y, std::string_view text);
  // Width and height of the unturned text in the current font.
  Size textExtent(std::string_view text);

  // Fills the box with the brush colour, ignoring the pen mode.
  void fillRect(int64_t l, int64_t t, int64_t r, int64_t b);

  // Smallest box holding every pixel this canvas may have changed since the last call of
  // resetTouched() (empty when nothing was drawn). Lets callers clear only what was drawn.
  Rect touched() const { return touched_; }
  void resetTouched();

  // Pixel positions that the drawing calls have walked over since the canvas was made: written,
  // or traced and clipped away. Clipping is worked out, not stepped through, so a call's work is
  // bounded by what it can reach of the bitmap (and by the largest ellipse and font), never by
  // the size of its coordinates.
  uint64_t workDone() const { return work_; }

 private:
  struct Impl;
  Bitmap* target_;
  Color penColor_ = colors::kBlack;
  PenMode penMode_ = PenMode::Copy;
  Color brushColor_ = colors::kWhite;
  FontSpec font_;
  Point current_;
  Rect touched_{};
  uint64_t work_ = 0;
  Impl* impl_ = nullptr;  // font handles and scratch space
};

// Rectangle copy (StretchBlt) from src's box onto dst's box, each axis on its own: 1:1 copies,
// shrinking ANDs every dropped source pixel into its destination pixel, enlarging repeats pixels.
// Boxes may reach outside either bitmap; only pixels inside both are read or written (source
// pixels outside the source bitmap read as white).
void stretchCopy(Bitmap& dst, const Rect& dstBox, const Bitmap& src, const Rect& srcBox);

}  // namespace quiral
