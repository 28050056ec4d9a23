#pragma once

#include <cstdint>

namespace quiral {

// A colour as 0xRRGGBB.
using Color = uint32_t;

constexpr Color rgb(uint8_t r, uint8_t g, uint8_t b) {
  return (Color(r) << 16) | (Color(g) << 8) | Color(b);
}
constexpr uint8_t redOf(Color c) {
  return uint8_t(c >> 16);
}
constexpr uint8_t greenOf(Color c) {
  return uint8_t(c >> 8);
}
constexpr uint8_t blueOf(Color c) {
  return uint8_t(c);
}

namespace colors {
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kTeal = 0x008080;
constexpr Color kOlive = 0x808000;
constexpr Color kBlue = 0x0000FF;
}  // namespace colors

}  // namespace quiral
