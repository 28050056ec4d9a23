#include <vector>

#include "render/record_rules.h"
#include "render/renderer.h"
#include "render/token_value.h"

namespace quiral {

namespace {

// The arc drawer's captions for the hidden label (UTF-8: "não invert").
constexpr const char* kCaptionNotSwapped =
    "n\xC3\xA3"
    "o invert";
constexpr const char* kCaptionSwapped = "invertida";
constexpr int kFieldPointSize = 7;

}  // namespace

void Renderer::retangulo(const TokenTable& tokens, int /*tokenCount*/) {
  int32_t l = MapX(tokenValue(tokens.text(2)));
  int32_t t = MapY(tokenValue(tokens.text(3)));
  int32_t r = MapX(tokenValue(tokens.text(4)));
  int32_t b = MapY(tokenValue(tokens.text(5)));
  canvas_.rectangle(l, t, r, b);
}

Rect Renderer::mapCircleBox(int64_t cx, int64_t cy, int64_t r) {
  Rect box;
  box.left = MapX(cx - r);
  box.top = MapY(cy - r);
  box.right = MapX(cx + r);
  box.bottom = MapY(cy + r);
  return box;
}

void Renderer::circulo(const TokenTable& tokens, int /*tokenCount*/) {
  if (!isZeroOrOne(tokens.text(5))) return;
  canvas_.setPenColor(colors::kBlack);
  const Rect box = mapCircleBox(tokenValue(tokens.text(2)), tokenValue(tokens.text(3)),
                                tokenValue(tokens.text(4)));
  canvas_.ellipse(box.left, box.top, box.right, box.bottom);
}

void Renderer::poligono(const TokenTable& tokens, int tokenCount) {
  if (!isZeroOrOne(tokens.text(4))) return;
  // Counts beyond what the table can hold are cut to it: the missing points would all read as
  // (0, 0) from empty tokens, and points past position 300 are not drawn.
  int64_t count = decimalCount(tokens.text(2), kMaxPolylinePoints + 1);
  if (count <= 0) return;
  const bool closedLine = tokens.text(tokenCount) == "F";
  // The fill mark sits right after the last point; a line whose last token is F but whose fill
  // mark is something else is drawn open rather than with a stray point at (0, 0).
  const int64_t fillMarkPosition = 2 * count + 6;
  const bool closed = closedLine && fillMarkPosition <= TokenTable::kSize &&
                      tokens.text(int(fillMarkPosition)) == "F";
  const int drawn = int(count < kMaxPolylinePoints ? count : kMaxPolylinePoints);
  polylinePoints_.clear();
  for (int i = 0; i < drawn; ++i) {
    int32_t x = MapX(tokenValue(tokens.text(2 * i + 6)));
    int32_t y = MapY(tokenValue(tokens.text(2 * i + 7)));
    polylinePoints_.push_back({x, y});
  }
  if (closed) {
    int32_t x = MapX(tokenValue(tokens.text(6)));
    int32_t y = MapY(tokenValue(tokens.text(7)));
    polylinePoints_.push_back({x, y});
  }
  canvas_.polyline(polylinePoints_);
}

void Renderer::arco(const TokenTable& tokens, int /*tokenCount*/) {
  // Body style 0 is "common to all body styles" and is drawn like 1.
  if (!isZeroOrOne(tokens.text(8))) return;
  canvas_.setPenColor(colors::kBlack);
  const Rect box = mapCircleBox(tokenValue(tokens.text(2)), tokenValue(tokens.text(3)),
                                tokenValue(tokens.text(4)));
  int64_t s = normalizedAngle(tokenValue(tokens.text(5)));
  int64_t e = normalizedAngle(tokenValue(tokens.text(6)));
  const bool swapped = arcEndsSwapped(s, e);
  const int startToken = swapped ? 13 : 11;
  const int endToken = swapped ? 11 : 13;
  label1Caption_ = swapped ? kCaptionSwapped : kCaptionNotSwapped;
  int32_t xs = MapX(tokenValue(tokens.text(startToken)));
  int32_t ys = MapY(tokenValue(tokens.text(startToken + 1)));
  int32_t xe = MapX(tokenValue(tokens.text(endToken)));
  int32_t ye = MapY(tokenValue(tokens.text(endToken + 1)));
  canvas_.arc(box.left, box.top, box.right, box.bottom, xs, ys, xe, ye);
}

void Renderer::textos(const TokenTable& tokens, int /*tokenCount*/) {
  int32_t x = MapX(tokenValue(tokens.text(3)));
  int32_t y = MapY(tokenValue(tokens.text(4)));
  int escapement = textTurnsUp(tokens.text(2)) ? 900 : 0;
  selectFont(textPointSize(tokenValue(tokens.text(5))), colors::kTeal, escapement);
  canvas_.textOut(x, y, tokens.text(9));
}

void Renderer::titulos(const TokenTable& tokens, int /*tokenCount*/) {
  // Every field line selects the field font, so the pins after it measure alike whether it is
  // shown or not; only visible fields are drawn and widen the bounding box.
  selectFont(kFieldPointSize, colors::kTeal, 0);
  if (tokens.text(7) != "V") return;
  int32_t x = MapX(tokenValue(tokens.text(3)));
  int32_t y = MapY(tokenValue(tokens.text(4)));
  canvas_.textOut(x, y, tokens.text(2));
}

}  // namespace quiral
