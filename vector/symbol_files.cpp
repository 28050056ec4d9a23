#include "vector/symbol_files.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <cmath>
#include <string_view>

#include "platform/error.h"
#include "platform/file_io.h"
#include "vector/cairo_player.h"
#include "vector/picture_frame.h"
#include "vector/svg_writer.h"

namespace quiral {

namespace {

cairo_status_t appendToString(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

void check(cairo_status_t status, const char* what) {
  if (status != CAIRO_STATUS_SUCCESS)
    throw QuiralError(std::string(what) + ": " + cairo_status_to_string(status));
}

}  // namespace

std::string symbolPdf(const DisplayList& list, const std::string& title) {
  const PictureBox box = pictureBox(list, kSymbolMargin);
  std::string bytes;
  cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(
      appendToString, &bytes, box.width * kPointsPerUnit, box.height * kPointsPerUnit);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, title.c_str());
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Quiral");
  cairo_t* cr = cairo_create(surface);
  PlayTransform t{kPointsPerUnit, -box.left * kPointsPerUnit, box.top * kPointsPerUnit};
  playDisplayList(cr, list, t);
  cairo_show_page(cr);
  const cairo_status_t drawn = cairo_status(cr);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const cairo_status_t finished = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  check(drawn, "PDF drawing failed");
  check(finished, "PDF writing failed");
  return bytes;
}

std::string symbolPng(const DisplayList& list, double scale) {
  if (!(scale > 0) || !std::isfinite(scale)) throw QuiralError("the scale must be above 0");
  const PictureBox box = pictureBox(list, kSymbolMargin);
  const double pixelsPerUnit = scale / 4.9;
  const double w = std::ceil(box.width * pixelsPerUnit), h = std::ceil(box.height * pixelsPerUnit);
  if (w > kMaxRasterSide || h > kMaxRasterSide)
    throw QuiralError("the picture would be larger than 16384 pixels a side");
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(1, int(w)), std::max(1, int(h)));
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  PlayTransform t{pixelsPerUnit, -box.left * pixelsPerUnit, box.top * pixelsPerUnit};
  playDisplayList(cr, list, t, 1.0);
  const cairo_status_t drawn = cairo_status(cr);
  cairo_destroy(cr);
  std::string bytes;
  const cairo_status_t written =
      drawn == CAIRO_STATUS_SUCCESS
          ? cairo_surface_write_to_png_stream(surface, appendToString, &bytes)
          : drawn;
  cairo_surface_destroy(surface);
  check(written, "PNG drawing failed");
  return bytes;
}

void writeSymbolSvg(const DisplayList& list, const std::string& path) {
  writeFileAtomically(path, symbolSvg(list, kSymbolMargin));
}

void writeSymbolPdf(const DisplayList& list, const std::string& path, const std::string& title) {
  writeFileAtomically(path, symbolPdf(list, title));
}

void writeSymbolPng(const DisplayList& list, const std::string& path, double scale) {
  writeFileAtomically(path, symbolPng(list, scale));
}

}  // namespace quiral
