#pragma once

#include <cairo.h>

#include <string_view>

#include "reports/fine_layout.h"

namespace quiral {

// Selects the catalog's face (Arial, bold or not) at `pointSize` on `cr`.
void selectFineFont(cairo_t* cr, double pointSize, bool bold);

// Measures with cairo's own face on an image surface without hinted metrics, as the PDF surface
// lays text out.
class CairoMeasure final : public TextMeasure {
 public:
  CairoMeasure();
  ~CairoMeasure() override;
  CairoMeasure(const CairoMeasure&) = delete;
  CairoMeasure& operator=(const CairoMeasure&) = delete;
  double width(std::string_view utf8, double pointSize, bool bold) override;
  double lineHeight(double pointSize, bool bold) override;

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

}  // namespace quiral
