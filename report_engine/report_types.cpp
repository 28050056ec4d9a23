#include "report_engine/report_types.h"

namespace quiral {

namespace {

int32_t clampLength(int32_t v) {
  return std::clamp<int32_t>(v, 1, kMaxPageLength);
}

}  // namespace

void paperDimensions(PaperSize paper, int32_t& width, int32_t& height) {
  switch (paper) {
    case PaperSize::A3:
      width = 2970, height = 4200;
      return;
    case PaperSize::A5:
      width = 1480, height = 2100;
      return;
    case PaperSize::Letter:
      width = 2159, height = 2794;
      return;
    case PaperSize::Legal:
      width = 2159, height = 3556;
      return;
    case PaperSize::A4:
    case PaperSize::Custom:
      break;
  }
  width = 2100, height = 2970;
}

int32_t PageSetup::pageWidth() const {
  int32_t w = customWidth, h = customHeight;
  if (paper != PaperSize::Custom) paperDimensions(paper, w, h);
  return clampLength(orientation == Orientation::Landscape ? h : w);
}

int32_t PageSetup::pageHeight() const {
  int32_t w = customWidth, h = customHeight;
  if (paper != PaperSize::Custom) paperDimensions(paper, w, h);
  return clampLength(orientation == Orientation::Landscape ? w : h);
}

}  // namespace quiral
