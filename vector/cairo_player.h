#pragma once

#include <cairo.h>

#include "platform/display_list.h"

namespace quiral {

// Where a display list lands on a cairo surface: device = (x * scale + originX,
// originY - y * scale), so library y up becomes device y down.
struct PlayTransform {
  double scale = 1;
  double originX = 0;
  double originY = 0;
};

// Draws a display list with cairo: strokes of kVectorLineWidth units (at least `minLineWidth`
// device units), background fills in white, texts as real text in the face they were measured
// with. Leaves the cairo state as it found it.
void playDisplayList(cairo_t* cr, const DisplayList& list, const PlayTransform& t,
                     double minLineWidth = 0);

}  // namespace quiral
