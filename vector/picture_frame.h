#pragma once

#include "platform/display_list.h"

namespace quiral {

// Margin around a lone symbol's picture, in library units.
constexpr double kSymbolMargin = 50;

// The area a picture of a display list shows, in library units (y up): its bounds widened by the
// margin and half a line; a 100-unit square round the origin when the list is empty.
struct PictureBox {
  double left = 0;
  double top = 0;  // the largest y
  double width = 0;
  double height = 0;
};

PictureBox pictureBox(const DisplayList& list, double margin);

}  // namespace quiral
