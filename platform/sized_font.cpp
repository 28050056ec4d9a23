#include <algorithm>

#include "platform/font_engine.h"
// After font_engine.h, which includes ft2build.h.
#include FT_ADVANCES_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

namespace quiral {

namespace {

// Copies the rendered glyph of the slot into one byte per pixel.
GlyphImage imageOf(FT_GlyphSlot slot) {
  GlyphImage g;
  const FT_Bitmap& bm = slot->bitmap;
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.width = int(bm.width);
  g.rows = int(bm.rows);
  g.pixels.assign(size_t(g.width) * size_t(g.rows), 0);
  for (int r = 0; r < g.rows; ++r) {
    const unsigned char* src = bm.pitch >= 0
                                   ? bm.buffer + size_t(r) * size_t(bm.pitch)
                                   : bm.buffer + size_t(g.rows - 1 - r) * size_t(-bm.pitch);
    uint8_t* dst = g.pixels.data() + size_t(r) * size_t(g.width);
    if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
      for (int c = 0; c < g.width; ++c) dst[c] = (src[c >> 3] >> (7 - (c & 7))) & 1;
    } else {
      std::copy(src, src + g.width, dst);
    }
  }
  return g;
}

// Scale a font-unit value to whole pixels, rounding halves up.
int scaleRounded(int64_t units, int em, int unitsPerEm) {
  return int((2 * units * em + unitsPerEm) / (2 * int64_t(unitsPerEm)));
}

}  // namespace

FontFace::FontFace(FontEngine& engine, FT_Face ftFace, std::string file)
    : engine_(engine), face_(ftFace), file_(std::move(file)) {
  if (face_->units_per_EM > 0) unitsPerEm_ = face_->units_per_EM;
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    winAscent_ = os2->usWinAscent;
    winDescent_ = os2->usWinDescent;
  } else {
    winAscent_ = face_->ascender;
    winDescent_ = -face_->descender;
  }
}

FontFace::~FontFace() {
  sizes_.clear();
  pageSizes_.clear();
  FT_Done_Face(face_);
}

std::string FontFace::familyName() const {
  return face_->family_name ? face_->family_name : "";
}
std::string FontFace::styleName() const {
  return face_->style_name ? face_->style_name : "";
}

uint32_t FontFace::glyphIndex(char32_t c) {
  if (auto it = glyphIndex_.find(c); it != glyphIndex_.end()) return it->second;
  const uint32_t index = FT_Get_Char_Index(face_, FT_ULong(c));
  glyphIndex_.emplace(c, index);
  return index;
}

int64_t FontFace::advanceUnits(char32_t c) {
  const uint32_t index = glyphIndex(c);
  if (auto it = advanceUnits_.find(index); it != advanceUnits_.end()) return it->second;
  FT_Fixed advance = 0;
  if (FT_Get_Advance(face_, index, FT_LOAD_NO_SCALE, &advance) != 0) advance = 0;
  advanceUnits_.emplace(index, int64_t(advance));
  return advance;
}

const GlyphUnits& FontFace::glyphUnits(char32_t c) {
  if (c < 128 && asciiUnits_[c]) return *asciiUnits_[c];
  const uint32_t index = glyphIndex(c);
  auto [it, added] = glyphUnits_.try_emplace(index);
  if (added && FT_Load_Glyph(face_, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) == 0) {
    const FT_Glyph_Metrics& m = face_->glyph->metrics;
    GlyphUnits& u = it->second;
    u.advance = m.horiAdvance;
    if (m.width > 0 && m.height > 0) {
      u.xMin = m.horiBearingX;
      u.xMax = m.horiBearingX + m.width;
      u.yMax = m.horiBearingY;
      u.yMin = m.horiBearingY - m.height;
    }
  }
  if (c < 128) asciiUnits_[c] = &it->second;
  return it->second;
}

