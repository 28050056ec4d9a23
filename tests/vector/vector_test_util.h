#pragma once

// Vector pictures rasterised onto the pixel canvas's grid, to compare them with its pixels.

#include <cairo.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/display_list.h"
#include "vector/cairo_player.h"

namespace quiral::testing {

// Which pixels of a 2000 x 2000 canvas-sized grid the list's strokes cover, drawn 1 pixel wide
// without anti-aliasing at 4.9 units a pixel (texts left out: hinting places glyphs differently).
// The canvas draws coordinate i into pixel i, and a box's shapes (rectangles, ellipses, arcs)
// inside it without its right and bottom edges: the boxes here lose one pixel there likewise.
inline std::vector<bool> rasterizeShapes(const DisplayList& list) {
  const double px = 4.9;
  DisplayList shapes;
  std::vector<Vec2> points;
  for (const DisplayItem& item : list.items()) {
    if (item.kind == ItemKind::Text) continue;
    if (item.kind == ItemKind::Polyline) {
      points.assign(list.points().begin() + item.first,
                    list.points().begin() + item.first + item.count);
      shapes.addPolyline(points, item.closed, 0);  // polylines are never filled
    } else if (item.kind == ItemKind::Rectangle) {
      const double l = std::min(item.v[0], item.v[2]), r = std::max(item.v[0], item.v[2]);
      const double b = std::min(item.v[1], item.v[3]), t = std::max(item.v[1], item.v[3]);
      shapes.addRectangle({l, t}, {r - px, b + px}, item.fill, 0);
    } else if (item.kind == ItemKind::Ellipse) {
      shapes.addEllipse({item.v[0] - px / 2, item.v[1] + px / 2}, item.v[2] - px / 2,
                        item.v[3] - px / 2, item.fill, 0);
    } else {
      shapes.addArc({item.v[0] - px / 2, item.v[1] + px / 2}, item.v[2] - px / 2,
                    item.v[3] - px / 2, item.v[4], item.v[5], 0);
    }
  }
  const int side = 2000;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, side, side);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  // Canvas pixel i covers [i, i + 1): its centre is where a canvas coordinate i lands.
  PlayTransform t{1 / px, 1000.5, 1000.5};
  playDisplayList(cr, shapes, t, 1.0);
  cairo_surface_flush(surface);
  std::vector<bool> ink(size_t(side) * side);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      ink[size_t(y) * side + x] =
          (*reinterpret_cast<const uint32_t*>(data + y * stride + 4 * x) & 0xFFFFFF) != 0xFFFFFF;
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return ink;
}

// Pixels of `a` with no pixel of `b` within `reach` pixels (Chebyshev distance).
inline int strayPixels(const std::vector<bool>& a, const std::vector<bool>& b, int reach,
                       int side = 2000) {
  int stray = 0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      if (!a[size_t(y) * side + x]) continue;
      bool near = false;
      for (int dy = -reach; dy <= reach && !near; ++dy)
        for (int dx = -reach; dx <= reach && !near; ++dx) {
          const int u = x + dx, v = y + dy;
          near = u >= 0 && v >= 0 && u < side && v < side && b[size_t(v) * side + u];
        }
      stray += !near;
    }
  }
  return stray;
}

inline std::vector<bool> inkOf(const Bitmap& canvas) {
  std::vector<bool> ink(size_t(canvas.width()) * canvas.height());
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      ink[size_t(y) * canvas.width() + x] = canvas.pixel(x, y) != colors::kWhite;
  return ink;
}

}  // namespace quiral::testing
