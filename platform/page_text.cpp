#include "platform/page_text.h"

#include <algorithm>
#include <cmath>

#include "platform/font_engine.h"
#include "platform/pixel_ops.h"
#include "platform/text_codec.h"

namespace quiral {

namespace {

// Em sizes outside this range draw nothing (too small to see) or are capped.
constexpr double kMinEm = 0.25;

int em26Of(double emPixels) {
  return int(std::lround(std::min(emPixels, double(kMaxEmPixels)) * 64.0));
}

uint8_t blend(uint8_t under, uint8_t over, int coverage) {
  return uint8_t((under * (255 - coverage) + over * coverage + 127) / 255);
}

}  // namespace

PageFontMetrics pageFontMetrics(FontEngine& fonts, const FontSpec& font, double emPixels) {
  FontFace& face = fonts.face(font.face, font.bold);
  const double scale = emPixels / face.unitsPerEm();
  return {face.winAscent() * scale, face.winDescent() * scale};
}

double pageTextWidth(FontEngine& fonts, const FontSpec& font, double emPixels,
                     std::string_view text) {
  FontFace& face = fonts.face(font.face, font.bold);
  int64_t units = 0;
  for (char32_t c : decodeText(text)) units += face.advanceUnits(c);
  return double(units) * emPixels / face.unitsPerEm();
}

void drawPageText(FontEngine& fonts, Bitmap& dst, double x, double baselineY, const FontSpec& font,
                  double emPixels, std::string_view text, const Rect& clip) {
  if (!(emPixels >= kMinEm) || !std::isfinite(x) || !std::isfinite(baselineY)) return;
  const Rect area = clipToBitmap(dst, clip);
  if (isEmpty(area)) return;
  // Positions this far out cannot reach the bitmap and would not fit the integer arithmetic.
  if (std::fabs(x) > 1e15 || std::fabs(baselineY) > 1e15) return;
  FontFace& face = fonts.face(font.face, font.bold);
  PageSizedFont& sized = face.pageSized(em26Of(emPixels));
  const double unitScale = emPixels / face.unitsPerEm();
  const int64_t baseline = int64_t(std::floor(baselineY + 0.5));
  const uint8_t r = redOf(font.color), g = greenOf(font.color), b = blueOf(font.color);

  int64_t units = 0;  // advance so far, in font units, so positions never drift
  for (char32_t c : decodeText(text)) {
    const double penX = x + double(units) * unitScale;
    units += face.advanceUnits(c);
    if (penX > double(area.right) + emPixels) break;  // the rest lies right of the clip
    int64_t pixelX = int64_t(std::floor(penX));
    int phase = int(std::lround((penX - double(pixelX)) * 4.0));
    if (phase == 4) ++pixelX, phase = 0;
    const GlyphImage& glyph = sized.glyph(c, phase);
    const int64_t left = pixelX + glyph.left, top = baseline - glyph.top;
    const int64_t x0 = std::max(left, area.left), x1 = std::min(left + glyph.width, area.right);
    const int64_t y0 = std::max(top, area.top), y1 = std::min(top + glyph.rows, area.bottom);
    for (int64_t py = y0; py < y1; ++py) {
      for (int64_t px = x0; px < x1; ++px) {
        const int coverage = glyph.at(int(px - left), int(py - top));
        if (coverage == 0) continue;
        if (dst.format() == Bitmap::Format::Rgb24) {
          uint8_t* p = dst.row(int(py)) + size_t(px) * 3;
          p[0] = blend(p[0], r, coverage);
          p[1] = blend(p[1], g, coverage);
          p[2] = blend(p[2], b, coverage);
        } else {
          const Color under = dst.pixel(int(px), int(py));
          dst.setPixel(int(px), int(py),
                       rgb(blend(redOf(under), r, coverage), blend(greenOf(under), g, coverage),
                           blend(blueOf(under), b, coverage)));
        }
      }
    }
  }
}

}  // namespace quiral
