#include "platform/halftone.h"

namespace quiral {

namespace {

std::array<Color, 256> makePalette() {
  std::array<Color, 256> p{};
  const Color low[10] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                         0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0};
  const Color high[10] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                          0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  for (int i = 0; i < 10; ++i) p[i] = low[i];
  for (int i = 10; i < 246; ++i) {
    p[i] = rgb(uint8_t((i % 8) * 0x20), uint8_t(((i / 8) % 8) * 0x20), uint8_t((i / 64) * 0x40));
  }
  for (int i = 0; i < 10; ++i) p[246 + i] = high[i];
  return p;
}

int squaredDistance(Color a, int r, int g, int b) {
  int dr = int(redOf(a)) - r, dg = int(greenOf(a)) - g, db = int(blueOf(a)) - b;
  return dr * dr + dg * dg + db * db;
}

std::array<uint8_t, 32768> makeTable() {
  const auto& pal = halftonePalette();
  std::array<uint8_t, 32768> table{};
  for (int key = 0; key < 32768; ++key) {
    int r = ((key >> 10) & 31) * 8 + 4;
    int g = ((key >> 5) & 31) * 8 + 4;
    int b = (key & 31) * 8 + 4;
    int best = 0;
    int bestDistance = squaredDistance(pal[0], r, g, b);
    for (int i = 1; i < 256 && bestDistance > 0; ++i) {
      int d = squaredDistance(pal[i], r, g, b);
      if (d < bestDistance) {  // strict: ties keep the lower index
        best = i;
        bestDistance = d;
      }
    }
    table[key] = uint8_t(best);
  }
  return table;
}

inline int tableKey(uint8_t r, uint8_t g, uint8_t b) {
  return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
}

}  // namespace

const std::array<Color, 256>& halftonePalette() {
  static const std::array<Color, 256> palette = makePalette();
  return palette;
}

const std::array<uint8_t, 32768>& halftoneTable() {
  static const std::array<uint8_t, 32768> table = makeTable();
  return table;
}

uint8_t halftoneIndex(Color c) {
  return halftoneTable()[tableKey(redOf(c), greenOf(c), blueOf(c))];
}

Bitmap toHalftone(const Bitmap& source) {
  Bitmap out(source.width(), source.height(), Bitmap::Format::Indexed8);
  if (source.empty()) return out;
  const auto& table = halftoneTable();
  for (int y = 0; y < source.height(); ++y) {
    uint8_t* dst = out.row(y);
    const uint8_t* src = source.row(y);
    if (source.format() == Bitmap::Format::Rgb24) {
      for (int x = 0; x < source.width(); ++x, src += 3)
        dst[x] = table[tableKey(src[0], src[1], src[2])];
    } else {
      for (int x = 0; x < source.width(); ++x) dst[x] = halftoneIndex(source.palette()[src[x]]);
    }
  }
  return out;
}

}  // namespace quiral
