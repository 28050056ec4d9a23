#include "render/pin_layout.h"
#include "render/record_drawer.h"
#include "render/record_rules.h"
#include "render/token_value.h"

namespace quiral {

namespace {

// Pin texts are three points larger than their size field says.
constexpr int kPinTextExtraPoints = 3;
constexpr int64_t kBubbleRadius = 7;
constexpr int64_t kMark = 7;  // reach of the clock and active-low marks

}  // namespace

void RecordDrawer::pino(const TokenTable& tokens, int /*tokenCount*/) {
  if (!inChoice(FilteredRecord::Pin, tokens)) return;
  if (look_.kicadPinTexts) {
    kicadPin(tokens);
    return;
  }
  // Without one of the four orientations the pin has no end point: skip it whole.
  std::optional<PinOrientation> orientation = pinOrientationOf(tokens.text(7));
  if (!orientation) return;
  const PinOrientation o = *orientation;

  const int64_t x = tokenValue(tokens.text(4));
  const int64_t y = tokenValue(tokens.text(5));
  const int64_t len = tokenValue(tokens.text(6));
  const SurfacePoint s{surface_.mapX(x), surface_.mapY(y)};
  SurfacePoint e;
  switch (o) {
    case PinOrientation::Left:
      e = {surface_.mapX(x - len), surface_.mapY(y)};
      break;
    case PinOrientation::Right:
      e = {surface_.mapX(x + len), surface_.mapY(y)};
      break;
    case PinOrientation::Up:
      e = {surface_.mapX(x), surface_.mapY(y + len)};
      break;
    case PinOrientation::Down:
      e = {surface_.mapX(x), surface_.mapY(y - len)};
      break;
  }

  // Measured in the font left by the previous text record, before this pin picks its own.
  const std::string& name = tokens.text(2);
  const std::string& number = tokens.text(3);
  PinTextMetrics metrics;
  if (o == PinOrientation::Left || o == PinOrientation::Right) {
    SurfaceSize nameSize = surface_.textExtent(name);
    metrics.nameWidth = nameSize.width;
    metrics.nameHeight = nameSize.height;
    if (o == PinOrientation::Right) metrics.numberWidth = surface_.textExtent(number).width;
  } else {
    SurfaceSize numberSize = surface_.textExtent(number);
    metrics.numberWidth = numberSize.width;
    metrics.numberHeight = numberSize.height;
  }
  const PinLayout layout = layoutPin(o, s, e, metrics, surface_.halving());

  surface_.moveTo(s.x, s.y);
  surface_.lineTo(e.x, e.y);

  const Color textColor = tokens.text(6) == "0" ? colors::kOlive : colors::kBlack;
  const int escapement = pinTextEscapement(o);
  if (name != "~" && name != number) {
    int size = textPointSize(tokenValue(tokens.text(9))) + kPinTextExtraPoints;
    selectFont(size, textColor, escapement);
    if (state_.ShowPinNames) surface_.textOut(layout.name.x, layout.name.y, name);
  }
  // The number's font is set even when the number is hidden; the next pin measures with it.
  selectFont(textPointSize(tokenValue(tokens.text(8))) + kPinTextExtraPoints, textColor,
             escapement);
  if (state_.ShowPinNumbers) surface_.textOut(layout.number.x, layout.number.y, number);

  // Connection mark: a 6 x 4 ellipse centred one pixel left of the connection point.
  surface_.ellipse(s.x - 4, s.y - 2, s.x + 2, s.y + 2);
  drawPinShape(tokens.text(13), o, e, layout.bubble);
}

void RecordDrawer::drawPinShape(std::string_view shape, PinOrientation o, SurfacePoint e,
                                SurfacePoint bubble) {
  auto stroke = [this](double x0, double y0, double x1, double y1) {
    surface_.moveTo(x0, y0);
    surface_.lineTo(x1, y1);
  };
  const double k = kMark;
  if (shape == "I" || shape == "IC") {
    // From here on closed shapes are opaque: the bubble's white interior hides the pin line.
    surface_.setPenMode(PenMode::Copy);
    surface_.ellipse(bubble.x - kBubbleRadius, bubble.y - kBubbleRadius, bubble.x + kBubbleRadius,
                     bubble.y + kBubbleRadius);
  }
  if (shape == "IC" || shape == "CL" || shape == "C") {  // clock wedge inside the body
    switch (o) {
      case PinOrientation::Left:
        stroke(e.x, e.y - k, e.x - k, e.y);
        stroke(e.x, e.y + k, e.x - k, e.y);
        break;
      case PinOrientation::Right:
        stroke(e.x, e.y + k, e.x + k, e.y);
        stroke(e.x, e.y - k, e.x + k, e.y);
        break;
      case PinOrientation::Up:
        stroke(e.x + k, e.y, e.x, e.y - k);
        surface_.lineTo(e.x - k, e.y);
        break;
      case PinOrientation::Down:
        stroke(e.x + k, e.y, e.x, e.y + k);
        stroke(e.x - k, e.y, e.x, e.y + k);
        break;
    }
  }
  if (shape == "L" || shape == "CL") {  // active-low input flag outside the body
    const double f = 2 * k;
    switch (o) {
      case PinOrientation::Left:
        stroke(e.x, e.y, e.x + f, e.y - k);
        surface_.lineTo(e.x + f, e.y);
        break;
      case PinOrientation::Right:
        stroke(e.x, e.y, e.x - f, e.y - k);
        surface_.lineTo(e.x - f, e.y);
        break;
      case PinOrientation::Up:
        stroke(e.x, e.y, e.x - k, e.y + f);
        surface_.lineTo(e.x, e.y + f);
        break;
      case PinOrientation::Down:
        stroke(e.x, e.y, e.x - k, e.y - f);
        surface_.lineTo(e.x, e.y - f);
        break;
    }
  }
  if (shape == "V") {  // active-low output stroke
    switch (o) {
      case PinOrientation::Left:
        stroke(e.x, e.y - k, e.x + 2 * k, e.y);
        break;
      case PinOrientation::Right:
        stroke(e.x, e.y - k, e.x - 2 * k, e.y);
        break;
      case PinOrientation::Up:
        stroke(e.x - k, e.y, e.x, e.y + 2 * k);
        break;
      case PinOrientation::Down:
        stroke(e.x - k, e.y, e.x, e.y - 2 * k);
        break;
    }
  }
}

}  // namespace quiral
