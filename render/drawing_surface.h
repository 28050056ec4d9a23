#pragma once

#include <cmath>
#include <string_view>
#include <vector>

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/turn_direction.h"

namespace quiral {

// A position in canvas space: pixels of the 2000 x 2000 canvas, y down, library origin at
// (1000, 1000). The pixel surface receives whole numbers; the vector surface keeps the fractions.
struct SurfacePoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const SurfacePoint&, const SurfacePoint&) = default;
};

// A text's cell: width along the text, height (ascent plus descent) across it; the ascent and a
// capital letter's height above the baseline are known to surfaces that place texts by their
// glyphs (the vector recorder), 0 elsewhere.
struct SurfaceSize {
  double width = 0;
  double height = 0;
  double ascent = 0;
  double capHeight = 0;
};

// The font of the texts that follow. `capHeightUnits` above 0 sizes the text by the height of a
// capital letter in library units, as KiCad sizes its texts, instead of by the point size;
// `italic` slants it. Both are honoured by the vector recorder; the pixel canvas has neither.
struct SurfaceFont : FontSpec {
  double capHeightUnits = 0;
  bool italic = false;
};

// How the closed shapes and lines that follow are stroked and filled where true widths and
// colours exist (the vector recorder): pen width in library units (0: the picture's usual line)
// and an optional fill of the given colour. The pixel canvas keeps its 1-pixel pens.
struct ShapeStyle {
  double penUnits = 0;
  bool filled = false;
  Color fill = 0;
};

using HalvingRule = double (*)(double);

// What the record drawers draw on. The drawers decide once what a record draws and in which
// font, pen mode and colour; each surface turns that into its own output: the pixel canvas into
// pixels with the GDI rules, the display-list recorder into vectors in library units.
//
// Every coordinate is in canvas space as given by mapX and mapY, and offsets that the drawers add
// (the gap between a pin and its name, the size of a bubble) are canvas pixels, so both surfaces
// place them alike.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  // A library coordinate in canvas space. The pixel surface rounds to its pixel and widens the
  // drawing's bounding box; the vector surface keeps the exact value.
  virtual double mapX(int64_t v) = 0;
  virtual double mapY(int64_t v) = 0;
  // How the pin layout halves a length: the pixel surface rounds halves to the even pixel, the
  // vector surface halves exactly.
  virtual HalvingRule halving() const = 0;

  virtual void setPenColor(Color c) = 0;
  // Mask leaves closed shapes see-through; Copy fills them with white, hiding what is under them.
  virtual void setPenMode(PenMode m) = 0;
  // Face, size in points at 96 dpi, colour, weight and turn (tenths of a degree).
  virtual void setFont(const SurfaceFont& f) = 0;
  // Surfaces without true widths and fills (the pixel canvas) leave this alone.
  virtual void setShapeStyle(const ShapeStyle& /*style*/) {}

  // Closed shapes of the box (left, top, right, bottom), outlined with the pen.
  virtual void rectangle(double l, double t, double r, double b) = 0;
  virtual void ellipse(double l, double t, double r, double b) = 0;
  // The part of the box's ellipse from the start radial to the end radial, counter-clockwise on
  // the screen.
  virtual void arc(double l, double t, double r, double b, double xs, double ys, double xe,
                   double ye) = 0;
  virtual void polyline(const std::vector<SurfacePoint>& points) = 0;
  virtual void moveTo(double x, double y) = 0;
  virtual void lineTo(double x, double y) = 0;

  // Text in the current font with the top-left corner of its (turned) cell at (x, y).
  virtual void textOut(double x, double y, std::string_view text) = 0;
  // Size of the unturned text's cell in the current font, in canvas pixels.
  virtual SurfaceSize textExtent(std::string_view text) = 0;
};

}  // namespace quiral
