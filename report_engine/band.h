#pragma once

#include <memory>
#include <string>
#include <vector>

#include "report_engine/elements.h"
#include "report_engine/report_types.h"

namespace quiral {

// A horizontal strip of a report: a page header, a detail cell or a page footer, with the
// elements placed on it. Width and height are tenths of a millimetre.
class TQRBand {
 public:
  TQRBand(std::string name, BandType type, int32_t width, int32_t height);
  TQRBand(const TQRBand&) = delete;
  TQRBand& operator=(const TQRBand&) = delete;

  const std::string& name() const { return name_; }
  BandType type() const { return type_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  void setSize(int32_t width, int32_t height);

  FrameSides frame() const { return frame_; }
  void setFrame(FrameSides sides) { frame_ = sides; }

  // Adds an element placed at (left, top) with the given size; the band owns it.
  TQRLabel& addLabel(std::string name, int32_t left, int32_t top, int32_t width = 0,
                     int32_t height = 0);
  TQRSysData& addSysData(std::string name, TQRSysData::Data data, int32_t left, int32_t top);
  TQRImage& addImage(std::string name, int32_t left, int32_t top, int32_t width, int32_t height);

  const std::vector<std::unique_ptr<TQRElement>>& elements() const { return elements_; }
  TQRElement* findElement(const std::string& name) const;

 private:
  template <typename T>
  T& adopt(std::unique_ptr<T> element);

  std::string name_;
  BandType type_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  FrameSides frame_;
  std::vector<std::unique_ptr<TQRElement>> elements_;
};

}  // namespace quiral
