#include "reports/fine_page_items.h"

#include <cmath>
#include <memory>

#include "platform/screen.h"
#include "reports/cairo_page_surface.h"
#include "vector/picture_frame.h"

// g++ 12 takes the other kinds of a page item for uninitialised when the vector of items grows
// (a known false alarm of its variant moves).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace quiral {

namespace {

constexpr double kTenthsPerMm = 10;
constexpr double kPixelsPerMm = kScreenDpi / 25.4;  // a picture's own pixels are 96 dpi

int32_t tenths(double mm) {
  return int32_t(std::lround(mm * kTenthsPerMm));
}

TenthsRect tenthsBox(double left, double top, double width, double height) {
  return {tenths(left), tenths(top), tenths(left + width), tenths(top + height)};
}

void addFrame(PreparedPage& page, const TenthsRect& box, FrameSides sides) {
  page.items.push_back(PageFrame{box, sides});
}

}  // namespace

FinePageItems::FinePageItems(const FinePage& page)
    : pageBox_(tenthsBox(0, 0, page.width, page.height)) {}

void FinePageItems::text(const FineText& text, double left, double top) {
  if (text.utf8.empty()) return;
  PageText item;
  item.clip = pageBox_;
  item.x = tenths(left + text.left);
  item.top = tenths(top + text.top);
  item.font.pointSize = int(std::lround(text.size));
  item.font.bold = text.bold;
  item.font.color = text.color;
  item.text = text.utf8;
  item.pointSize = text.size;
  page_.items.push_back(std::move(item));
}

void FinePageItems::frame(double left, double top, double width, double height) {
  addFrame(page_, tenthsBox(left, top, width, height), FrameSides::all());
}

void FinePageItems::rule(double x0, double y, double x1) {
  // The box only has to be deeper than the pen: its top side is the line.
  page_.items.push_back(
      PageFrame{tenthsBox(x0, y, x1 - x0, 1), FrameSides{false, true, false, false}});
}

void FinePageItems::picture(const DisplayList& list, const FineRect& where, double scale,
                            const FineRect& cut, double left, double top) {
  // Placed at the cut's corner, which the fit keeps everything inside; the cut also keeps
  // thickened hairlines there.
  PagePicture item;
  item.box = tenthsBox(left + cut.left, top + cut.top, cut.width, cut.height);
  item.clip = item.box;
  auto drawing = std::make_shared<PictureDrawing>();
  const PictureBox box = pictureBox(list, 0);
  drawing->scaleX = drawing->scaleY = scale * kPixelsPerMm;
  // From the placed corner (in whole tenths) to the picture's own corner.
  const double dx = left + where.left - item.box.left / kTenthsPerMm;
  const double dy = top + where.top - item.box.top / kTenthsPerMm;
  drawing->originX = dx * kPixelsPerMm - box.left * drawing->scaleX;
  drawing->originY = dy * kPixelsPerMm + box.top * drawing->scaleY;
  drawing->width = cut.width * kPixelsPerMm;
  drawing->height = cut.height * kPixelsPerMm;
  drawing->list = list;
  item.vectors = std::move(drawing);
  page_.items.push_back(std::move(item));
}

void FinePageItems::drawOn(cairo_t* cr, FontEngine& fonts) {
  drawPageWithCairo(cr, fonts, page_, 72.0);
  page_.items.clear();
}

}  // namespace quiral
