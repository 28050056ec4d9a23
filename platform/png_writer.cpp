#include "platform/png_writer.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/error.h"

namespace quiral {

namespace {

// The picture prepared for libpng: rows of bytes, and a palette when indexed.
struct PngImage {
  int width = 0;
  int height = 0;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  std::vector<png_color> palette;
  std::vector<std::vector<uint8_t>> rows;  // one byte per sample, packed by libpng
};

// Up to 256 distinct colours of an RGB picture, with each pixel's index; false when there are more.
bool paletteOf(const Bitmap& bm, std::vector<Color>& colors,
               std::vector<std::vector<uint8_t>>& rows) {
  constexpr size_t kSlots = 1024;  // open addressing, at most 256 used
  std::vector<int32_t> slotIndex(kSlots, -1);
  std::vector<Color> slotColor(kSlots, 0);
  rows.assign(size_t(bm.height()), std::vector<uint8_t>(size_t(bm.width())));
  Color lastColor = 0xFFFFFFFF;
  uint8_t lastIndex = 0;
  for (int y = 0; y < bm.height(); ++y) {
    const uint8_t* p = bm.row(y);
    for (int x = 0; x < bm.width(); ++x, p += 3) {
      const Color c = rgb(p[0], p[1], p[2]);
      if (c != lastColor) {
        size_t slot = (c * 2654435761u) % kSlots;
        while (slotIndex[slot] >= 0 && slotColor[slot] != c) slot = (slot + 1) % kSlots;
        if (slotIndex[slot] < 0) {
          if (colors.size() == 256) return false;
          slotIndex[slot] = int32_t(colors.size());
          slotColor[slot] = c;
          colors.push_back(c);
        }
        lastColor = c;
        lastIndex = uint8_t(slotIndex[slot]);
      }
      rows[size_t(y)][size_t(x)] = lastIndex;
    }
  }
  return true;
}

PngImage prepare(const Bitmap& bm) {
  PngImage img;
  img.width = bm.width();
  img.height = bm.height();
  std::vector<Color> colors;
  bool indexed = false;
  if (bm.format() == Bitmap::Format::Indexed8) {
    colors.assign(bm.palette().begin(), bm.palette().end());
    img.rows.resize(size_t(bm.height()));
    for (int y = 0; y < bm.height(); ++y)
      img.rows[size_t(y)].assign(bm.row(y), bm.row(y) + bm.width());
    indexed = true;
  } else {
    indexed = paletteOf(bm, colors, img.rows);
  }
  if (indexed) {
    img.colorType = PNG_COLOR_TYPE_PALETTE;
    const size_t n = colors.size();
    img.bitDepth = n <= 2 ? 1 : n <= 4 ? 2 : n <= 16 ? 4 : 8;
    for (Color c : colors) img.palette.push_back({redOf(c), greenOf(c), blueOf(c)});
    return img;
  }
  img.rows.resize(size_t(bm.height()));
  for (int y = 0; y < bm.height(); ++y)
    img.rows[size_t(y)].assign(bm.row(y), bm.row(y) + bm.stride());
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
  png_set_IHDR(png, info, png_uint_32(img.width), png_uint_32(img.height), img.bitDepth,
               img.colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (img.colorType == PNG_COLOR_TYPE_PALETTE)
    png_set_PLTE(png, info, img.palette.data(), int(img.palette.size()));
  png_write_info(png, info);
  if (img.bitDepth < 8) png_set_packing(png);
  png_write_image(png, rowPointers);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

void writePng(const Bitmap& bitmap, const std::string& path, PngOptions options) {
  if (bitmap.empty()) throw QuiralError("Cannot write an empty picture to " + path);
  const PngImage img = prepare(bitmap);
  std::vector<png_bytep> rowPointers;
  for (const auto& row : img.rows) rowPointers.push_back(const_cast<png_bytep>(row.data()));
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
