#pragma once

#include <cstdint>
#include <vector>

#include "platform/bitmap.h"
#include "platform/color.h"

namespace quiral {

// A picture that no longer changes, held in little memory: its colours in a palette and each
// row as runs of one colour. A symbol drawing has a handful of colours and long white stretches,
// so a catalog cell takes a few kilobytes instead of three bytes a pixel. A picture with more
// colours than a run can name is kept as it was.
class CompactBitmap {
 public:
  CompactBitmap() = default;
  explicit CompactBitmap(const Bitmap& picture);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }

  // The colour at (x, y), which must lie inside the picture.
  Color pixel(int x, int y) const;
  // The picture in 24-bit colour.
  Bitmap toBitmap() const;
  // Calls onRun(Color, int count) for each run of one colour, left to right and top to bottom;
  // a run never crosses the end of a row.
  template <typename OnRun>
  void forEachRun(OnRun&& onRun) const;

  // The bytes the picture holds on the heap.
  size_t memoryBytes() const;

 private:
  struct Run {
    uint16_t colour;  // place in palette_
    uint16_t length;  // pixels
  };

  int width_ = 0;
  int height_ = 0;
  std::vector<Color> palette_;
  std::vector<uint32_t> rowStarts_;  // each row's first run, then the end of the last row
  std::vector<Run> runs_;
  Bitmap plain_;  // used instead of the runs when the palette would overflow
  bool isPlain_ = false;
};

template <typename OnRun>
void CompactBitmap::forEachRun(OnRun&& onRun) const {
  if (isPlain_) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) onRun(plain_.pixel(x, y), 1);
    return;
  }
  for (const Run& run : runs_) onRun(palette_[run.colour], int(run.length));
}

}  // namespace quiral
