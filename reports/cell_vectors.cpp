#include "reports/cell_vectors.h"

#include <algorithm>

#include "render/coordinate_map.h"
#include "render/view_crop.h"
#include "reports/cell_picture.h"
#include "vector/picture_frame.h"

namespace quiral {

namespace {

// Shrinks and centres the list's picture box (bounds plus half a line) into the copy's area when
// it reaches past it.
void keepWithin(PictureDrawing& v) {
  const PictureBox box = pictureBox(v.list, 0);
  const double left = v.originX + box.left * v.scaleX, top = v.originY - box.top * v.scaleY;
  const double width = box.width * v.scaleX, height = box.height * v.scaleY;
  if (left >= 0 && top >= 0 && left + width <= v.width && top + height <= v.height) return;
  const double k = std::min({1.0, v.width / width, v.height / height});
  v.scaleX *= k;
  v.scaleY *= k;
  v.originX = (v.width - width * k) / 2 - box.left * v.scaleX;
  v.originY = (v.height - height * k) / 2 + box.top * v.scaleY;
}

}  // namespace

std::shared_ptr<const PictureDrawing> makeCellVectors(const DisplayList& list, const ViewCrop& crop,
                                                      int viewWidth, int viewHeight,
                                                      const CellFit& fit, bool keepInside) {
  if (crop.blank || list.empty() || viewWidth <= kViewMargin || viewHeight <= kViewMargin ||
      fit.width <= 0 || fit.height <= 0)
    return nullptr;
  // The copy stretches view pixels [50, W) onto picture pixels [0, w), each axis on its own.
  const double stretchX = double(fit.width) / (viewWidth - kViewMargin);
  const double stretchY = double(fit.height) / (viewHeight - kViewMargin);
  // A library coordinate lands in the middle of canvas pixel kCanvasOrigin + v / 4.9 (y down).
  const double columnOfOrigin = kCanvasOrigin + 0.5 - double(crop.sourceLeft) - kViewMargin;
  const double rowOfOrigin = kCanvasOrigin + 0.5 - double(crop.sourceTop) - kViewMargin;
  auto vectors = std::make_shared<PictureDrawing>();
  vectors->list = list;
  vectors->scaleX = stretchX / kUnitsPerPixel;
  vectors->scaleY = stretchY / kUnitsPerPixel;
  vectors->originX = columnOfOrigin * stretchX;
  vectors->originY = rowOfOrigin * stretchY;
  vectors->width = fit.width;
  vectors->height = fit.height;
  if (keepInside) keepWithin(*vectors);
  return vectors;
}

}  // namespace quiral
