#include "render/pin_layout.h"

#include "render/token_value.h"

namespace quiral {

std::optional<PinOrientation> pinOrientationOf(std::string_view field) {
  if (field.empty()) return std::nullopt;
  switch (field[0]) {
    case 'U':
      return PinOrientation::Up;
    case 'D':
      return PinOrientation::Down;
    case 'L':
      return PinOrientation::Left;
    case 'R':
      return PinOrientation::Right;
    default:
      return std::nullopt;
  }
}

double pixelHalf(double v) {
  return double(divideRoundHalfEven(int64_t(v), 2));
}

double exactHalf(double v) {
  return v / 2;
}

PinLayout layoutPin(PinOrientation o, SurfacePoint s, SurfacePoint e, const PinTextMetrics& m,
                    HalvingRule half) {
  // Horizontal pins: the name centred on the line inside the body, the number just above the
  // line outside it. Vertical pins: the number centred along the pin, beside it.
  switch (o) {
    case PinOrientation::Left:
      return {{e.x - m.nameWidth - 10, e.y - half(m.nameHeight)},
              {e.x + 20, e.y - m.nameHeight - 2},
              {e.x + 8, e.y}};
    case PinOrientation::Right:
      return {{e.x + 10, e.y - half(m.nameHeight)},
              {e.x - m.numberWidth - 20, e.y - m.nameHeight - 2},
              {e.x - 8, e.y}};
    case PinOrientation::Up:
      return {{e.x - 5, e.y - 5},
              {e.x - m.numberHeight - 2, e.y + half(m.numberWidth) - half(e.y - s.y)},
              {e.x, e.y + 8}};
    case PinOrientation::Down:
      return {{e.x + 5, e.y + 5},
              {e.x + m.numberHeight + 4, e.y - half(m.numberWidth) + half(s.y - e.y)},
              {e.x, e.y - 8}};
  }
  return {};
}

int pinTextEscapement(PinOrientation o) {
  switch (o) {
    case PinOrientation::Up:
      return 900;
    case PinOrientation::Down:
      return -900;
    default:
      return 0;
  }
}

}  // namespace quiral
