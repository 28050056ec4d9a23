// The KiCad look's pins: invisible ones left out, the line and its shape marks sized from the
// pin's text sizes in library units, and the name and number where KiCad puts them.

#include <algorithm>
#include <cmath>
#include <string_view>

#include "render/coordinate_map.h"
#include "render/record_drawer.h"
#include "render/token_value.h"

namespace quiral {

namespace {

bool has(std::string_view shape, char flag) {
  return shape.find(flag) != std::string_view::npos;
}

// A unit step in library units (y up).
struct Step {
  double x = 0;
  double y = 0;
};

// From the pin's end at the body towards its connection point.
Step outwardOf(PinOrientation o) {
  switch (o) {
    case PinOrientation::Right:
      return {-1, 0};
    case PinOrientation::Left:
      return {1, 0};
    case PinOrientation::Up:
      return {0, -1};
    case PinOrientation::Down:
      return {0, 1};
  }
  return {};
}

}  // namespace

void RecordDrawer::kicadPin(const TokenTable& tokens) {
  // X name number x y length U|D|L|R numberSize nameSize unit style type [N][shape]
  const std::string& shape = tokens.text(13);
  if (look_.hideInvisible && has(shape, 'N')) return;
  std::optional<PinOrientation> orientation = pinOrientationOf(tokens.text(7));
  if (!orientation) return;
  const double x = tokenValue(tokens.text(4)), y = tokenValue(tokens.text(5));
  const double len = tokenValue(tokens.text(6));
  const Step out = outwardOf(*orientation);
  const double ex = x - out.x * len, ey = y - out.y * len;
  const int64_t nameSize = tokenValue(tokens.text(9)), numberSize = tokenValue(tokens.text(8));
  kicadPinLine(shape, x, y, ex, ey, nameSize, numberSize);
  kicadPinTexts(tokens, *orientation, x, y, ex, ey, nameSize, numberSize);
}

void RecordDrawer::kicadPinLine(std::string_view shape, double x, double y, double ex, double ey,
                                int64_t nameSize, int64_t numberSize) {
  surface_.setPenColor(look_.colors.pin);
  surface_.setShapeStyle({kDefaultPenUnits, false, 0});
  const double len = std::max(std::abs(x - ex), std::abs(y - ey));
  const Step out = len > 0 ? Step{(x - ex) / len, (y - ey) / len} : Step{1, 0};
  const Step across{-out.y, out.x};
  // KiCad sizes the marks outside the body from the number's size, those inside from the
  // name's (the number's when the name has none).
  const double outer = std::clamp(double(numberSize) / 2, 0.0, kMaxPenUnits);
  const double inner =
      std::clamp(double(nameSize != 0 ? nameSize : numberSize) / 2, 0.0, kMaxPenUnits);
  auto at = [&](double along, double side) {
    return mapPoint(ex + out.x * along + across.x * side, ey + out.y * along + across.y * side);
  };
  auto stroke = [&](std::initializer_list<SurfacePoint> points) {
    polylinePoints_.assign(points);
    surface_.polyline(polylinePoints_);
  };
  const SurfacePoint connection = mapPoint(x, y);
  if (has(shape, 'I')) {  // bubble at the end, the line stops at it
    const SurfacePoint c = at(outer, 0);
    const double r = outer / kUnitsPerPixel;
    surface_.ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
    stroke({at(2 * outer, 0), connection});
  } else if (has(shape, 'F')) {  // falling edge: a clock wedge outside, the line stops at it
    stroke({at(2 * inner, 0), connection});
    stroke({at(0, inner), at(2 * inner, 0), at(0, -inner)});
  } else {
    stroke({at(0, 0), connection});
  }
  if (has(shape, 'C') || has(shape, 'F')) stroke({at(0, inner), at(-2 * inner, 0), at(0, -inner)});
  // Active-low marks: KiCad raises the input's flag above a horizontal pin, left of a vertical.
  const double side = out.y == 0 ? 1 : -1;
  auto raised = [&](double along, double height) {
    const bool horizontal = out.y == 0;
    return mapPoint(ex + out.x * along + (horizontal ? 0 : side * height),
                    ey + out.y * along + (horizontal ? side * height : 0));
  };
  if (has(shape, 'L')) stroke({raised(2 * outer, 0), raised(2 * outer, 2 * outer), at(0, 0)});
  if (has(shape, 'V')) stroke({raised(0, 2 * outer), at(2 * outer, 0)});
  if (has(shape, 'X')) {  // not a logic pin: a cross at the end
    stroke({at(-outer, -outer), at(outer, outer)});
    stroke({at(-outer, outer), at(outer, -outer)});
  }
}

void RecordDrawer::kicadPinTexts(const TokenTable& tokens, PinOrientation o, double x, double y,
                                 double ex, double ey, int64_t nameSize, int64_t numberSize) {
  const std::string& name = tokens.text(2);
  const std::string& number = tokens.text(3);
  const bool showName = state_.ShowPinNames && !name.empty() && name != "~";
  const bool showNumber = state_.ShowPinNumbers && !number.empty();
  const bool horizontal = o == PinOrientation::Left || o == PinOrientation::Right;
  const int turn = horizontal ? 0 : 900;
  const double midX = (x + ex) / 2, midY = (y + ey) / 2;
  const double gap = kPinTextGapUnits;
  const double inside = state_.PinNameOffset;
  if (showName) {
    selectTextFont(nameSize, look_.colors.pinName, turn, false, false);
    if (inside > 0) {
      // Inside the body at the offset, read away from the pin.
      const Step out = outwardOf(o);
      const bool towardsEnd = o == PinOrientation::Left || o == PinOrientation::Down;
      placeOverbarred(ex - out.x * inside, ey - out.y * inside, turn, towardsEnd ? 'R' : 'L', 'C',
                      name, look_.colors.pinName);
    } else if (horizontal) {
      placeOverbarred(midX, y + gap, turn, 'C', 'B', name, look_.colors.pinName);
    } else {
      placeOverbarred(x - gap, midY, turn, 'C', 'B', name, look_.colors.pinName);
    }
  }
  if (showNumber) {
    selectTextFont(numberSize, look_.colors.pinNumber, turn, false, false);
    const char across = inside > 0 ? 'B' : 'T';  // with the name outside, the number faces it
    const double offset = inside > 0 ? gap : -gap;
    if (horizontal) {
      placeText(midX, y + offset, turn, 'C', across, number);
    } else {
      placeText(x - offset, midY, turn, 'C', across, number);
    }
  }
}

}  // namespace quiral
