#pragma once

#include <cairo.h>

#include "report_engine/prepared_page.h"

namespace quiral {

class FontEngine;

// The page walker's cairo surface (report_engine/page_surface.h): `page` drawn on `cr` with `dpi`
// device units an inch (72 for a PDF page, whose units are points) and its top-left corner at the
// context's origin. Fills and frames are rectangles at their exact places, texts real text in the
// faces the engine measures with (searchable in a PDF), pictures their drawing where they carry
// one (strokes at least `minLineWidth` device units) and their scaled pixels otherwise, each cut
// to its box. Leaves the cairo state as it found it.
void drawPageWithCairo(cairo_t* cr, FontEngine& fonts, const PreparedPage& page, double dpi,
                       double minLineWidth = 0.25);

}  // namespace quiral