SizedFont& FontFace::sized(int em) {
  auto& slot = sizes_[em];
  if (!slot) slot = std::make_unique<SizedFont>(*this, em);
  return *slot;
}

PageSizedFont& FontFace::pageSized(int em26) {
  auto& slot = pageSizes_[em26];
  if (!slot) slot = std::make_unique<PageSizedFont>(*this, em26);
  return *slot;
}

void FontFace::clearGlyphs() {
  for (auto& [em, s] : sizes_) s->clearGlyphs();
  for (auto& [em, s] : pageSizes_) s->clearGlyphs();
}

SizedFont::SizedFont(FontFace& face, int em) : face_(face), em_(std::clamp(em, 1, kMaxEmPixels)) {
  ascent_ = scaleRounded(face.winAscent(), em_, face.unitsPerEm());
  descent_ = scaleRounded(face.winDescent(), em_, face.unitsPerEm());
  if (FT_New_Size(face.ftFace(), &size_) == 0) {
    FT_Activate_Size(size_);
    FT_Set_Pixel_Sizes(face.ftFace(), 0, FT_UInt(em_));
  } else {
    size_ = nullptr;
  }
}

SizedFont::~SizedFont() {
  if (size_) FT_Done_Size(size_);
}

void SizedFont::clearGlyphs() {
  glyphs_.clear();
  ascii_.fill(nullptr);
}

const GlyphImage& SizedFont::glyph(char32_t c) {
  if (c < ascii_.size() && ascii_[c]) return *ascii_[c];
  const GlyphImage& found = lookUpGlyph(c);
  if (c < ascii_.size()) ascii_[c] = &found;
  return found;
}

const GlyphImage& SizedFont::lookUpGlyph(char32_t c) {
  const uint32_t index = face_.glyphIndex(c);
  if (auto it = glyphs_.find(index); it != glyphs_.end()) return it->second;
  GlyphImage image;
  FT_Face ft = face_.ftFace();
  if (size_ && FT_Activate_Size(size_) == 0 && FT_Load_Glyph(ft, index, FT_LOAD_TARGET_MONO) == 0) {
    image.advance = int(ft->glyph->advance.x / 64);
    if (FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_MONO) == 0) {
      const int advance = image.advance;
      image = imageOf(ft->glyph);
      image.advance = advance;
    }
  }
  face_.engine().noteGlyphBytes(image.pixels.size() + sizeof(GlyphImage));
  return glyphs_.emplace(index, std::move(image)).first->second;
}

PageSizedFont::PageSizedFont(FontFace& face, int em26) : face_(face), em26_(em26) {
  if (FT_New_Size(face.ftFace(), &size_) == 0) {
    FT_Activate_Size(size_);
    FT_Set_Char_Size(face.ftFace(), em26_, em26_, 72, 72);
  } else {
    size_ = nullptr;
  }
}

PageSizedFont::~PageSizedFont() {
  if (size_) FT_Done_Size(size_);
}

void PageSizedFont::clearGlyphs() {
  glyphs_.clear();
}

const GlyphImage& PageSizedFont::glyph(char32_t c, int phase) {
  const uint32_t index = face_.glyphIndex(c);
  const uint64_t key = (uint64_t(index) << 2) | uint64_t(phase & 3);
  if (auto it = glyphs_.find(key); it != glyphs_.end()) return it->second;
  GlyphImage image;
  FT_Face ft = face_.ftFace();
  if (size_ && FT_Activate_Size(size_) == 0 &&
      FT_Load_Glyph(ft, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0) {
    if (ft->glyph->format == FT_GLYPH_FORMAT_OUTLINE)
      FT_Outline_Translate(&ft->glyph->outline, FT_Pos((phase & 3) * 16), 0);
    if (FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_NORMAL) == 0) image = imageOf(ft->glyph);
  }
  face_.engine().noteGlyphBytes(image.pixels.size() + sizeof(GlyphImage));
  return glyphs_.emplace(key, std::move(image)).first->second;
}

}  // namespace quiral
