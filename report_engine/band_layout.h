#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report_engine/band.h"
#include "report_engine/prepared_page.h"
#include "report_engine/text_layout.h"

namespace quiral {

// What a band's elements print besides their own settings.
struct BandContext {
  const TextMeasurer* measurer = nullptr;
  FontSpec defaultFont;
  int pageNumber = 1;
  std::string dateTime;
};

// A band laid out at the origin: its height after growing labels stretched it, and its items in
// band coordinates.
struct BandLayout {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<PageItem> items;
};

BandLayout layoutBand(const TQRBand& band, const BandContext& context);

// Adds the band's items to the page with the band's top-left corner at (x, y). Everything is cut
// to the band and to `area`; items cut away entirely are left out.
void placeBand(const BandLayout& band, int32_t x, int32_t y, const TenthsRect& area,
               PreparedPage& page);

}  // namespace quiral
