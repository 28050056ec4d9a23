#pragma once

#include <QImage>

#include "platform/bitmap.h"

namespace quiral {

// A copy of a core bitmap as a Qt image (24-bit RGB, or 8-bit indexed with its palette).
QImage toQImage(const Bitmap& bitmap);

}  // namespace quiral
