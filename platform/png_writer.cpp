#include "platform/png_writer.h"

#include <png.h>
#include <zlib.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/error.h"

namespace quiral {

namespace {

// The picture prepared for libpng: packed rows in one buffer, and a palette when indexed.
struct PngImage {
  int width = 0;
  int height = 0;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  size_t rowBytes = 0;
  std::vector<png_color> palette;
  std::vector<uint8_t> pixels;       // height rows of rowBytes each
  const uint8_t* rowData = nullptr;  // rows to write: pixels, or the bitmap itself
};

// Maps colours to palette indices in first-seen order; at most 256 of them.
class PaletteBuilder {
 public:
  // -1 once a 257th colour appears.
  int indexOf(Color c) {
    size_t slot = (c * 2654435761u) % kSlots;
    while (slotIndex_[slot] >= 0 && slotColor_[slot] != c) slot = (slot + 1) % kSlots;
    if (slotIndex_[slot] < 0) {
      if (colors_.size() == 256) return -1;
      slotIndex_[slot] = int32_t(colors_.size());
      slotColor_[slot] = c;
      colors_.push_back(c);
    }
    return slotIndex_[slot];
  }
  const std::vector<Color>& colors() const { return colors_; }

 private:
  static constexpr size_t kSlots = 1024;  // open addressing, at most 256 used
  std::vector<int32_t> slotIndex_ = std::vector<int32_t>(kSlots, -1);
  std::vector<Color> slotColor_ = std::vector<Color>(kSlots, 0);
  std::vector<Color> colors_;
};

bool allWhite(const uint8_t* p, size_t bytes) {
  for (size_t i = 0; i + 8 <= bytes; i += 8) {
    uint64_t v;
    std::memcpy(&v, p + i, 8);
    if (v != ~uint64_t(0)) return false;
  }
  return true;
}

// Palette indices of an RGB picture, one byte per pixel; false when it has more than 256 colours.
// Symbol views are mostly white, so runs of eight white pixels are handled in one step.
bool indexPixels(const Bitmap& bm, PaletteBuilder& palette, std::vector<uint8_t>& indices) {
  const size_t w = size_t(bm.width());
  indices.resize(w * size_t(bm.height()));
  const int white = palette.indexOf(colors::kWhite);
  Color lastColor = colors::kWhite;
  int lastIndex = white;
  for (int y = 0; y < bm.height(); ++y) {
    const uint8_t* p = bm.row(y);
    uint8_t* out = indices.data() + size_t(y) * w;
    size_t x = 0;
    while (x < w) {
      if (x + 8 <= w && allWhite(p + 3 * x, 24)) {
        std::memset(out + x, white, 8);
        x += 8;
        continue;
      }
      const uint8_t* q = p + 3 * x;
      const Color c = rgb(q[0], q[1], q[2]);
      if (c != lastColor) {
        lastIndex = palette.indexOf(c);
        if (lastIndex < 0) return false;
        lastColor = c;
      }
      out[x++] = uint8_t(lastIndex);
    }
  }
  return true;
}

// Packs one row of byte indices at Depth bits per pixel, most significant bits first. With the
// depth fixed at compile time the inner loop over a byte's pixels unrolls.
template <int Depth>
void packRow(const uint8_t* in, size_t width, uint8_t* out) {
  constexpr size_t kPerByte = 8 / Depth;
  size_t x = 0;
  for (; x + kPerByte <= width; x += kPerByte) {
    unsigned byte = 0;
    for (size_t k = 0; k < kPerByte; ++k) byte = (byte << Depth) | in[x + k];
    *out++ = uint8_t(byte);
  }
  if (x < width) {
    unsigned byte = 0;
    size_t k = 0;
    for (; x < width; ++x, ++k) byte = (byte << Depth) | in[x];
    *out = uint8_t(byte << (Depth * (kPerByte - k)));
  }
}

void packRows(const std::vector<uint8_t>& indices, PngImage& img) {
  const size_t w = size_t(img.width);
  const size_t perByte = size_t(8 / img.bitDepth);
  img.rowBytes = (w + perByte - 1) / perByte;
  img.pixels.resize(img.rowBytes * size_t(img.height));
  for (int y = 0; y < img.height; ++y) {
    const uint8_t* in = indices.data() + size_t(y) * w;
    uint8_t* out = img.pixels.data() + size_t(y) * img.rowBytes;
    switch (img.bitDepth) {
      case 1:
        packRow<1>(in, w, out);
        break;
      case 2:
        packRow<2>(in, w, out);
        break;
      case 4:
        packRow<4>(in, w, out);
        break;
      default:
        packRow<8>(in, w, out);
        break;
    }
  }
}

PngImage prepare(const Bitmap& bm) {
  PngImage img;
  img.width = bm.width();
  img.height = bm.height();
  std::vector<Color> colors;
  std::vector<uint8_t> indices;
  bool indexed = false;
  if (bm.format() == Bitmap::Format::Indexed8) {
    colors.assign(bm.palette().begin(), bm.palette().end());
    indexed = true;
    img.colorType = PNG_COLOR_TYPE_PALETTE;
    img.rowBytes = bm.stride();
    img.rowData = bm.data();
  } else {
    PaletteBuilder palette;
    indexed = indexPixels(bm, palette, indices);
    colors = palette.colors();
  }
  if (indexed) {
    for (Color c : colors) img.palette.push_back({redOf(c), greenOf(c), blueOf(c)});
    img.colorType = PNG_COLOR_TYPE_PALETTE;
    if (!img.rowData) {
      const size_t n = colors.size();
      img.bitDepth = n <= 2 ? 1 : n <= 4 ? 2 : n <= 16 ? 4 : 8;
      packRows(indices, img);
      img.rowData = img.pixels.data();
    }
    return img;
  }
  img.colorType = PNG_COLOR_TYPE_RGB;
  img.rowBytes = bm.stride();
  img.rowData = bm.data();
  return img;
}

void onPngError(png_structp png, png_const_charp) {
  longjmp(png_jmpbuf(png), 1);
}
void onPngWarning(png_structp, png_const_charp) {}

// Writes with libpng; no C++ object with a destructor lives across the setjmp. Returns false on
// a libpng failure.
bool writeWithLibpng(FILE* file, const PngImage& img, png_bytepp rowPointers, int level) {
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, level);
  // Pictures of line drawings are long runs of one colour: run-length matching is much faster
  // than the full search and compresses them nearly as well.
  if (level <= 1) png_set_compression_strategy(png, Z_RLE);
  png_set_filter(png, 0, PNG_FILTER_NONE);
  png_set_IHDR(png, info, png_uint_32(img.width), png_uint_32(img.height), img.bitDepth,
               img.colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (img.colorType == PNG_COLOR_TYPE_PALETTE)
    png_set_PLTE(png, info, img.palette.data(), int(img.palette.size()));
  png_write_info(png, info);
  png_write_image(png, rowPointers);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

void writePng(const Bitmap& bitmap, const std::string& path, PngOptions options) {
  if (bitmap.empty()) throw QuiralError("Cannot write an empty picture to " + path);
  const PngImage img = prepare(bitmap);
  std::vector<png_bytep> rowPointers(size_t(img.height));
  for (size_t y = 0; y < rowPointers.size(); ++y)
    rowPointers[y] = const_cast<png_bytep>(img.rowData + y * img.rowBytes);
  errno = 0;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throwFileError(path);
  const bool written = writeWithLibpng(file, img, rowPointers.data(), options.fast ? 1 : 6);
  const int writeErrno = errno;
  const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
  const int flushErrno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !flushed || !closed) {
    int err = !flushed ? flushErrno : writeErrno;
    std::remove(path.c_str());
    throw FileError(err != 0 ? err : EIO, path);
  }
}

Bitmap readPng(const std::string& path) {
  FILE* probe = std::fopen(path.c_str(), "rb");
  if (!probe) throwFileError(path);
  std::fclose(probe);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str()))
    throw QuiralError(path + " is not a readable PNG picture");
  image.format = PNG_FORMAT_RGB;
  if (image.width > 100000 || image.height > 100000) {
    png_image_free(&image);
    throw QuiralError(path + " is too large");
  }
  Bitmap bm(int(image.width), int(image.height));
  if (!png_image_finish_read(&image, nullptr, bm.data(), png_int_32(bm.stride()), nullptr)) {
    png_image_free(&image);
    throw QuiralError(path + " is not a readable PNG picture");
  }
  return bm;
}

}  // namespace quiral
