#include "app/bitmap_image.h"

namespace quiral {

QImage toQImage(const Bitmap& bitmap) {
  if (bitmap.empty()) return QImage();
  if (bitmap.format() == Bitmap::Format::Rgb24) {
    const QImage view(bitmap.data(), bitmap.width(), bitmap.height(), qsizetype(bitmap.stride()),
                      QImage::Format_RGB888);
    return view.copy();
  }
  QImage image(bitmap.data(), bitmap.width(), bitmap.height(), qsizetype(bitmap.stride()),
               QImage::Format_Indexed8);
  QList<QRgb> table;
  table.reserve(256);
  for (Color c : bitmap.palette()) table.push_back(qRgb(redOf(c), greenOf(c), blueOf(c)));
  image.setColorTable(table);
  return image.copy();
}

}  // namespace quiral
