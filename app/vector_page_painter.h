#pragma once

#include <QPainter>

#include "report_engine/prepared_page.h"

namespace quiral {

class FontEngine;

// Prepared pages painted with QPainter, as vectors, for devices where pixels made at one
// resolution would be blurred or heavy: the preview at any zoom and the printer. This is the
// QPainter surface of the page walker (report_engine/page_surface.h): fills and frames as
// rectangles on whole device pixels, texts as real text in the faces the engine measures with
// (from `fonts`), pictures as their drawing, anti-aliased, where they carry one and as scaled
// pixels otherwise. The page's top-left corner is at the painter's origin shifted by
// (-originX, -originY), and `dpi` device units make an inch. The page is not whitened first.
void paintPageAsVectors(QPainter& painter, FontEngine& fonts, const PreparedPage& page, double dpi,
                        int64_t originX = 0, int64_t originY = 0);

}  // namespace quiral
