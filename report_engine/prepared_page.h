#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/compact_bitmap.h"
#include "platform/display_list.h"
#include "report_engine/report_types.h"

namespace quiral {

// A prepared page is a device-independent display list in tenths of a millimetre, painted in
// order. The same list serves the screen at any zoom, the printer and the export's pictures.

// A filled box (a label's opaque background).
struct PageFill {
  TenthsRect box;
  Color color = colors::kWhite;
};

// Frame lines along chosen sides of a box, drawn inside it. The pen width is in pixels at
// 96 dpi, so a frame is as heavy on paper as on the screen at 100 %.
struct PageFrame {
  TenthsRect box;
  FrameSides sides;
  Color color = colors::kBlack;
  int32_t penWidth = 1;
};

// One line of text with the top-left corner of its cell at (x, top), cut to `clip`.
struct PageText {
  TenthsRect clip;
  int32_t x = 0;
  int32_t top = 0;
  FontSpec font;
  std::string text;
  // A size in points between the font's whole ones (a fine catalog's name shrunk to fit its
  // cell); 0 keeps the font's. Pages of a report design never have one, so a file need not.
  double pointSize = 0;
};

// A picture's drawing as vectors, kept beside its pixels for surfaces that can draw it sharply at
// any resolution (the window's preview and printing, the fine catalogs). A library point (x, y)
// lands at (originX + x * scaleX, originY - y * scaleY) in the picture's own pixels at 96 dpi,
// counted from where the picture is placed; the drawing fills `width` x `height` of them. The
// pixels stay what the specified outputs paint and what a prepared-report file stores, so a page
// read back from a file has no drawing.
struct PictureDrawing {
  DisplayList list;
  double scaleX = 1;
  double scaleY = 1;
  double originX = 0;
  double originY = 0;
  double width = 0;
  double height = 0;
};

// A picture placed at its own size at 96 dpi in `box` (at the top left, or centred), cut to
// `clip`; a picture without pixels takes its drawing's size. Pictures are shared between the pages
// and never change once printed, so they are held compactly: a long catalog keeps thousands of
// them.
struct PagePicture {
  TenthsRect box;
  TenthsRect clip;
  bool center = false;
  std::shared_ptr<const CompactBitmap> picture;
  std::shared_ptr<const PictureDrawing> vectors = nullptr;
};

using PageItem = std::variant<PageFill, PageFrame, PageText, PagePicture>;

struct PreparedPage {
  std::vector<PageItem> items;
};

// Everything a prepared report holds: what the preview shows, the export draws and a
// prepared-report file stores.
struct PreparedReport {
  std::string title;
  int32_t pageWidth = 2100;
  int32_t pageHeight = 2970;
  Orientation orientation = Orientation::Portrait;
  std::vector<std::shared_ptr<const PreparedPage>> pages;
};

}  // namespace quiral
