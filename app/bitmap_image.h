#pragma once

#include <QColor>
#include <QImage>

#include "platform/bitmap.h"
#include "platform/color.h"

namespace quiral {

// A copy of a core bitmap as a Qt image (24-bit RGB, or 8-bit indexed with its palette).
QImage toQImage(const Bitmap& bitmap);

// A core colour as a Qt colour.
inline QColor toQColor(Color c) {
  return QColor(redOf(c), greenOf(c), blueOf(c));
}

}  // namespace quiral
