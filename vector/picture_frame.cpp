#include "vector/picture_frame.h"

namespace quiral {

PictureBox pictureBox(const DisplayList& list, double margin) {
  const Bounds& b = list.bounds();
  if (b.empty) return {-50 - margin, 50 + margin, 100 + 2 * margin, 100 + 2 * margin};
  const double m = margin + kVectorLineWidth / 2;
  return {b.minX - m, b.maxY + m, b.width() + 2 * m, b.height() + 2 * m};
}

}  // namespace quiral
