#include "vector/vector_surface.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/font_engine.h"
#include "platform/text_codec.h"
#include "render/coordinate_map.h"
#include "render/pin_layout.h"

namespace quiral {

namespace {

double clampUnits(int64_t v) {
  return std::clamp(double(v), -kMaxVectorUnits, kMaxVectorUnits);
}

// A turn in tenths of a degree within (-1800, 1800]: straight down is -900, as on the canvas.
int turnOf(int escapement) {
  int e = escapement % 3600;
  if (e > 1800) e -= 3600;
  if (e <= -1800) e += 3600;
  return e;
}

// Italic glyphs lean right by about 12 degrees: this much of their height reaches past the run.
constexpr double kItalicLean = 0.22;

// Counter-clockwise angle (y up) of a radial point seen from the centre of an ellipse, in
// degrees; the radial's direction, scaled by the radii so it names the point on the ellipse.
double radialAngle(Vec2 c, double rx, double ry, Vec2 p) {
  double dx = p.x - c.x, dy = p.y - c.y;
  if (rx > 0 && ry > 0) {
    dx /= rx;
    dy /= ry;
  }
  return std::atan2(dy, dx) * 180 / std::numbers::pi;
}

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

void VectorSurface::reset() {
  pending_.clear();
  penColor_ = 0;
  penMode_ = PenMode::Mask;
  shapeStyle_ = {};
  current_ = {};
}

void VectorSurface::finish() {
  if (pending_.size() >= 2)
    out_.addPolyline(pending_, false, penColor_, {{}, 0, shapeStyle_.penUnits});
  pending_.clear();
}

double VectorSurface::mapX(int64_t v) {
  return kCanvasOrigin + clampUnits(v) / kUnitsPerPixel;
}

double VectorSurface::mapY(int64_t v) {
  return kCanvasOrigin - clampUnits(v) / kUnitsPerPixel;
}

HalvingRule VectorSurface::halving() const {
  return exactHalf;
}

void VectorSurface::setPenColor(Color c) {
  if (c != penColor_) finish();
  penColor_ = c;
}

void VectorSurface::setPenMode(PenMode m) {
  penMode_ = m;
}

void VectorSurface::setFont(const SurfaceFont& f) {
  if (f.face != font_.face || f.bold != font_.bold) face_ = nullptr;
  font_ = f;
}

void VectorSurface::setShapeStyle(const ShapeStyle& style) {
  if (style.penUnits != shapeStyle_.penUnits) finish();
  shapeStyle_ = style;
}

ItemPaint VectorSurface::paint() const {
  ItemPaint p;
  p.width = shapeStyle_.penUnits;
  if (penMode_ == PenMode::Copy) {
    p.fill = FillKind::Background;
  } else if (shapeStyle_.filled) {
    p.fill = FillKind::Solid;
    p.fillColor = shapeStyle_.fill;
  }
  return p;
}

double VectorSurface::emPixels() {
  if (font_.capHeightUnits <= 0) return emForPoints(font_.pointSize);
  FontFace& face = currentFace();
  const double capPerEm = capUnits_ > 0 ? double(capUnits_) / face.unitsPerEm() : 0.716;
  // As large as the pixel canvas's largest font, so no record can ask a font engine for more.
  return std::min(font_.capHeightUnits / kUnitsPerPixel / capPerEm, double(kMaxEmPixels));
}

FontFace& VectorSurface::currentFace() {
  if (!face_) {
    face_ = &fonts_.face(font_.face, font_.bold);
    capUnits_ = std::max<int64_t>(face_->glyphUnits(U'H').yMax, 0);
    family_ = face_->familyName();
  }
  return *face_;
}

void VectorSurface::rectangle(double l, double t, double r, double b) {
  finish();
  out_.addRectangle(unitsOf(l, t), unitsOf(r, b), FillKind::None, penColor_, paint());
}

void VectorSurface::ellipse(double l, double t, double r, double b) {
  finish();
  const Vec2 a = unitsOf(l, t), z = unitsOf(r, b);
  out_.addEllipse({(a.x + z.x) / 2, (a.y + z.y) / 2}, std::abs(z.x - a.x) / 2,
                  std::abs(z.y - a.y) / 2, FillKind::None, penColor_, paint());
}

void VectorSurface::arc(double l, double t, double r, double b, double xs, double ys, double xe,
                        double ye) {
  finish();
  const Vec2 a = unitsOf(l, t), z = unitsOf(r, b);
  const Vec2 c{(a.x + z.x) / 2, (a.y + z.y) / 2};
  const double rx = std::abs(z.x - a.x) / 2, ry = std::abs(z.y - a.y) / 2;
  const double start = radialAngle(c, rx, ry, unitsOf(xs, ys));
  const double end = radialAngle(c, rx, ry, unitsOf(xe, ye));
  // Counter-clockwise from start to end; equal radials make the whole ellipse, as on the canvas.
  double sweep = end - start;
  while (sweep <= 0) sweep += 360;
  // An arc hides nothing on the canvas, whatever the pen mode; only a style's fill fills it.
  ItemPaint arcPaint = paint();
  if (arcPaint.fill == FillKind::Background) arcPaint.fill = FillKind::None;
  out_.addArc(c, rx, ry, start, sweep, penColor_, arcPaint);
}

void VectorSurface::polyline(const std::vector<SurfacePoint>& points) {
  finish();
  scratch_.clear();
  for (const SurfacePoint& p : points) scratch_.push_back(unitsOf(p.x, p.y));
  // Polylines are never filled by the pen mode; a filled style closes and fills them.
  ItemPaint linePaint = paint();
  if (linePaint.fill == FillKind::Background) linePaint.fill = FillKind::None;
  out_.addPolyline(scratch_, linePaint.fill != FillKind::None, penColor_, linePaint);
  if (!points.empty()) current_ = points.back();
}

void VectorSurface::moveTo(double x, double y) {
  if (x != current_.x || y != current_.y) finish();
  current_ = {x, y};
}

void VectorSurface::lineTo(double x, double y) {
  if (pending_.empty()) pending_.push_back(unitsOf(current_.x, current_.y));
  pending_.push_back(unitsOf(x, y));
  current_ = {x, y};
}

SurfaceSize VectorSurface::textExtent(std::string_view text) {
  FontFace& face = currentFace();
  const double scale = emPixels() / face.unitsPerEm();
  int64_t advance = 0;
  if (isAscii(text)) {
    for (char c : text) advance += face.glyphUnits(char32_t(static_cast<unsigned char>(c))).advance;
  } else {
    for (char32_t c : decodeText(text)) advance += face.glyphUnits(c).advance;
  }
  return {double(advance) * scale, double(face.winAscent() + face.winDescent()) * scale,
          double(face.winAscent()) * scale, double(capUnits_) * scale};
}

void VectorSurface::textOut(double x, double y, std::string_view text) {
  if (text.empty()) return;
  finish();
  FontFace& face = currentFace();
  const double em = emPixels() * kUnitsPerPixel;
  const double scale = em / face.unitsPerEm();
  // Advance and ink of the run in font units along its baseline.
  int64_t pen = 0, inkMin = 0, inkMax = 0, inkTop = 0, inkBottom = 0;
  auto measure = [&](char32_t c) {
    const GlyphUnits& g = face.glyphUnits(c);
    if (g.xMin <= g.xMax) {
      inkMin = std::min(inkMin, pen + g.xMin);
      inkMax = std::max(inkMax, pen + g.xMax);
      inkTop = std::max(inkTop, g.yMax);
      inkBottom = std::min(inkBottom, g.yMin);
    }
    pen += g.advance;
  };
  if (isAscii(text)) {
    for (char c : text) measure(char32_t(static_cast<unsigned char>(c)));
  } else {
    decoded_ = decodeText(text);
    for (char32_t c : decoded_) measure(c);
  }

  DisplayText t;
  t.utf8 = isAscii(text) ? std::string(text) : displayText(text);
  t.family = family_;
  t.bold = font_.bold;
  t.italic = font_.italic;
  t.size = em;
  t.ascent = face.winAscent() * scale;
  t.descent = face.winDescent() * scale;
  t.width = double(pen) * scale;
  t.angle = turnOf(font_.escapement);
  t.anchor = unitsOf(x, y);
  const TurnDirection turn = turnDirection(t.angle);
  t.origin = {t.anchor.x + t.ascent * turn.sin, t.anchor.y - t.ascent * turn.cos};
  const double left = std::max(0.0, -double(inkMin) * scale);
  const double lean = font_.italic ? kItalicLean * std::max<int64_t>(inkTop, 0) * scale : 0;
  const double right = std::max(0.0, double(inkMax - pen) * scale) + lean;
  const double top = std::max(0.0, inkTop * scale - t.ascent);
  const double bottom = std::max(0.0, -inkBottom * scale - t.descent);
  out_.addText(std::move(t), font_.color, left, right, top, bottom);
}

}  // namespace quiral
