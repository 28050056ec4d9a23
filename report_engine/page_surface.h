#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/color.h"
#include "report_engine/prepared_page.h"

namespace quiral {

class FontEngine;

// A box in a surface's device units (pixels, printer dots, points), right and bottom excluded.
struct DeviceBox {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;

  double width() const { return right - left; }
  double height() const { return bottom - top; }
  bool empty() const { return !(right > left && bottom > top); }
  DeviceBox intersected(const DeviceBox& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
  }
  friend bool operator==(const DeviceBox&, const DeviceBox&) = default;
};

// Where a page lands on a surface: `dpi` device units make an inch and the page's top-left corner
// is at (-originX, -originY), so a view can draw only the part it shows.
struct PageDevice {
  double dpi = 96;
  int64_t originX = 0;
  int64_t originY = 0;
};

// What a prepared page is drawn on. The walker decides everything about a page's items (a frame's
// thickness and sides, a text's baseline, a picture's size, place and cut) and hands a surface
// only device boxes and points; a surface knows how to fill, write and copy on its device.
class PageSurface {
 public:
  virtual ~PageSurface() = default;
  // Whether boxes fall on whole device units (the pixel pages, whose bytes are specified, and
  // the screen, where a hairline must cover a whole pixel).
  virtual bool wholeUnits() const = 0;
  virtual void fillBox(const DeviceBox& box, Color color) = 0;
  // One line of `text` with its baseline starting at (x, baseline), an em of `em` units, cut to
  // `clip`.
  virtual void drawText(const PageText& text, double x, double baseline, double em,
                        const DeviceBox& clip) = 0;
  // A picture placed on `placed` (its pixels' extent; its drawing's origin is that corner), cut
  // to `clip`. A surface draws the drawing when it can and carries one, else the pixels.
  virtual void drawPicture(const PagePicture& picture, const DeviceBox& placed,
                           const DeviceBox& clip) = 0;
};

// Walks the page's items in order and sends each to the surface. Text is measured with `fonts`
// (the Windows ascent of the engine's face puts the baseline), whatever face the surface writes.
void walkPage(const PreparedPage& page, FontEngine& fonts, PageSurface& surface,
              const PageDevice& device);

// The em of a page text in tenths of a millimetre.
double pageTextEmTenths(const PageText& text);

}  // namespace quiral
