#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/canvas.h"

namespace quiral {

// Which way a pin points from its connection point to the body.
enum class PinOrientation { Up, Down, Left, Right };

// The first character of the orientation field, upper case only; none for anything else.
std::optional<PinOrientation> pinOrientationOf(std::string_view field);

// Text sizes measured in the font in force when the pin record begins.
struct PinTextMetrics {
  int64_t nameWidth = 0;
  int64_t nameHeight = 0;
  int64_t numberWidth = 0;
  int64_t numberHeight = 0;
};

// Where a pin's texts and inversion bubble go, from its end point at the body (ex, ey) and its
// connection point (sx, sy), all in canvas pixels.
struct PinLayout {
  Point name;
  Point number;
  Point bubble;
};

PinLayout layoutPin(PinOrientation o, Point connection, Point end, const PinTextMetrics& m);

// Turn of the pin's texts in tenths of a degree: vertical pins read along the pin.
int pinTextEscapement(PinOrientation o);

}  // namespace quiral
