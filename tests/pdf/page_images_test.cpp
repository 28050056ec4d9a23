#include <gtest/gtest.h>

#include <filesystem>

#include "pdf/image_dictionary.h"
#include "pdf/image_placement.h"
#include "pdf/jpeg_encoder.h"
#include "pdf/print_pdf.h"
#include "pdf_test_util.h"
#include "platform/error.h"

namespace quiral::testing {
namespace {

TEST(PageImages, PlacementOnASquarePageAndPastTheBottom) {
  // The worked examples are checked in whole documents; here the other branches.
  ImagePlacement square = placeImage(600, 600, 96, 96, 1248, 2000, 10, 100);
  EXPECT_EQ(imageOperators(square, 3), "q\r\n600 0 0 1562 10 -1062 cm\r\n/Im3 Do\r\nQ\r\n");
  EXPECT_THROW(placeImage(INT32_MAX, 600, 96, 96, 1 << 30, 1, 0, 0), QuiralError);
}

TEST(PageImages, PaletteTextHasAll256Entries) {
  std::array<Color, 256> palette{};
  palette[0] = 0xFF0080;
  palette[1] = 0x0A0B0C;
  const std::string text = paletteText(palette);
  ASSERT_EQ(text.size(), 1792u);
  EXPECT_EQ(text.substr(0, 14), "FF0080 0A0B0C ");
  EXPECT_EQ(text.substr(14, 7), "000000 ");
  EXPECT_EQ(text.back(), ' ');
}

TEST(PageImages, UncompressedIndexedImageKeepsOddWidthRowsWhole) {
  ScratchFolder folder;
  TPrintPDF w;
  w.FileName = folder.file("odd.pdf");
  w.Compress = false;
  w.BeginDoc();
  Bitmap b = testPicture(13, 7);
  w.DrawBitmap(52, 0, b);
  w.DrawBitmap(0, 700, b);  // placed twice: two image objects
  w.EndDoc();
  PdfParts pdf = splitPdf(w.document());
  const std::string& image = pdf.objects[20];
  const std::string raw(reinterpret_cast<const char*>(b.data()), 13 * 7);
  EXPECT_EQ(image.find("/Filter"), std::string::npos);
  EXPECT_NE(image.find("/Length 91\r\n/Name /Im1\r\n>>\r\nstream\r\n" + raw + "\r\nendstream\r\n"),
            std::string::npos);
  EXPECT_NE(pdf.objects[21].find("/Name /Im2"), std::string::npos);
  const std::string content =
      "q\r\n8 0 0 4 52 788 cm\r\n/Im1 Do\r\nQ\r\nq\r\n8 0 0 4 0 88 cm\r\n"
      "/Im2 Do\r\nQ\r\n";
  EXPECT_EQ(pdf.objects[1], "2 0 obj\r\n<< /Length 3 0 R\r\n >>\r\nstream\r\n" + content +
                                "endstream\r\nendobj\r\n");
  EXPECT_EQ(pdf.objects[2], "3 0 obj\r\n" + std::to_string(content.size()) + "\r\nendobj\r\n");
}

TEST(PageImages, JpegPageIsReadByRealReaders) {
  ScratchFolder folder;
  TPrintPDF w;
  w.FileName = folder.file("photo.pdf");
  w.BeginDoc();
  const Bitmap picture = testPicture(794, 1123);
  w.DrawBitmapJPEG(52, 0, picture);
  w.EndDoc();
  EXPECT_EQ(picture.format(), Bitmap::Format::Rgb24);  // the caller's bitmap is left alone
  const std::string jpeg = encodeJpeg(picture);
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(jpeg.substr(0, 3), "\xFF\xD8\xFF");
  EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
  PdfParts pdf = splitPdf(w.document());
  EXPECT_NE(pdf.objects[20].find("/ColorSpace /DeviceRGB\r\n/BitsPerComponent 8\r\n/Length " +
                                 std::to_string(jpeg.size()) +
                                 "\r\n/Name /Im1\r\n/Filter [/DCTDecode]\r\n>>\r\nstream\r\n" +
                                 jpeg + "\r\nendstream\r\n"),
            std::string::npos);
  EXPECT_EQ(run("qpdf --check " + w.FileName + " >/dev/null"), 0);
  EXPECT_EQ(run("pdftoppm -r 20 -png " + w.FileName + " " + folder.file("page")), 0);
  EXPECT_TRUE(std::filesystem::exists(folder.file("page-1.png")));

  // Encoder errors come back as errors, never as an exit of the process.
  Bitmap tooWide(65501, 1);  // past the largest JPEG dimension
  w.BeginDoc();
  try {
    w.DrawBitmapJPEG(0, 0, tooWide);
    ADD_FAILURE() << "no error";
  } catch (const QuiralError& e) {
    EXPECT_NE(std::string(e.what()).find("65500"), std::string::npos) << e.what();
  }
  Bitmap none;
  EXPECT_THROW(w.DrawBitmap(0, 0, none), QuiralError);
}

}  // namespace
}  // namespace quiral::testing
