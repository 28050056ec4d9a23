#pragma once

#include <cairo.h>

#include "platform/display_list.h"
#include "report_engine/prepared_page.h"
#include "reports/fine_layout.h"

namespace quiral {

class FontEngine;

// The fine catalogs' pages as the items of a prepared page: the layout's millimetres and points
// become tenths of a millimetre (a length's part below a tenth goes into its picture's origin),
// and the page walker's cairo surface draws them, so a fine page follows the rules of every page
// (frames inside their box at the pages' pen, baselines from the face's ascent, pictures placed and
// cut as the preview places and cuts them). Positions are millimetres from the page's top-left
// corner, each cell's items given from the cell's corner (`left`, `top`).
class FinePageItems {
 public:
  explicit FinePageItems(const FinePage& page);

  void text(const FineText& text, double left, double top);
  // A frame round the box (its lines inside it).
  void frame(double left, double top, double width, double height);
  // A horizontal line from x0 to x1 with its top at y.
  void rule(double x0, double y, double x1);
  // `list`'s picture box drawn into `where` at `scale` millimetres per library unit, cut to `cut`.
  void picture(const DisplayList& list, const FineRect& where, double scale, const FineRect& cut,
               double left, double top);

  // Draws the items gathered since the last call on `cr`, whose units are points, and forgets them.
  void drawOn(cairo_t* cr, FontEngine& fonts);

 private:
  TenthsRect pageBox_;
  PreparedPage page_;
};

}  // namespace quiral
