#include "report_engine/elements.h"

#include <algorithm>

namespace quiral {

namespace {

// Designs are tenths of a millimetre on paper: a tenth of a kilometre in either direction is
// far beyond any page and keeps every coordinate sum inside 32 bits.
constexpr int32_t kMaxCoordinate = 1000000;

}  // namespace

void TQRElement::setBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  left_ = std::clamp(left, -kMaxCoordinate, kMaxCoordinate);
  top_ = std::clamp(top, -kMaxCoordinate, kMaxCoordinate);
  width_ = std::clamp(width, 0, kMaxCoordinate);
  height_ = std::clamp(height, 0, kMaxCoordinate);
}

}  // namespace quiral
