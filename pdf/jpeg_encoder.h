#pragma once

#include <string>

#include "platform/bitmap.h"

namespace quiral {

// A baseline colour JPEG (JFIF) of `bitmap` taken as 24-bit RGB (an indexed bitmap through its
// palette), with the encoder's defaults apart from `quality`. An encoder error is thrown as
// QuiralError with the encoder's message; it never ends the process.
std::string encodeJpeg(const Bitmap& bitmap, int quality = 90);

}  // namespace quiral
