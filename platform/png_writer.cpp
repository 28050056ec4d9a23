#include "platform/png_writer.h"

#include <libdeflate.h>
#include <png.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/atomic_file.h"
#include "platform/error.h"

namespace quiral {

namespace {

using ByteBuffer = std::vector<uint8_t, UninitializedAllocator<uint8_t>>;

// What the encoder is given: the rows (owned by a PreparedPng or a bitmap) and the palette.
struct Encoding {
  int width = 0;
  int height = 0;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  size_t rowBytes = 0;
  const uint8_t* rows = nullptr;
  std::vector<png_color> palette;
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

// Whether the 16 RGB pixels (48 bytes) at p are all white.
bool sixteenWhite(const uint8_t* p) {
#if defined(__SSE2__)
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
  const __m128i all = _mm_and_si128(_mm_and_si128(a, b), c);
  return _mm_movemask_epi8(_mm_cmpeq_epi8(all, _mm_set1_epi8(-1))) == 0xFFFF;
#else
  uint64_t all = ~uint64_t(0);
  for (int i = 0; i < 6; ++i) {
    uint64_t v;
    std::memcpy(&v, p + 8 * i, 8);
    all &= v;
  }
  return all == ~uint64_t(0);
#endif
}

// Whether the 8 RGB pixels (24 bytes) at p are all white.
bool eightWhite(const uint8_t* p) {
  uint64_t a, b, c;
  std::memcpy(&a, p, 8);
  std::memcpy(&b, p + 8, 8);
  std::memcpy(&c, p + 16, 8);
  return (a & b & c) == ~uint64_t(0);
}

// Whether the 16 bytes at p are all zero.
bool sixteenZero(const uint8_t* p) {
  uint64_t a, b;
  std::memcpy(&a, p, 8);
  std::memcpy(&b, p + 8, 8);
  return (a | b) == 0;
}

// Palette indices of an RGB picture, one byte per pixel; false when it has more than 256 colours.
// White is always index 0, and symbol views are mostly white: runs of sixteen white pixels are
// handled in one step.
bool indexPixels(const Bitmap& bm, PaletteBuilder& palette, ByteBuffer& indices) {
  const size_t w = size_t(bm.width());
  indices.resize(w * size_t(bm.height()));
  const int white = palette.indexOf(colors::kWhite);  // 0: the first colour seen
  Color lastColor = colors::kWhite;
  int lastIndex = white;
  for (int y = 0; y < bm.height(); ++y) {
    const uint8_t* p = bm.row(y);
    uint8_t* out = indices.data() + size_t(y) * w;
    size_t x = 0;
    while (x < w) {
      if (x + 16 <= w && sixteenWhite(p + 3 * x)) {
        std::memset(out + x, white, 16);  // a fixed size: two plain stores
        x += 16;
        continue;
      }
      if (x + 8 <= w && eightWhite(p + 3 * x)) {
        std::memset(out + x, white, 8);
        x += 8;
      }
      // Up to eight pixels one by one, then back to the white tests.
      const size_t stop = std::min(w, x + 8);
      for (; x < stop; ++x) {
        const uint8_t* q = p + 3 * x;
        if ((q[0] & q[1] & q[2]) == 0xFF) {  // white between the strokes: no colour lookup
          out[x] = uint8_t(white);
          continue;
        }
        const Color c = rgb(q[0], q[1], q[2]);
        if (c != lastColor) {
          lastIndex = palette.indexOf(c);
          if (lastIndex < 0) return false;
          lastColor = c;
        }
        out[x] = uint8_t(lastIndex);
      }
    }
  }
  return true;
}

// Packs `count` byte indices at Depth bits per pixel, most significant bits first; a partial
// last byte is padded with zero bits. With the depth fixed at compile time the inner loop over a
// byte's pixels unrolls.
template <int Depth>
uint8_t* packPixels(const uint8_t* in, size_t count, uint8_t* out) {
  constexpr size_t kPerByte = 8 / Depth;
  size_t x = 0;
  for (; x + kPerByte <= count; x += kPerByte) {
    unsigned byte = 0;
    for (size_t k = 0; k < kPerByte; ++k) byte = (byte << Depth) | in[x + k];
    *out++ = uint8_t(byte);
  }
  if (x < count) {
    unsigned byte = 0;
    size_t k = 0;
    for (; x < count; ++x, ++k) byte = (byte << Depth) | in[x];
    *out++ = uint8_t(byte << (Depth * (kPerByte - k)));
  }
  return out;
}

// Packs one row. Sixteen pixels of index 0 (white) pack to 2 x Depth zero bytes, written at once.
template <int Depth>
void packRow(const uint8_t* in, size_t width, uint8_t* out) {
  if constexpr (Depth == 8) {
    std::memcpy(out, in, width);
  } else {
    size_t x = 0;
    for (; x + 16 <= width; x += 16) {
      if (sixteenZero(in + x)) {
        std::memset(out, 0, 2 * Depth);
        out += 2 * Depth;
      } else {
        out = packPixels<Depth>(in + x, 16, out);
      }
    }
    packPixels<Depth>(in + x, width - x, out);
  }
}

void packRows(const ByteBuffer& indices, PreparedPng& img) {
  const size_t w = size_t(img.width);
  const size_t perByte = size_t(8 / img.bitDepth);
  img.rowBytes = (w + perByte - 1) / perByte;
  img.rows.resize(img.rowBytes * size_t(img.height));
  for (int y = 0; y < img.height; ++y) {
    const uint8_t* in = indices.data() + size_t(y) * w;
    uint8_t* out = img.rows.data() + size_t(y) * img.rowBytes;
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

// An RGB picture of at most 256 colours as palette indices packed at the smallest depth that
// holds them (palette in first-seen order); false when it has more colours.
bool indexRgb(const Bitmap& bm, PreparedPng& img) {
  // One scratch buffer per thread, kept between pictures.
  thread_local ByteBuffer indices;
  PaletteBuilder palette;
  if (!indexPixels(bm, palette, indices)) return false;
  img.indexed = true;
  for (Color c : palette.colors()) img.palette.push_back({redOf(c), greenOf(c), blueOf(c)});
  const size_t n = img.palette.size();
  img.bitDepth = n <= 2 ? 1 : n <= 4 ? 2 : n <= 16 ? 4 : 8;
  packRows(indices, img);
  return true;
}

std::vector<png_color> pngPalette(const std::vector<PreparedPng::PaletteEntry>& entries) {
  std::vector<png_color> out;
  out.reserve(entries.size());
  for (const auto& e : entries) out.push_back({e.red, e.green, e.blue});
  return out;
}

Encoding encodingOf(const PreparedPng& img) {
  Encoding e;
  e.width = img.width;
  e.height = img.height;
  e.colorType = img.indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB;
  e.bitDepth = img.bitDepth;
  e.rowBytes = img.rowBytes;
  e.rows = img.rows.data();
  if (img.indexed) e.palette = pngPalette(img.palette);
  return e;
}

// An encoding that reads the bitmap's own rows: indexed bitmaps with their palette, RGB as is.
Encoding encodingOfBitmap(const Bitmap& bm) {
  Encoding e;
  e.width = bm.width();
  e.height = bm.height();
  e.rowBytes = bm.stride();
  e.rows = bm.data();
  if (bm.format() == Bitmap::Format::Indexed8) {
    e.colorType = PNG_COLOR_TYPE_PALETTE;
    for (Color c : bm.palette()) e.palette.push_back({redOf(c), greenOf(c), blueOf(c)});
  }
  return e;
}

// Writes a PNG chunk: length, type, data and the CRC of type and data.
void writeChunk(AtomicFile& file, const char (&type)[5], const uint8_t* data, size_t size) {
  const auto bigEndian = [](uint32_t v) {
    return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
  };
  file.write(bigEndian(uint32_t(size)) + std::string(type, 4));
  file.write(std::string_view(reinterpret_cast<const char*>(data), size));
  file.write(bigEndian(libdeflate_crc32(libdeflate_crc32(0, type, 4), data, size)));
}

// The compressor of one level, kept per thread: making one costs more than a small picture.
libdeflate_compressor* compressorOf(int level) {
  struct Kept {
    int level = -1;
    libdeflate_compressor* compressor = nullptr;
    ~Kept() {
      if (compressor) libdeflate_free_compressor(compressor);
    }
  };
  thread_local Kept kept;
  if (kept.level != level) {
    if (kept.compressor) libdeflate_free_compressor(kept.compressor);
    kept.compressor = libdeflate_alloc_compressor(level);
    kept.level = kept.compressor ? level : -1;
  }
  if (!kept.compressor) throw QuiralError("Out of memory");
  return kept.compressor;
}

// The PNG file: signature, header, palette, the image data as one zlib stream of unfiltered rows
// (line drawings compress as well without the filters, and much faster), end.
void writeEncoded(const Encoding& img, const std::string& path, PngOptions options) {
  AtomicFile file(path);
  const size_t lineBytes = img.rowBytes + 1;  // a filter-type byte in front of each row
  // Both buffers are kept per thread: fresh ones cost a page fault per page, each time.
  thread_local ByteBuffer lines, packed;
  lines.resize(lineBytes * size_t(img.height));
  for (size_t y = 0; y < size_t(img.height); ++y) {
    uint8_t* line = lines.data() + y * lineBytes;
    line[0] = 0;  // no filter
    std::memcpy(line + 1, img.rows + y * img.rowBytes, img.rowBytes);
  }
  libdeflate_compressor* compressor = compressorOf(options.fast ? 1 : 6);
  packed.resize(libdeflate_zlib_compress_bound(compressor, lines.size()));
  const size_t packedSize = libdeflate_zlib_compress(compressor, lines.data(), lines.size(),
                                                     packed.data(), packed.size());
  if (packedSize == 0) throw QuiralError(path + ": the picture could not be encoded");

  file.write("\x89PNG\r\n\x1A\n");
  uint8_t header[13] = {};
  for (int i = 0; i < 4; ++i) {
    header[i] = uint8_t(uint32_t(img.width) >> (24 - 8 * i));
    header[4 + i] = uint8_t(uint32_t(img.height) >> (24 - 8 * i));
  }
  header[8] = uint8_t(img.bitDepth);
  header[9] = uint8_t(img.colorType);  // compression, filter method and interlace stay 0
  writeChunk(file, "IHDR", header, sizeof header);
  if (img.colorType == PNG_COLOR_TYPE_PALETTE) {
    std::vector<uint8_t> palette;
    for (const png_color& c : img.palette) palette.insert(palette.end(), {c.red, c.green, c.blue});
    writeChunk(file, "PLTE", palette.data(), palette.size());
  }
  // A chunk holds less than 2 GiB: a larger stream goes on in further IDAT chunks.
  constexpr size_t kChunkBytes = size_t(1) << 30;
  for (size_t at = 0; at < packedSize; at += kChunkBytes)
    writeChunk(file, "IDAT", packed.data() + at, std::min(kChunkBytes, packedSize - at));
  writeChunk(file, "IEND", nullptr, 0);
  // A page-sized picture's buffers are not kept for the thread's whole life.
  if (lines.capacity() > (size_t(64) << 20)) {
    ByteBuffer().swap(lines);
    ByteBuffer().swap(packed);
  }
  file.commit();
}

}  // namespace

PreparedPng preparePng(const Bitmap& bitmap) {
  if (bitmap.empty()) throw QuiralError("Cannot write an empty picture");
  PreparedPng img;
  img.width = bitmap.width();
  img.height = bitmap.height();
  if (bitmap.format() == Bitmap::Format::Rgb24 && indexRgb(bitmap, img)) return img;
  const Encoding own = encodingOfBitmap(bitmap);
  img.indexed = own.colorType == PNG_COLOR_TYPE_PALETTE;
  for (const png_color& c : own.palette) img.palette.push_back({c.red, c.green, c.blue});
  img.rowBytes = own.rowBytes;
  img.rows.assign(own.rows, own.rows + own.rowBytes * size_t(own.height));
  return img;
}

void writePng(const PreparedPng& picture, const std::string& path, PngOptions options) {
  if (picture.width <= 0 || picture.height <= 0)
    throw QuiralError("Cannot write an empty picture to " + path);
  writeEncoded(encodingOf(picture), path, options);
}

void writePng(const Bitmap& bitmap, const std::string& path, PngOptions options) {
  if (bitmap.empty()) throw QuiralError("Cannot write an empty picture to " + path);
  if (bitmap.format() == Bitmap::Format::Rgb24) {
    PreparedPng indexed;
    indexed.width = bitmap.width();
    indexed.height = bitmap.height();
    if (indexRgb(bitmap, indexed)) {
      writeEncoded(encodingOf(indexed), path, options);
      return;
    }
  }
  writeEncoded(encodingOfBitmap(bitmap), path, options);
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
