#pragma once

#include <vector>

#include "platform/canvas.h"
#include "render/drawing_state.h"
#include "render/drawing_surface.h"

namespace quiral {

// The drawing canvas as a drawing surface: library coordinates become canvas pixels (widening the
// drawing state's bounding box) and every call goes to the Canvas with its GDI pixel rules.
// Canvas-space values reach it as whole numbers, which it takes exactly.
class PixelSurface final : public DrawingSurface {
 public:
  PixelSurface(Canvas& canvas, DrawingState& state) : canvas_(canvas), state_(state) {}

  double mapX(int64_t v) override;
  double mapY(int64_t v) override;
  HalvingRule halving() const override;

  void setPenColor(Color c) override { canvas_.setPenColor(c); }
  void setPenMode(PenMode m) override { canvas_.setPenMode(m); }
  void setFont(const SurfaceFont& f) override { canvas_.setFont(f); }

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
  Canvas& canvas_;
  DrawingState& state_;
  std::vector<Point> points_;  // reused by every polyline
};

}  // namespace quiral
