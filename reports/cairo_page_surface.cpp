#include "reports/cairo_page_surface.h"

#include <cstdint>

#include "platform/font_engine.h"
#include "platform/screen.h"
#include "platform/text_codec.h"
#include "report_engine/page_surface.h"
#include "vector/cairo_player.h"

namespace quiral {

namespace {

void setColor(cairo_t* cr, Color c) {
  cairo_set_source_rgb(cr, redOf(c) / 255.0, greenOf(c) / 255.0, blueOf(c) / 255.0);
}

void clipTo(cairo_t* cr, const DeviceBox& box) {
  cairo_rectangle(cr, box.left, box.top, box.width(), box.height());
  cairo_clip(cr);
}

// A 24-bit picture as a cairo image (0x00RRGGBB words); null when cairo cannot hold it.
cairo_surface_t* cairoImage(const Bitmap& src) {
  cairo_surface_t* image =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, src.width(), src.height());
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(image);
    return nullptr;
  }
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < src.height(); ++y) {
    const uint8_t* in = src.row(y);
    auto* out = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
    for (int x = 0; x < src.width(); ++x, in += 3)
      out[x] = (uint32_t(in[0]) << 16) | (uint32_t(in[1]) << 8) | in[2];
  }
  cairo_surface_mark_dirty(image);
  return image;
}

class CairoPageSurface final : public PageSurface {
 public:
  CairoPageSurface(cairo_t* cr, FontEngine& fonts, double dpi, double minLineWidth)
      : cr_(cr), fonts_(fonts), perPixel_(dpi / kScreenDpi), minLineWidth_(minLineWidth) {}

  bool wholeUnits() const override { return false; }

  void fillBox(const DeviceBox& box, Color color) override {
    if (box.empty()) return;
    setColor(cr_, color);
    cairo_rectangle(cr_, box.left, box.top, box.width(), box.height());
    cairo_fill(cr_);
  }

  void drawText(const PageText& t, double x, double baseline, double em,
                const DeviceBox& clip) override {
    const std::string utf8 = displayText(t.text);
    if (utf8.empty()) return;
    cairo_save(cr_);
    clipTo(cr_, clip);
    // Unrounded advances, as the engine measures (an image surface would round them).
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr_, options);
    cairo_font_options_destroy(options);
    cairo_select_font_face(cr_, fonts_.face(t.font.face, t.font.bold).familyName().c_str(),
                           CAIRO_FONT_SLANT_NORMAL,
                           t.font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, em);
    setColor(cr_, t.font.color);
    cairo_move_to(cr_, x, baseline);
    cairo_show_text(cr_, utf8.c_str());
    cairo_restore(cr_);
  }

  void drawPicture(const PagePicture& p, const DeviceBox& placed, const DeviceBox& clip) override {
    if (clip.empty()) return;
    cairo_save(cr_);
    clipTo(cr_, clip);
    if (p.vectors) {
      const PictureDrawing& v = *p.vectors;
      // One axis may be stretched a little more than the other, as the view's copy stretches it.
      cairo_translate(cr_, placed.left + v.originX * perPixel_, placed.top + v.originY * perPixel_);
      cairo_scale(cr_, 1.0, v.scaleY / v.scaleX);
      playDisplayList(cr_, v.list, {v.scaleX * perPixel_, 0, 0}, minLineWidth_);
    } else if (cairo_surface_t* image = cairoImage(p.picture->toBitmap())) {
      cairo_translate(cr_, placed.left, placed.top);
      cairo_scale(cr_, placed.width() / p.picture->width(), placed.height() / p.picture->height());
      cairo_set_source_surface(cr_, image, 0, 0);
      cairo_paint(cr_);
      cairo_surface_destroy(image);
    }
    cairo_restore(cr_);
  }

 private:
  cairo_t* cr_;
  FontEngine& fonts_;
  double perPixel_;  // device units per picture pixel
  double minLineWidth_;
};

}  // namespace

void drawPageWithCairo(cairo_t* cr, FontEngine& fonts, const PreparedPage& page, double dpi,
                       double minLineWidth) {
  CairoPageSurface surface(cr, fonts, dpi, minLineWidth);
  cairo_save(cr);
  walkPage(page, fonts, surface, {dpi, 0, 0});
  cairo_restore(cr);
}

}  // namespace quiral
