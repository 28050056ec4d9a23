#include "pdf/print_pdf.h"

#include <gtest/gtest.h>

#include <regex>

#include "pdf/compression_stream.h"
#include "pdf_test_util.h"

namespace quiral::testing {
namespace {

// Text with LF line ends turned into the file's CR LF.
std::string crlf(std::string text) {
  return std::regex_replace(text, std::regex("\n"), "\r\n");
}

std::string object(int n, const std::string& body) {
  return std::to_string(n) + " 0 obj\r\n" + crlf(body) + "endobj\r\n";
}

const char* const kFonts[] = {
    "Helvetica",   "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
    "Courier",     "Courier-Bold",   "Courier-Oblique",   "Courier-BoldOblique",
    "Times-Roman", "Times-Bold",     "Times-Italic",      "Times-BoldItalic",
    "Symbol",      "ZapfDingbats"};

// The objects every document has after its pages' streams: outlines, fonts, page tree,
// resources, then `between` (the images), the single page and the catalog.
std::vector<std::string> closingObjects(int first, const std::string& xobjects,
                                        const std::vector<std::string>& images) {
  std::vector<std::string> out{object(first, "<< /Type /Outlines\n/Count 0\n>>\n")};
  std::string fonts;
  for (int f = 1; f <= 14; ++f) {
    out.push_back(object(first + f, "<< /Type /Font\n/Subtype /Type1\n/Name /F" +
                                        std::to_string(f) + "\n/BaseFont /" + kFonts[f - 1] +
                                        "\n/Encoding /WinAnsiEncoding\n>>\n"));
    fonts += "/F" + std::to_string(f) + " " + std::to_string(first + f) + " 0 R \n";
  }
  const int tree = first + 15, page = tree + 2 + int(images.size());
  out.push_back(object(
      tree, "<< /Type /Pages\n/Kids [\n" + std::to_string(page) + " 0 R\n]\n/Count 1\n>>\n"));
  out.push_back(object(tree + 1, "<< /ProcSet [ /PDF /Text /ImageC]\n/XObject << \n" + xobjects +
                                     ">>\n/Font << \n" + fonts + ">>\n>>\n"));
  out.insert(out.end(), images.begin(), images.end());
  out.push_back(object(page, "<< /Type /Page\n/Parent " + std::to_string(tree) +
                                 " 0 R\n/MediaBox [ 0 0 612 792]\n/Contents 2 0 R\n/Resources " +
                                 std::to_string(tree + 1) + " 0 R\n>>\n"));
  out.push_back(object(page + 1, "<< /Type /Catalog\n/Pages " + std::to_string(tree) +
                                     " 0 R\n/Outlines " + std::to_string(first) + " 0 R\n>>\n"));
  return out;
}

std::vector<std::string> openingObjects(const std::string& streamData, const std::string& length,
                                        bool compressed) {
  return {
      object(1,
             "<<\n/Producer ()\n/Author ()\n/CreationDate (D:20260304050607)\n/Creator ()\n"
             "/Keywords ()\n/Subject ()\n/Title ()\n/ModDate ()\n>>\n"),
      object(2, std::string("<< /Length 3 0 R\n") + (compressed ? "/Filter [/FlateDecode]\n" : "") +
                    " >>\nstream\n" + streamData + "endstream\n"),
      object(3, length + "\n")};
}

std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Writer : TPrintPDF {
  ScratchFolder folder;
  explicit Writer(bool compress = true) {
    FileName = folder.file("out.pdf");
    Compress = compress;
    setClock([] { return DateTime{2026, 3, 4, 5, 6, 7}; });
  }
};

TEST(PrintPdf, AnEmptyDocumentHasOnePageAndTheFixedLayout) {
  for (bool compress : {true, false}) {
    Writer w(compress);
    w.BeginDoc();
    w.EndDoc();
    const std::string doc = testing::readBytes(w.FileName);
    EXPECT_EQ(doc, w.document());
    PdfParts pdf = splitPdf(doc);
    EXPECT_EQ(pdf.header, "%PDF-1.4\r\n");
    if (compress) {
      // zlib's whole encoding of nothing: header, one empty final block, trailer.
      EXPECT_NE(pdf.objects[2].find("3 0 obj\r\n8\r\n"), std::string::npos);
      EXPECT_EQ(normalizeFlate(pdf), std::vector<std::string>{""});
    }
    const auto expected = concat(
        compress ? openingObjects("<deflated>", "<length>", true) : openingObjects("", "0", false),
        closingObjects(4, "", {}));
    EXPECT_EQ(pdf.objects, expected);
    EXPECT_EQ(maskOffsets(pdf.tail), expectedTail(23, 22));
  }
}

TEST(PrintPdf, OnePageWithOneImageAsTheExportMakesIt) {
  Writer w;
  Bitmap page = testPicture(794, 1123);
  w.BeginDoc();
  w.DrawBitmap(52, 0, page);
  w.EndDoc();
  EXPECT_EQ(page.format(), Bitmap::Format::Indexed8);  // converted in place

  PdfParts pdf = splitPdf(testing::readBytes(w.FileName));
  const auto streams = normalizeFlate(pdf);
  ASSERT_EQ(streams.size(), 2u);
  EXPECT_EQ(streams[0], "q\r\n506 0 0 778 52 14 cm\r\n/Im1 Do\r\nQ\r\n");
  EXPECT_EQ(streams[1], std::string(reinterpret_cast<const char*>(page.data()), 794 * 1123));
  std::string palette;
  for (Color c : page.palette()) {
    char entry[8];
    std::snprintf(entry, sizeof entry, "%06X ", unsigned(c));
    palette += entry;
  }
  const std::string image =
      object(21,
             "<< /Type /XObject\n/Subtype /Image\n/Width 794\n/Height 1123\n"
             "/ColorSpace [/Indexed /DeviceRGB 255 <" +
                 palette +
                 ">]\n/BitsPerComponent 8\n"
                 "/Length <length>\n/Name /Im1\n/Filter [/FlateDecode]\n>>\nstream\n<deflated>\n"
                 "endstream\n");
  EXPECT_EQ(pdf.objects, concat(openingObjects("<deflated>", "<length>", true),
                                closingObjects(4, "/Im1 21 0 R\n", {image})));
  EXPECT_EQ(maskOffsets(pdf.tail), expectedTail(24, 23));
}

TEST(PrintPdf, FivePagesWithFiveImagesNumberTheirObjectsAhead) {
  Writer w;
  w.TITLE = "Lib (v2) \\ draft";  // information texts are escaped
  w.BeginDoc();
  EXPECT_NE(w.document().find("/Title (Lib \\(v2\\) \\\\ draft)\r\n"), std::string::npos);
  w.PageWidth = 792;
  w.PageHeight = 612;
  for (int i = 1; i <= 5; ++i) {
    Bitmap b = testPicture(1123, 794);
    w.DrawBitmap(52, 0, b);
    if (i < 5) w.NewPage();
  }
  EXPECT_EQ(w.PageNumber(), 5);
  w.EndDoc();
  PdfParts pdf = splitPdf(testing::readBytes(w.FileName));
  const auto streams = normalizeFlate(pdf);
  ASSERT_EQ(pdf.objects.size(), 39u);
  EXPECT_EQ(maskOffsets(pdf.tail), expectedTail(40, 39));
  EXPECT_EQ(streams[0], "q\r\n712 0 0 632 52 -20 cm\r\n/Im1 Do\r\nQ\r\n");
  EXPECT_EQ(streams[4], "q\r\n712 0 0 632 52 -20 cm\r\n/Im5 Do\r\nQ\r\n");
  EXPECT_EQ(pdf.objects[26], object(27,
                                    "<< /Type /Pages\n/Kids [\n34 0 R\n35 0 R\n36 0 R\n37 0 R\n"
                                    "38 0 R\n]\n/Count 5\n>>\n"));
  EXPECT_NE(pdf.objects[27].find("/Im1 29 0 R\r\n/Im2 30 0 R\r\n/Im3 31 0 R\r\n/Im4 32 0 R\r\n"
                                 "/Im5 33 0 R\r\n>>\r\n/Font << \r\n/F1 13 0 R \r\n"),
            std::string::npos);
  EXPECT_EQ(pdf.objects[37], object(38,
                                    "<< /Type /Page\n/Parent 27 0 R\n/MediaBox [ 0 0 792 612]\n"
                                    "/Contents 10 0 R\n/Resources 28 0 R\n>>\n"));
  EXPECT_EQ(pdf.objects[38],
            object(39, "<< /Type /Catalog\n/Pages 27 0 R\n/Outlines 12 0 R\n>>\n"));
}

TEST(CompressionStream, WritesZlibInBlocksWhereItStartedAndRefusesReading) {
  std::string destination = "head";
  std::string input;
  for (int i = 0; i < 200000; ++i) input += char((i * 7919) >> 3);
  {
    TCompressionStream z(CompressionLevel::Default, destination);
    EXPECT_EQ(z.write(input.substr(0, 1000)), 1000u);
    destination += "tail";  // someone else writes meanwhile: the stream goes on where it was
    z.write(input.substr(1000));
    EXPECT_EQ(z.seek(0, SeekOrigin::Current), input.size());
    EXPECT_THROW(z.seek(1, SeekOrigin::Current), ECompressionError);
    char byte;
    EXPECT_THROW(z.read(&byte, 1), ECompressionError);
    z.finish();
  }
  EXPECT_EQ(destination.substr(0, 4), "head");
  EXPECT_EQ(inflateBytes(std::string_view(destination).substr(4)), input);
}

}  // namespace
}  // namespace quiral::testing
