#pragma once

#include <vector>

#include "platform/display_list.h"
#include "render/drawing_surface.h"

namespace quiral {

class FontEngine;
class FontFace;

// Library coordinates beyond this many units are taken as this many: a record near the 32-bit
// limits still gives finite, printable numbers (a picture 100 metres wide, not one of 54 km).
constexpr double kMaxVectorUnits = double(1 << 22);

// Records what the record drawers draw into a display list in library units, without rounding
// to pixels: canvas space (4.9 units a pixel, origin at (1000, 1000), y down) is turned back into
// library units (y up). Texts are measured with the face's unhinted outline metrics at the em the
// pixel canvas uses for the same point size, so both pictures agree in size.
class VectorSurface final : public DrawingSurface {
 public:
  // Fonts come from `fonts`, which must outlive the surface; drawing goes into `out`.
  VectorSurface(FontEngine& fonts, DisplayList& out) : fonts_(fonts), out_(out) {}

  // Pen black, usual width, shapes see-through, nothing pending: as a component starts.
  void reset();
  // Ends any line being drawn with moveTo/lineTo; call before reading the display list.
  void finish();

  double mapX(int64_t v) override;
  double mapY(int64_t v) override;
  HalvingRule halving() const override;

  void setPenColor(Color c) override;
  void setPenMode(PenMode m) override;
  void setFont(const SurfaceFont& f) override;
  void setShapeStyle(const ShapeStyle& style) override;

  void rectangle(double l, double t, double r, double b) override;
  void ellipse(double l, double t, double r, double b) override;
  void arc(double l, double t, double r, double b, double xs, double ys, double xe,
           double ye) override;
  void polyline(const std::vector<SurfacePoint>& points) override;
  void moveTo(double x, double y) override;
  void lineTo(double x, double y) override;
  void textOut(double x, double y, std::string_view text) override;
  SurfaceSize textExtent(std::string_view text) override;

 private:
  FontFace& currentFace();
  // The em of the current font in canvas pixels.
  double emPixels();
  // How the next shape is painted: white inside in copy mode, else the shape style's fill.
  ItemPaint paint() const;

  FontEngine& fonts_;
  DisplayList& out_;
  Color penColor_ = 0;
  PenMode penMode_ = PenMode::Mask;
  SurfaceFont font_;
  ShapeStyle shapeStyle_;
  FontFace* face_ = nullptr;  // face of font_, looked up when first needed
  std::string family_;        // its family name
  int64_t capUnits_ = 0;      // its capitals' height in font units
  SurfacePoint current_;
  std::vector<Vec2> pending_;  // the line being drawn with lineTo
  std::vector<Vec2> scratch_;
  std::u32string decoded_;
};

// Canvas space to library units.
inline Vec2 unitsOf(double canvasX, double canvasY) {
  return {(canvasX - 1000) * 4.9, (1000 - canvasY) * 4.9};
}

}  // namespace quiral
