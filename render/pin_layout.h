#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "render/drawing_surface.h"

namespace quiral {

// Which way a pin points from its connection point to the body.
enum class PinOrientation { Up, Down, Left, Right };

// The first character of the orientation field, upper case only; none for anything else.
std::optional<PinOrientation> pinOrientationOf(std::string_view field);

// Text sizes measured in the font in force when the pin record begins.
struct PinTextMetrics {
  double nameWidth = 0;
  double nameHeight = 0;
  double numberWidth = 0;
  double numberHeight = 0;
};

// Where a pin's texts and inversion bubble go, from its end point at the body (ex, ey) and its
// connection point (sx, sy), all in canvas space.
struct PinLayout {
  SurfacePoint name;
  SurfacePoint number;
  SurfacePoint bubble;
};

// How the layout halves a length: to the even whole pixel on the pixel canvas, exactly on a
// vector surface.
double pixelHalf(double v);
double exactHalf(double v);

PinLayout layoutPin(PinOrientation o, SurfacePoint connection, SurfacePoint end,
                    const PinTextMetrics& m, HalvingRule half);

// Turn of the pin's texts in tenths of a degree: vertical pins read along the pin.
int pinTextEscapement(PinOrientation o);

}  // namespace quiral
