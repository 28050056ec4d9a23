#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "platform/color.h"

namespace quiral {

// An allocator whose elements start uninitialised when no value is given, so that a buffer about
// to be overwritten is not filled first.
template <typename T>
struct UninitializedAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = UninitializedAllocator<U>;
  };
  UninitializedAllocator() = default;
  template <typename U>
  UninitializedAllocator(const UninitializedAllocator<U>&) noexcept {}
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

// A picture in memory: 24-bit RGB (3 bytes per pixel, R G B) or 8-bit indexed with a
// 256-entry palette. Rows are tightly packed, top row first. A new or resized bitmap is white.
class Bitmap {
 public:
  enum class Format { Rgb24, Indexed8 };

  Bitmap() = default;
  Bitmap(int width, int height, Format format = Format::Rgb24);
  // A copy holds the picture's bytes only, not the spare room of a reused buffer.
  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  Bitmap(Bitmap&&) noexcept = default;
  Bitmap& operator=(Bitmap&&) noexcept = default;

  int width() const { return width_; }
  int height() const { return height_; }
  Format format() const { return format_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }
  int bytesPerPixel() const { return format_ == Format::Rgb24 ? 3 : 1; }
  size_t stride() const { return size_t(width_) * bytesPerPixel(); }

  uint8_t* row(int y) { return data_.data() + size_t(y) * stride(); }
  const uint8_t* row(int y) const { return data_.data() + size_t(y) * stride(); }
  uint8_t* data() { return data_.data(); }
  const uint8_t* data() const { return data_.data(); }

  // Pixel access in 0xRRGGBB (indexed bitmaps go through their palette). No bounds checks
  // beyond an assert: callers clip.
  Color pixel(int x, int y) const;
  void setPixel(int x, int y, Color c);

  // Changes the size; the content becomes white (indexed: the palette's white entry, 255).
  void resize(int width, int height);
  // Changes the size and leaves the content undefined: for callers that write every pixel next.
  // The memory is kept for the next picture of the same or a smaller size.
  void resizeForOverwrite(int width, int height);
  // Whitens the whole picture.
  void clear(Color c = colors::kWhite);

  std::array<Color, 256>& palette() { return palette_; }
  const std::array<Color, 256>& palette() const { return palette_; }

 private:
  // The bytes the picture uses; the buffer may be larger (kept from a bigger picture).
  size_t byteCount() const;

  int width_ = 0;
  int height_ = 0;
  Format format_ = Format::Rgb24;
  std::vector<uint8_t, UninitializedAllocator<uint8_t>> data_;
  std::array<Color, 256> palette_{};
};

}  // namespace quiral
