#include "reports/fine_text_measure.h"

#include <string>

namespace quiral {

void selectFineFont(cairo_t* cr, double pointSize, bool bold) {
  cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, pointSize);
}

CairoMeasure::CairoMeasure() {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cr_ = cairo_create(surface_);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
}

CairoMeasure::~CairoMeasure() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

double CairoMeasure::width(std::string_view utf8, double pointSize, bool bold) {
  selectFineFont(cr_, pointSize, bold);
  const std::string text(utf8);
  cairo_text_extents_t extents;
  cairo_text_extents(cr_, text.c_str(), &extents);
  return extents.x_advance / kFinePointsPerMm;
}

double CairoMeasure::lineHeight(double pointSize, bool bold) {
  selectFineFont(cr_, pointSize, bold);
  cairo_font_extents_t extents;
  cairo_font_extents(cr_, &extents);
  return (extents.ascent + extents.descent) / kFinePointsPerMm;
}

}  // namespace quiral
