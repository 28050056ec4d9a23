#pragma once

#include <cstdint>
#include <string>

namespace quiral {

// Where a placed picture lands on the page, in points: its drawn width and height, and the
// position of its bottom-left corner (y counted upwards from the page's bottom edge).
struct ImagePlacement {
  int32_t width = 0;
  int32_t height = 0;
  int32_t x = 0;
  int32_t y = 0;
};

// The picture is taken to span 10 x 11.9 inches on a portrait page (narrower than tall) and
// 13 x 8 inches otherwise, at `dpiX` x `dpiY` pixels per inch, and that area is mapped onto the
// page. Sizes are truncated towards zero; a picture taller than the room below `top` gets a
// negative y. Throws QuiralError when a result does not fit in 32 bits.
ImagePlacement placeImage(int32_t pageWidth, int32_t pageHeight, double dpiX, double dpiY,
                          int pixelWidth, int pixelHeight, int32_t left, int32_t top);

// The four content lines that draw image `n` at `p`: q, the matrix, the Do, Q.
std::string imageOperators(const ImagePlacement& p, int32_t n);

}  // namespace quiral
