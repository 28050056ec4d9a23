#pragma once

#include <cstdint>

#include "platform/bitmap.h"
#include "platform/screen.h"
#include "report_engine/prepared_page.h"

namespace quiral {

class FontEngine;

// Pixels that a length in tenths of a millimetre covers at `dpi`, rounded to the nearest.
int64_t pagePixels(int32_t tenths, double dpi);

// Paints a prepared page onto a 24-bit bitmap at `dpi`. The bitmap shows the part of the page
// whose top-left pixel is (originX, originY) at that resolution, so a view can paint only what
// it shows; the bitmap is whitened first. Text is laid out with unhinted advances and drawn
// antialiased with the fonts of `fonts`; pictures are their pixels scaled from 96 dpi. This is the
// pixel surface of the page walker (page_surface.h): every pixel output goes through it.
void paintPage(FontEngine& fonts, const PreparedPage& page, Bitmap& dst, double dpi,
               int64_t originX = 0, int64_t originY = 0);

}  // namespace quiral
