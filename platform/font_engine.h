#pragma once

// Fonts: faces found through fontconfig, opened with FreeType once per engine, kept at every
// size asked for, with their glyph images cached. Each engine belongs to whoever made it (the
// program's objects, a session, a report) and is used on one thread at a time; it is not locked,
// so threads that draw at once each need their own engine. Only the fontconfig matching
// is shared and serialised.

#include <ft2build.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>
#include FT_FREETYPE_H

#include "platform/canvas.h"

namespace quiral {

// One glyph's picture, one byte per pixel (0/1 on the symbol canvas, 0-255 coverage on report
// pages), placed relative to the pen position on the baseline: its top-left pixel is `left`
// pixels right of the pen and `top` pixels above the baseline.
struct GlyphImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
  int advance = 0;  // whole pixels (symbol canvas only)
  std::vector<uint8_t> pixels;
  uint8_t at(int col, int row) const { return pixels[size_t(row) * size_t(width) + size_t(col)]; }
};

// Starts fontconfig's configuration for the process, once (every FontEngine does on first use).
// A program whose first fontconfig user is another library (cairo) calls it before that.
void startFontconfig();

class FontFace;
class FontEngine;

// A glyph's unscaled outline metrics in font units, y up from the baseline: its advance and the
// box of its ink (empty for a blank glyph: xMin > xMax).
struct GlyphUnits {
  int64_t advance = 0;
  int64_t xMin = 0;
  int64_t xMax = -1;
  int64_t yMin = 0;
  int64_t yMax = -1;
};

// A face at one em size for the symbol canvas: Windows ascent and descent, hinted monochrome
// glyphs and their whole-pixel advances.
class SizedFont {
 public:
  SizedFont(FontFace& face, int em);
  ~SizedFont();
  SizedFont(const SizedFont&) = delete;
  SizedFont& operator=(const SizedFont&) = delete;

  int em() const { return em_; }
  int ascent() const { return ascent_; }
  int descent() const { return descent_; }
  int height() const { return ascent_ + descent_; }
  // The glyph for a character (the face's missing-glyph box when it has none). The reference
  // stays valid until the next glyph() call of any font.
  const GlyphImage& glyph(char32_t c);
  int advance(char32_t c) { return glyph(c).advance; }
  void clearGlyphs();

 private:
  const GlyphImage& lookUpGlyph(char32_t c);

  FontFace& face_;
  int em_;
  int ascent_ = 0;
  int descent_ = 0;
  FT_Size size_ = nullptr;
  std::unordered_map<uint32_t, GlyphImage> glyphs_;
  // The glyphs of the ASCII characters once looked up, straight by character: entries of
  // glyphs_, whose addresses hold until the cache is emptied.
  std::array<const GlyphImage*, 128> ascii_{};
};

// A face at one fractional em size for report pages: unhinted, antialiased glyphs at quarter-pixel
// horizontal positions.
class PageSizedFont {
 public:
  PageSizedFont(FontFace& face, int em26);
  ~PageSizedFont();
  PageSizedFont(const PageSizedFont&) = delete;
  PageSizedFont& operator=(const PageSizedFont&) = delete;

  // phase: the pen's offset within its pixel in quarters (0-3).
  const GlyphImage& glyph(char32_t c, int phase);
  void clearGlyphs();

 private:
  FontFace& face_;
  int em26_;
  FT_Size size_ = nullptr;
  std::unordered_map<uint64_t, GlyphImage> glyphs_;
};

// One opened font file.
class FontFace {
 public:
  FontFace(FontEngine& engine, FT_Face ftFace, std::string file);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  FT_Face ftFace() const { return face_; }
  // The engine that opened this face and keeps the glyph budget of its caches.
  FontEngine& engine() const { return engine_; }
  const std::string& file() const { return file_; }
  std::string familyName() const;
  std::string styleName() const;
  int unitsPerEm() const { return unitsPerEm_; }
  int winAscent() const { return winAscent_; }    // font units
  int winDescent() const { return winDescent_; }  // font units
  uint32_t glyphIndex(char32_t c);
  // Unhinted advance of a character in font units.
  int64_t advanceUnits(char32_t c);
  // Unhinted advance and ink box of a character in font units (for vector drawing).
  const GlyphUnits& glyphUnits(char32_t c);

  SizedFont& sized(int em);
  PageSizedFont& pageSized(int em26);
  void clearGlyphs();

 private:
  FontEngine& engine_;
  FT_Face face_;
  std::string file_;
  int unitsPerEm_ = 2048;
  int winAscent_ = 0;
  int winDescent_ = 0;
  std::unordered_map<char32_t, uint32_t> glyphIndex_;
  std::unordered_map<uint32_t, int64_t> advanceUnits_;
  std::unordered_map<uint32_t, GlyphUnits> glyphUnits_;
  std::array<const GlyphUnits*, 128> asciiUnits_{};  // entries of glyphUnits_, never erased
  std::unordered_map<int, std::unique_ptr<SizedFont>> sizes_;
  std::unordered_map<int, std::unique_ptr<PageSizedFont>> pageSizes_;
};

// The em in pixels at 96 dpi for a size in points, rounded to nearest as MulDiv does; sizes
// below 1 point count as 1 point, and the em is capped at kMaxEmPixels.
int emForPoints(int points);
constexpr int kMaxEmPixels = 2000;

class FontEngine {
 public:
  // Cheap: FreeType and fontconfig are set up when the first face is asked for.
  FontEngine();
  ~FontEngine();
  FontEngine(const FontEngine&) = delete;
  FontEngine& operator=(const FontEngine&) = delete;

  // The face for a family name and weight. A family that fontconfig cannot match (only by a
  // generic fallback) is replaced by the default sans face, with one note on stderr per name.
  // Throws QuiralError when no font can be opened at all.
  FontFace& face(const std::string& family, bool bold);
  // The symbol-canvas font for a request (its pointSize, face and weight).
  SizedFont& canvasFont(const FontSpec& spec);

  // Glyph images count against a memory budget; past it every glyph cache is emptied.
  void noteGlyphBytes(size_t bytes);
  FT_Library library() const { return library_; }

 private:
  void start();
  std::string findFile(const std::string& family, bool bold, int& index);
  FontFace* open(const std::string& file, int index);

  bool started_ = false;
  FT_Library library_ = nullptr;
  std::unordered_map<std::string, FontFace*> byRequest_;  // family + weight -> face
  std::unordered_map<std::string, std::unique_ptr<FontFace>> byFile_;
  std::unordered_map<std::string, bool> warned_;
  size_t glyphBytes_ = 0;
};

}  // namespace quiral
