#include "platform/bitmap.h"

#include <cassert>

#include "platform/error.h"
#include "platform/halftone.h"

namespace quiral {

namespace {

// Pictures beyond this many bytes are refused rather than attempted (a 1200 dpi A4 page is
// about 420 MB in 24 bits).
constexpr uint64_t kMaxBytes = uint64_t(1) << 31;

int nearestPaletteIndex(const std::array<Color, 256>& palette, Color c) {
  int best = 0;
  int64_t bestDistance = INT64_MAX;
  for (int i = 0; i < 256; ++i) {
    int64_t dr = int(redOf(palette[i])) - redOf(c);
    int64_t dg = int(greenOf(palette[i])) - greenOf(c);
    int64_t db = int(blueOf(palette[i])) - blueOf(c);
    int64_t d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
      if (d == 0) break;
    }
  }
  return best;
}

}  // namespace

Bitmap::Bitmap(int width, int height, Format format) : format_(format) {
  if (format_ == Format::Indexed8) palette_ = halftonePalette();
  resize(width, height);
}

Color Bitmap::pixel(int x, int y) const {
  assert(x >= 0 && y >= 0 && x < width_ && y < height_);
  const uint8_t* p = row(y) + size_t(x) * bytesPerPixel();
  if (format_ == Format::Rgb24) return rgb(p[0], p[1], p[2]);
  return palette_[*p];
}

void Bitmap::setPixel(int x, int y, Color c) {
  assert(x >= 0 && y >= 0 && x < width_ && y < height_);
  uint8_t* p = row(y) + size_t(x) * bytesPerPixel();
  if (format_ == Format::Rgb24) {
    p[0] = redOf(c);
    p[1] = greenOf(c);
    p[2] = blueOf(c);
  } else {
    *p = uint8_t(nearestPaletteIndex(palette_, c));
  }
}

Bitmap::Bitmap(const Bitmap& other)
    : width_(other.width_),
      height_(other.height_),
      format_(other.format_),
      data_(other.data_.begin(), other.data_.begin() + ptrdiff_t(other.byteCount())),
      palette_(other.palette_) {}

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this != &other) *this = Bitmap(other);
  return *this;
}

void Bitmap::resize(int width, int height) {
  resizeForOverwrite(width, height);
  clear();
}

void Bitmap::resizeForOverwrite(int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  uint64_t bytes = uint64_t(width) * uint64_t(height) * uint64_t(bytesPerPixel());
  if (bytes > kMaxBytes) throw QuiralError("Picture too large");
  width_ = width;
  height_ = height;
  // The buffer is used as it is whenever it holds the new picture: resizing a vector visits every
  // byte it adds, which costs about as much as drawing a picture of that size, and a view's size
  // changes with every symbol. Only a large buffer kept from a much bigger picture is given back.
  const size_t need = size_t(bytes);
  const bool oversized = data_.size() > (size_t(64) << 20) && data_.size() / 4 > need;
  if (need <= data_.size() && !oversized) return;
  // Emptied first, so that growing copies nothing old.
  data_.clear();
  if (oversized) data_.shrink_to_fit();
  data_.resize(need);
}

size_t Bitmap::byteCount() const {
  return stride() * size_t(height_);
}

void Bitmap::clear(Color c) {
  const auto end = data_.begin() + ptrdiff_t(byteCount());
  if (format_ == Format::Indexed8) {
    std::fill(data_.begin(), end, uint8_t(nearestPaletteIndex(palette_, c)));
    return;
  }
  if (redOf(c) == greenOf(c) && greenOf(c) == blueOf(c)) {
    std::fill(data_.begin(), end, redOf(c));
    return;
  }
  for (size_t i = 0; i < byteCount(); i += 3) {
    data_[i] = redOf(c);
    data_[i + 1] = greenOf(c);
    data_[i + 2] = blueOf(c);
  }
}

}  // namespace quiral
