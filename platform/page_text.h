#pragma once

#include <string_view>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace quiral {

class FontEngine;

// Text for report pages: laid out with unhinted advances so a page looks the same at every
// resolution, drawn antialiased. Sizes are given as the em in pixels at the target resolution
// (points * dpi / 72); the face, weight and colour come from the FontSpec (its pointSize and
// escapement are not used). Faces come from the given engine.

struct PageFontMetrics {
  double ascent = 0;   // pixels above the baseline (Windows ascent)
  double descent = 0;  // pixels below it
  double height() const { return ascent + descent; }
};

PageFontMetrics pageFontMetrics(FontEngine& fonts, const FontSpec& font, double emPixels);

// Advance width of the text in pixels (sum of unhinted advances).
double pageTextWidth(FontEngine& fonts, const FontSpec& font, double emPixels,
                     std::string_view text);

// Draws the text with its baseline starting at (x, baselineY), blending the font colour over what
// is there. Only pixels inside `clip` (and the bitmap) change. Transparent background.
void drawPageText(FontEngine& fonts, Bitmap& dst, double x, double baselineY, const FontSpec& font,
                  double emPixels, std::string_view text, const Rect& clip);

}  // namespace quiral
