#pragma once

#include <QImage>
#include <QPainter>

#include "platform/display_list.h"

namespace quiral {

// Draws a display list with QPainter on any paint device (screen, image, printer): a library
// point (x, y) lands at (x * scale + originX, originY - y * scale) device units. Strokes are the
// vector pictures' line width, never thinner than one device unit; texts are real text in the
// face they were measured with, at their measured size.
void paintDisplayList(QPainter& painter, const DisplayList& list, double scale, double originX,
                      double originY);

// The list as an anti-aliased picture on white at `pixelsPerUnit`, framed like the vector files
// (bounds plus `marginUnits`); a null image when it would exceed `maxSide` pixels a side.
QImage displayListImage(const DisplayList& list, double pixelsPerUnit, double marginUnits,
                        int maxSide = 16384);

}  // namespace quiral
