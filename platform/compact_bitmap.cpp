#include "platform/compact_bitmap.h"

#include <algorithm>
#include <cassert>
#include <unordered_map>

namespace quiral {

namespace {

constexpr size_t kMaxColours = 65536;
constexpr int kMaxRunLength = 65535;

// Thrown inside the encoder when a picture has more colours than a run can name.
struct TooManyColours {};

// The colour at x of a row: read straight from the bytes of a 24-bit picture, the usual case.
Color colourAt(const Bitmap& picture, const uint8_t* row, int x, int y) {
  if (picture.format() != Bitmap::Format::Rgb24) return picture.pixel(x, y);
  const uint8_t* p = row + size_t(x) * 3;
  return rgb(p[0], p[1], p[2]);
}

}  // namespace

CompactBitmap::CompactBitmap(const Bitmap& picture)
    : width_(picture.width()), height_(picture.height()) {
  if (empty()) return;
  rowStarts_.reserve(size_t(height_) + 1);
  try {
    std::unordered_map<Color, uint16_t> known;
    for (int y = 0; y < height_; ++y) {
      rowStarts_.push_back(uint32_t(runs_.size()));
      const uint8_t* row = picture.row(y);
      int x = 0;
      while (x < width_) {
        const Color c = colourAt(picture, row, x, y);
        int end = x + 1;
        while (end < width_ && end - x < kMaxRunLength && colourAt(picture, row, end, y) == c)
          ++end;
        auto found = known.find(c);
        if (found == known.end()) {
          if (palette_.size() == kMaxColours) throw TooManyColours{};
          found = known.emplace(c, uint16_t(palette_.size())).first;
          palette_.push_back(c);
        }
        runs_.push_back(Run{found->second, uint16_t(end - x)});
        x = end;
      }
    }
    rowStarts_.push_back(uint32_t(runs_.size()));
  } catch (const TooManyColours&) {
    palette_ = {};
    rowStarts_ = {};
    runs_ = {};
    plain_ = Bitmap(width_, height_);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) plain_.setPixel(x, y, picture.pixel(x, y));
    isPlain_ = true;
    return;
  }
  runs_.shrink_to_fit();
  palette_.shrink_to_fit();
}

Color CompactBitmap::pixel(int x, int y) const {
  assert(x >= 0 && y >= 0 && x < width_ && y < height_);
  if (isPlain_) return plain_.pixel(x, y);
  int left = 0;
  for (uint32_t i = rowStarts_[size_t(y)]; i < rowStarts_[size_t(y) + 1]; ++i) {
    left += runs_[i].length;
    if (x < left) return palette_[runs_[i].colour];
  }
  return colors::kWhite;  // not reached: the runs of a row cover it
}

Bitmap CompactBitmap::toBitmap() const {
  if (isPlain_) return plain_;
  Bitmap out(width_, height_);
  for (int y = 0; y < height_; ++y) {
    uint8_t* p = out.row(y);
    for (uint32_t i = rowStarts_[size_t(y)]; i < rowStarts_[size_t(y) + 1]; ++i) {
      const Color c = palette_[runs_[i].colour];
      const uint8_t r = redOf(c), g = greenOf(c), b = blueOf(c);
      for (int n = runs_[i].length; n > 0; --n, p += 3) p[0] = r, p[1] = g, p[2] = b;
    }
  }
  return out;
}

size_t CompactBitmap::memoryBytes() const {
  return palette_.capacity() * sizeof(Color) + rowStarts_.capacity() * sizeof(uint32_t) +
         runs_.capacity() * sizeof(Run) + (isPlain_ ? size_t(width_) * height_ * 3 : 0);
}

}  // namespace quiral
