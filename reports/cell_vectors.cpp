#include "reports/cell_vectors.h"

#include "render/coordinate_map.h"
#include "render/view_crop.h"
#include "reports/cell_picture.h"

namespace quiral {

std::shared_ptr<const CellVectors> makeCellVectors(const DisplayList& list, const ViewCrop& crop,
                                                   int viewWidth, int viewHeight,
                                                   const CellFit& fit) {
  if (crop.blank || list.empty() || viewWidth <= kViewMargin || viewHeight <= kViewMargin ||
      fit.width <= 0 || fit.height <= 0)
    return nullptr;
  // The copy stretches view pixels [50, W) onto picture pixels [0, w), each axis on its own.
  const double stretchX = double(fit.width) / (viewWidth - kViewMargin);
  const double stretchY = double(fit.height) / (viewHeight - kViewMargin);
  // A library coordinate lands in the middle of canvas pixel kCanvasOrigin + v / 4.9 (y down).
  const double columnOfOrigin = kCanvasOrigin + 0.5 - double(crop.sourceLeft) - kViewMargin;
  const double rowOfOrigin = kCanvasOrigin + 0.5 - double(crop.sourceTop) - kViewMargin;
  auto vectors = std::make_shared<CellVectors>();
  vectors->list = list;
  vectors->scaleX = stretchX / kUnitsPerPixel;
  vectors->scaleY = stretchY / kUnitsPerPixel;
  vectors->originX = columnOfOrigin * stretchX;
  vectors->originY = rowOfOrigin * stretchY;
  vectors->width = fit.width;
  vectors->height = fit.height;
  return vectors;
}

}  // namespace quiral
