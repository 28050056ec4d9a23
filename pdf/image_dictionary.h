#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/color.h"

namespace quiral {

// The colour table of an indexed image: for each of the 256 entries its red, green and blue as
// two uppercase hexadecimal digits each, then a blank (1792 characters).
std::string paletteText(const std::array<Color, 256>& palette);

// The dictionary lines of image /Im<n> up to and including the line "stream": 8-bit palette
// indices, Flate-compressed when `compressed`, with `length` bytes of stream data.
std::string indexedImageDictionary(int width, int height, const std::array<Color, 256>& palette,
                                   size_t length, int32_t n, bool compressed);

// The same for a JPEG image of `length` bytes.
std::string jpegImageDictionary(int width, int height, size_t length, int32_t n);

}  // namespace quiral
