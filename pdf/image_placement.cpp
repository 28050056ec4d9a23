#include "pdf/image_placement.h"

#include <cmath>

#include "pdf/pdf_syntax.h"
#include "platform/error.h"

namespace quiral {

namespace {

int32_t toPoints(double value) {
  double whole = std::trunc(value);
  if (!(whole >= INT32_MIN && whole <= INT32_MAX))
    throw QuiralError("The picture does not fit on a PDF page");
  return int32_t(whole);
}

}  // namespace

ImagePlacement placeImage(int32_t pageWidth, int32_t pageHeight, double dpiX, double dpiY,
                          int pixelWidth, int pixelHeight, int32_t left, int32_t top) {
  const bool portrait = pageWidth < pageHeight;
  const double spanX = portrait ? 10.0 : 13.0;
  const double spanY = portrait ? 11.9 : 8.0;
  const double sx = double(pageWidth) / (spanX * dpiX);
  const double sy = double(pageHeight) / (spanY * dpiY);
  ImagePlacement p;
  p.width = toPoints(pixelWidth * sx);
  p.height = toPoints(pixelHeight * sy);
  p.x = left;
  p.y = toPoints(double(pageHeight) - double(top) - double(p.height));
  return p;
}

std::string imageOperators(const ImagePlacement& p, int32_t n) {
  using pdf_syntax::appendNumber;
  std::string s = "q\r\n";
  appendNumber(s, p.width);
  s += " 0 0 ";
  appendNumber(s, p.height);
  s += ' ';
  appendNumber(s, p.x);
  s += ' ';
  appendNumber(s, p.y);
  s += " cm\r\n/Im";
  appendNumber(s, n);
  s += " Do\r\nQ\r\n";
  return s;
}

}  // namespace quiral
