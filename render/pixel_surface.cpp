#include "render/pixel_surface.h"

#include "render/coordinate_map.h"
#include "render/pin_layout.h"

namespace quiral {

namespace {

// Canvas-space values on this surface are whole numbers well inside 64 bits (mapped 32-bit
// values plus small offsets), so the conversion is exact.
int64_t px(double v) {
  return int64_t(v);
}

}  // namespace

double PixelSurface::mapX(int64_t v) {
  return quiral::mapX(state_, v);
}

double PixelSurface::mapY(int64_t v) {
  return quiral::mapY(state_, v);
}

HalvingRule PixelSurface::halving() const {
  return pixelHalf;
}

void PixelSurface::rectangle(double l, double t, double r, double b) {
  canvas_.rectangle(px(l), px(t), px(r), px(b));
}

void PixelSurface::ellipse(double l, double t, double r, double b) {
  canvas_.ellipse(px(l), px(t), px(r), px(b));
}

void PixelSurface::arc(double l, double t, double r, double b, double xs, double ys, double xe,
                       double ye) {
  canvas_.arc(px(l), px(t), px(r), px(b), px(xs), px(ys), px(xe), px(ye));
}

void PixelSurface::polyline(const std::vector<SurfacePoint>& points) {
  points_.clear();
  for (const SurfacePoint& p : points) points_.push_back({px(p.x), px(p.y)});
  canvas_.polyline(points_);
}

void PixelSurface::moveTo(double x, double y) {
  canvas_.moveTo(px(x), px(y));
}

void PixelSurface::lineTo(double x, double y) {
  canvas_.lineTo(px(x), px(y));
}

void PixelSurface::textOut(double x, double y, std::string_view text) {
  canvas_.textOut(px(x), px(y), text);
}

SurfaceSize PixelSurface::textExtent(std::string_view text) {
  Size s = canvas_.textExtent(text);
  return {double(s.width), double(s.height)};
}

}  // namespace quiral
