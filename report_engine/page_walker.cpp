#include <cmath>

#include "platform/page_text.h"
#include "platform/screen.h"
#include "report_engine/page_surface.h"
#include "report_engine/text_layout.h"

namespace quiral {

namespace {

// Maps page coordinates (tenths of a millimetre) to device units, on whole units when the surface
// asks for them (rounded to the nearest, as the specified pages always were).
struct DeviceMap {
  double scale;  // device units per tenth of a millimetre
  double dpi;
  int64_t originX;
  int64_t originY;
  bool whole;

  double at(int32_t tenths, int64_t origin) const {
    return whole ? double(std::llround(tenths * scale) - origin) : tenths * scale - double(origin);
  }
  double x(int32_t tenths) const { return at(tenths, originX); }
  double y(int32_t tenths) const { return at(tenths, originY); }
  DeviceBox box(const TenthsRect& r) const {
    return {x(r.left), y(r.top), x(r.right), y(r.bottom)};
  }
  // A length of `pixels` at 96 dpi on the device; at least one unit when units are whole.
  double fromScreenPixels(double pixels) const {
    const double units = pixels * dpi / kScreenDpi;
    return whole ? double(std::max<int64_t>(1, std::llround(units))) : units;
  }
};

// A frame's sides lie inside its box, each as thick as the pen on the device.
void walkFrame(const PageFrame& f, const DeviceMap& map, PageSurface& surface) {
  const DeviceBox r = map.box(f.box);
  const double t = map.fromScreenPixels(f.penWidth);
  const double across = std::min(r.left + t, r.right) - r.left;
  const double down = std::min(r.top + t, r.bottom) - r.top;
  if (f.sides.left) surface.fillBox({r.left, r.top, r.left + across, r.bottom}, f.color);
  if (f.sides.right)
    surface.fillBox({std::max(r.right - t, r.left), r.top, r.right, r.bottom}, f.color);
  if (f.sides.top) surface.fillBox({r.left, r.top, r.right, r.top + down}, f.color);
  if (f.sides.bottom)
    surface.fillBox({r.left, std::max(r.bottom - t, r.top), r.right, r.bottom}, f.color);
}

// A text's cell has its top-left corner at (x, top): the baseline lies the face's ascent below.
void walkText(const PageText& t, FontEngine& fonts, const DeviceMap& map, PageSurface& surface) {
  const DeviceBox clip = map.box(t.clip);
  const double em = pageTextEmTenths(t) * map.scale;
  if (clip.empty() || !(em > 0)) return;
  const double ascent = pageFontMetrics(fonts, t.font, em).ascent;
  surface.drawText(t, t.x * map.scale - double(map.originX),
                   t.top * map.scale - double(map.originY) + ascent, em, clip);
}

// A picture keeps its own size at 96 dpi (its drawing's when it has no pixels), at the box's
// top-left corner or centred in it, and is cut to its box and clip.
void walkPicture(const PagePicture& p, const DeviceMap& map, PageSurface& surface) {
  const bool pixels = p.picture && !p.picture->empty();
  if (!pixels && !p.vectors) return;
  const DeviceBox box = map.box(p.box);
  const double w = map.fromScreenPixels(pixels ? p.picture->width() : p.vectors->width);
  const double h = map.fromScreenPixels(pixels ? p.picture->height() : p.vectors->height);
  double left = box.left, top = box.top;
  if (p.center) {
    const double dx = (box.width() - w) / 2, dy = (box.height() - h) / 2;
    left += map.whole ? std::trunc(dx) : dx;
    top += map.whole ? std::trunc(dy) : dy;
  }
  surface.drawPicture(p, {left, top, left + w, top + h}, box.intersected(map.box(p.clip)));
}

}  // namespace

double pageTextEmTenths(const PageText& text) {
  return text.pointSize > 0 ? text.pointSize * kTenthsPerInch / 72.0 : emTenths(text.font);
}

void walkPage(const PreparedPage& page, FontEngine& fonts, PageSurface& surface,
              const PageDevice& device) {
  if (!(device.dpi > 0) || !std::isfinite(device.dpi)) return;
  const DeviceMap map{device.dpi / kTenthsPerInch, device.dpi, device.originX, device.originY,
                      surface.wholeUnits()};
  for (const PageItem& item : page.items) {
    std::visit(
        [&](const auto& it) {
          using T = std::decay_t<decltype(it)>;
          if constexpr (std::is_same_v<T, PageFill>) {
            surface.fillBox(map.box(it.box), it.color);
          } else if constexpr (std::is_same_v<T, PageFrame>) {
            walkFrame(it, map, surface);
          } else if constexpr (std::is_same_v<T, PageText>) {
            walkText(it, fonts, map, surface);
          } else {
            walkPicture(it, map, surface);
          }
        },
        item);
  }
}

}  // namespace quiral
