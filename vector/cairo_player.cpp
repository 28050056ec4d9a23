#include "vector/cairo_player.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "vector/picture_frame.h"

namespace quiral {

namespace {

void setColor(cairo_t* cr, Color c) {
  cairo_set_source_rgb(cr, redOf(c) / 255.0, greenOf(c) / 255.0, blueOf(c) / 255.0);
}

// Fills the shape (with white where it hides what is under it, or with its fill colour), then
// strokes its outline.
void paintShape(cairo_t* cr, const DisplayItem& item) {
  if (item.fill == FillKind::Background) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill_preserve(cr);
  } else if (item.fill == FillKind::Solid) {
    setColor(cr, item.fillColor);
    cairo_fill_preserve(cr);
  }
  setColor(cr, item.color);
  cairo_stroke(cr);
}

void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double start,
                 double sweep) {
  // Device y runs down, so a counter-clockwise turn on the page is cairo's negative direction.
  const double a0 = -start * std::numbers::pi / 180, a1 = -(start + sweep) * std::numbers::pi / 180;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, std::max(rx, 1e-9), std::max(ry, 1e-9));
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, 0, 0, 1, a0, a1);
  cairo_restore(cr);
}

void drawText(cairo_t* cr, const DisplayText& text, Color color, const PlayTransform& t) {
  cairo_save(cr);
  cairo_select_font_face(cr, text.family.c_str(),
                         text.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         text.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, text.size * t.scale);
  cairo_translate(cr, text.origin.x * t.scale + t.originX, t.originY - text.origin.y * t.scale);
  if (text.angle != 0) cairo_rotate(cr, -text.angle * std::numbers::pi / 1800);
  setColor(cr, color);
  cairo_move_to(cr, 0, 0);
  cairo_show_text(cr, text.utf8.c_str());
  cairo_restore(cr);
}

}  // namespace

void playDisplayList(cairo_t* cr, const DisplayList& list, const PlayTransform& t,
                     double minLineWidth) {
  cairo_save(cr);
  const double usualWidth = std::max(kVectorLineWidth * t.scale, minLineWidth);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  auto X = [&](double x) { return x * t.scale + t.originX; };
  auto Y = [&](double y) { return t.originY - y * t.scale; };
  const std::vector<Vec2>& points = list.points();
  for (const DisplayItem& item : list.items()) {
    cairo_new_path(cr);
    cairo_set_line_width(
        cr, item.width > 0 ? std::max(item.width * t.scale, minLineWidth) : usualWidth);
    switch (item.kind) {
      case ItemKind::Polyline:
        for (uint32_t i = 0; i < item.count; ++i) {
          const Vec2& p = points[item.first + i];
          if (i == 0) {
            cairo_move_to(cr, X(p.x), Y(p.y));
          } else {
            cairo_line_to(cr, X(p.x), Y(p.y));
          }
        }
        if (item.count == 1) cairo_rel_line_to(cr, 0, 0);
        if (item.closed) cairo_close_path(cr);
        paintShape(cr, item);
        break;
      case ItemKind::Rectangle: {
        const double x0 = X(item.v[0]), y0 = Y(item.v[1]), x1 = X(item.v[2]), y1 = Y(item.v[3]);
        cairo_rectangle(cr, std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0),
                        std::abs(y1 - y0));
        paintShape(cr, item);
        break;
      }
      case ItemKind::Ellipse:
        ellipsePath(cr, X(item.v[0]), Y(item.v[1]), item.v[2] * t.scale, item.v[3] * t.scale, 0,
                    360);
        cairo_close_path(cr);
        paintShape(cr, item);
        break;
      case ItemKind::Arc:
        ellipsePath(cr, X(item.v[0]), Y(item.v[1]), item.v[2] * t.scale, item.v[3] * t.scale,
                    item.v[4], item.v[5]);
        if (item.fill != FillKind::None) {  // a filled arc is its pie slice
          cairo_line_to(cr, X(item.v[0]), Y(item.v[1]));
          cairo_close_path(cr);
        }
        paintShape(cr, item);
        break;
      case ItemKind::Text:
        drawText(cr, list.texts()[item.text], item.color, t);
        break;
    }
  }
  cairo_restore(cr);
}

}  // namespace quiral
