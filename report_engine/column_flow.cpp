#include "report_engine/column_flow.h"

#include <algorithm>

namespace quiral {

namespace {
// Lengths in millimetres are sums of decimals: a cell that fits exactly must not move on.
constexpr double kTolerance = 1e-9;
}  // namespace

ColumnFlow::ColumnFlow(int columns, double room) : columns_(std::max(columns, 1)), room_(room) {}

void ColumnFlow::setRoom(double room, double limit) {
  room_ = room;
  limit_ = limit;
}

void ColumnFlow::nextPage() {
  ++page_;
  column_ = 0;
  filled_ = floor_ = lowest_ = 0;
  fresh_ = true;
}

ColumnFlow::Slot ColumnFlow::moveOn(double height) {
  if (!fresh_ && filled_ + height > room_ + kTolerance) {
    if (column_ + 1 < columns_) {
      ++column_;
      filled_ = floor_;
      fresh_ = floor_ == 0;
    } else {
      nextPage();
    }
  }
  return {page_, column_, filled_};
}

void ColumnFlow::fill(double height) {
  used_ = true;
  fresh_ = false;
  filled_ = std::min(filled_ + height, limit_);
  lowest_ = std::max(lowest_, filled_);
}

ColumnFlow::Slot ColumnFlow::place(double height) {
  const Slot slot = moveOn(height);
  fill(height);
  return slot;
}

ColumnFlow::Slot ColumnFlow::placeAcross(double height) {
  double top = std::max(lowest_, filled_);
  if (used_ && top > 0 && top + height > room_ + kTolerance) {
    nextPage();
    top = 0;
  }
  used_ = true;
  column_ = 0;
  filled_ = floor_ = lowest_ = top + height;
  fresh_ = false;
  return {page_, 0, top};
}

}  // namespace quiral
