// The picture placements of TPrintPDF: the only drawing a page can receive.
#include <string_view>

#include "pdf/compression_stream.h"
#include "pdf/image_dictionary.h"
#include "pdf/image_placement.h"
#include "pdf/jpeg_encoder.h"
#include "pdf/print_pdf.h"
#include "platform/file_io.h"
#include "platform/halftone.h"
#include "platform/screen.h"

namespace quiral {

// The operators go into the open page; the image object is spooled to a file because the
// page's content object occupies the object buffer until the page is closed.
void TPrintPDF::placeOnPage(int32_t left, int32_t top, const Bitmap& bitmap) {
  if (bitmap.empty()) throw QuiralError("An empty picture cannot be placed on a PDF page");
  const double dpi = screenPixelsPerInch();
  ImagePlacement p =
      placeImage(PageWidth, PageHeight, dpi, dpi, bitmap.width(), bitmap.height(), left, top);
  ++imageCount_;
  contentBuffer_ += imageOperators(p, imageCount_);
}

void TPrintPDF::spoolImage(int n, std::string_view dictionary, std::string_view data) {
  imageBuffer_.clear();
  imageBuffer_.reserve(dictionary.size() + data.size());
  imageBuffer_ += dictionary;
  imageBuffer_ += data;
  writeWholeFile(spoolPath(n), imageBuffer_);
  imageBuffer_.clear();
}

void TPrintPDF::DrawBitmap(int32_t left, int32_t top, Bitmap& bitmap) {
  placeOnPage(left, top, bitmap);
  if (bitmap.format() != Bitmap::Format::Indexed8) bitmap = toHalftone(bitmap);
  // Rows are packed without fill bytes, so the pixel data is the raw image as it stands.
  std::string_view raw(reinterpret_cast<const char*>(bitmap.data()),
                       size_t(bitmap.width()) * size_t(bitmap.height()));
  std::string compressed;
  if (Compress) compressInto(compressed, raw);
  std::string_view data = Compress ? std::string_view(compressed) : raw;
  spoolImage(imageCount_,
             indexedImageDictionary(bitmap.width(), bitmap.height(), bitmap.palette(), data.size(),
                                    imageCount_, Compress),
             data);
}

void TPrintPDF::DrawBitmapJPEG(int32_t left, int32_t top, const Bitmap& bitmap) {
  placeOnPage(left, top, bitmap);
  const std::string jpeg = encodeJpeg(bitmap, 90);
  spoolImage(imageCount_,
             jpegImageDictionary(bitmap.width(), bitmap.height(), jpeg.size(), imageCount_), jpeg);
}

}  // namespace quiral
