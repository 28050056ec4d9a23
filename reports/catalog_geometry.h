#pragma once

#include <cstdint>

namespace quiral {

// The geometry of both catalogs, in one table and one unit (tenths of a millimetre, the prepared
// pages' unit): the prepared pages are designed from it and the fine catalogs lay their pages
// and cells out from it (in millimetres, through toMillimetres). A label whose width is 0 sizes
// itself to its text. Font sizes are points.

struct CatalogPlace {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

struct CatalogGeometry {
  int designZoom = 100;  // percent, as the report's design was drawn
  bool duplex = false;
  int32_t margin = 100;  // on all four sides
  // The page header: its band, the heading, the library's name, "Página:" and its number, the
  // date of printing; `ruledHeader` draws a line below it.
  int32_t headerWidth = 0, headerHeight = 0;
  CatalogPlace heading, library, pageCaption, pageNumber, dateTime;
  bool ruledHeader = false;
  int headingSize = 14, librarySize = 12, headerTextSize = 10;
  // One framed cell per component: name, description, aliases and, in the drawings catalog,
  // the unit count, the (never printed) scale and the picture's frame.
  int32_t cellWidth = 0, cellHeight = 0;
  CatalogPlace name, description, aliases, unitCount, scale, picture;
  int nameSize = 10, textSize = 10;
  // The page footer: its band, ruled above, and the program's name and version.
  int32_t footerWidth = 0, footerHeight = 0;
  CatalogPlace footerText;
  int footerTextSize = 8;
};

constexpr CatalogGeometry kDrawingsCatalogGeometry{
    .designZoom = 80,
    .duplex = true,
    .headerWidth = 1902,
    .headerHeight = 165,
    .heading = {562, 33},
    .library = {615, 103},
    .pageCaption = {1597, 106},
    .pageNumber = {1740, 99},
    .dateTime = {33, 106},
    .cellWidth = 949,
    .cellHeight = 814,
    .name = {17, 3},
    .description = {281, 36, 655, 116},
    .aliases = {17, 86, 225, 708},
    .unitCount = {314, 149},
    .scale = {609, 149},
    .picture = {258, 192, 645, 592},
    .footerWidth = 1902,
    .footerHeight = 89,
    .footerText = {926, 20},
};

constexpr CatalogGeometry kListCatalogGeometry{
    .headerWidth = 1900,
    .headerHeight = 156,
    .heading = {659, 34},
    .library = {728, 98},
    .pageCaption = {1598, 106},
    .pageNumber = {1738, 101},
    .dateTime = {32, 106},
    .ruledHeader = true,
    .cellWidth = 950,
    .cellHeight = 93,
    .name = {16, 3},
    .description = {291, 3, 648, 45},
    .aliases = {108, 48, 823, 40},
    .unitCount = {},  // the list catalog has neither unit count nor picture
    .scale = {},
    .picture = {},
    .nameSize = 8,
    .textSize = 8,
    .footerWidth = 1900,
    .footerHeight = 106,
    .footerText = {926, 21},
};

constexpr double toMillimetres(int32_t tenths) {
  return double(tenths) / 10;
}

}  // namespace quiral
