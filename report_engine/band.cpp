#include "report_engine/band.h"

#include <algorithm>

namespace quiral {

namespace {

constexpr int32_t kMaxBandLength = 100000;

}  // namespace

TQRBand::TQRBand(std::string name, BandType type, int32_t width, int32_t height)
    : name_(std::move(name)), type_(type) {
  setSize(width, height);
}

void TQRBand::setSize(int32_t width, int32_t height) {
  width_ = std::clamp(width, 0, kMaxBandLength);
  height_ = std::clamp(height, 0, kMaxBandLength);
}

template <typename T>
T& TQRBand::adopt(std::unique_ptr<T> element) {
  T& ref = *element;
  elements_.push_back(std::move(element));
  return ref;
}

TQRLabel& TQRBand::addLabel(std::string name, int32_t left, int32_t top, int32_t width,
                            int32_t height) {
  auto label = std::make_unique<TQRLabel>(std::move(name));
  label->setBounds(left, top, width, height);
  // A label given a size keeps it; one without sizes itself to its text.
  label->setAutoSize(width <= 0 && height <= 0);
  return adopt(std::move(label));
}

TQRSysData& TQRBand::addSysData(std::string name, TQRSysData::Data data, int32_t left,
                                int32_t top) {
  auto sysData = std::make_unique<TQRSysData>(std::move(name), data);
  sysData->setBounds(left, top, 0, 0);
  return adopt(std::move(sysData));
}

TQRImage& TQRBand::addImage(std::string name, int32_t left, int32_t top, int32_t width,
                            int32_t height) {
  auto image = std::make_unique<TQRImage>(std::move(name));
  image->setBounds(left, top, width, height);
  return adopt(std::move(image));
}

TQRElement* TQRBand::findElement(const std::string& name) const {
  for (const auto& e : elements_)
    if (e->name() == name) return e.get();
  return nullptr;
}

}  // namespace quiral
