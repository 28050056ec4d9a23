#pragma once

#include <cairo.h>

#include "reports/fine_layout.h"

namespace quiral {

// The face the fine catalogs write their texts in (through fontconfig, as cairo finds it).
constexpr const char* kFineFace = "Arial";

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
