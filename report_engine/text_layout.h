#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"

namespace quiral {

class FontEngine;

// Measures report text in tenths of a millimetre. Widths must add up: the width of two pieces
// side by side is the sum of their widths (advances without kerning), which lets word wrapping
// measure each word once.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual double textWidth(const FontSpec& font, std::string_view text) const = 0;
  virtual double lineHeight(const FontSpec& font) const = 0;
};

// The measurer of printed pages: the fonts' unhinted advances and Windows line height, from
// an engine that must outlive the measurer.
class PageTextMeasurer : public TextMeasurer {
 public:
  explicit PageTextMeasurer(FontEngine& fonts) : fonts_(&fonts) {}
  double textWidth(const FontSpec& font, std::string_view text) const override;
  double lineHeight(const FontSpec& font) const override;
  void setFontEngine(FontEngine& fonts) { fonts_ = &fonts; }

 private:
  FontEngine* fonts_;
};

// The em of a font in tenths of a millimetre (sizes below one point count as one point).
double emTenths(const FontSpec& font);

// Splits text into its lines at CR LF, LF or CR. An empty text has no lines.
std::vector<std::string> splitLines(std::string_view text);

// Breaks text into lines no wider than `width`: at CR/LF, then at spaces, and inside a word
// only when the word alone is wider than the line (never between the bytes of one UTF-8
// character). Spaces at a break are dropped; every other byte ends up on some line.
std::vector<std::string> wrapText(const TextMeasurer& measurer, const FontSpec& font,
                                  std::string_view text, double width);

}  // namespace quiral
