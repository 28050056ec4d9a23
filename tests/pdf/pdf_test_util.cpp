#include "pdf_test_util.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "tests/support/temp_dir.h"

namespace quiral::testing {

PdfParts splitPdf(const std::string& doc) {
  PdfParts pdf;
  const size_t start = doc.rfind("startxref\r\n");
  if (start == std::string::npos) {
    ADD_FAILURE() << "no startxref";
    return pdf;
  }
  const size_t xref = std::stoul(doc.substr(start + 11));
  EXPECT_EQ(doc.compare(xref, 6, "xref\r\n"), 0) << "startxref does not point at xref";
  const int size = std::stoi(doc.substr(xref + 8));
  size_t entry = doc.find("65535 f\r\n", xref) + 9;
  std::vector<size_t> offsets;
  for (int k = 1; k < size; ++k, entry += 20) {
    EXPECT_EQ(doc.compare(entry + 10, 10, " 00000 n\r\n"), 0) << "entry " << k;
    offsets.push_back(std::stoul(doc.substr(entry, 10)));
  }
  offsets.push_back(xref);
  pdf.header = doc.substr(0, offsets[0]);
  for (int k = 1; k < size; ++k) {
    const std::string opening = std::to_string(k) + " 0 obj\r\n";
    EXPECT_EQ(doc.compare(offsets[k - 1], opening.size(), opening), 0) << "object " << k;
    pdf.objects.push_back(doc.substr(offsets[k - 1], offsets[k] - offsets[k - 1]));
    EXPECT_TRUE(pdf.objects.back().ends_with("endobj\r\n")) << "object " << k;
  }
  pdf.tail = doc.substr(xref);
  return pdf;
}

std::vector<std::string> normalizeFlate(PdfParts& pdf) {
  std::vector<std::string> inflated;
  for (size_t i = 0; i < pdf.objects.size(); ++i) {
    std::string& object = pdf.objects[i];
    if (object.find("/Filter [/FlateDecode]") == std::string::npos) continue;
    const size_t data = object.find(">>\r\nstream\r\n") + 12;
    // A content stream runs up to "endstream"; an image has a line end before it.
    const bool image = object.find("/Subtype /Image") != std::string::npos;
    const size_t end = object.rfind(image ? "\r\nendstream" : "endstream");
    const std::string length = std::to_string(end - data);
    inflated.push_back(inflateBytes(std::string_view(object).substr(data, end - data)));
    object.replace(data, end - data, "<deflated>");
    if (image) {
      const size_t at = object.find("/Length ") + 8;
      EXPECT_EQ(object.substr(at, object.find('\r', at) - at), length) << object;
      object.replace(at, length.size(), "<length>");
    } else if (i + 1 < pdf.objects.size()) {
      std::string& lengthObject = pdf.objects[i + 1];
      const std::string expected = std::to_string(i + 2) + " 0 obj\r\n" + length + "\r\nendobj\r\n";
      EXPECT_EQ(lengthObject, expected);
      lengthObject = std::to_string(i + 2) + " 0 obj\r\n<length>\r\nendobj\r\n";
    }
  }
  return inflated;
}

std::string expectedTail(int size, int root) {
  std::string t = "xref\r\n0 " + std::to_string(size) + "\r\n0000000000 65535 f\r\n";
  for (int k = 1; k < size; ++k) t += "<offset> 00000 n\r\n";
  t += "trailer\r\n<< /Size " + std::to_string(size) + "\r\n/Root " + std::to_string(root) +
       " 0 R\r\n/Info 1 0 R\r\n>>\r\nstartxref\r\n<offset>\r\n%%EOF\r\n";
  return t;
}

std::string maskOffsets(const std::string& tail) {
  std::string masked = std::regex_replace(tail, std::regex("\\d{10} 00000 n"), "<offset> 00000 n");
  return std::regex_replace(masked, std::regex("startxref\r\n\\d+"), "startxref\r\n<offset>");
}

std::string inflateBytes(std::string_view data) {
  z_stream z{};
  inflateInit(&z);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = uInt(data.size());
  std::string out;
  char buffer[65536];
  int result = Z_OK;
  while (result == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    result = inflate(&z, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - z.avail_out);
  }
  EXPECT_EQ(result, Z_STREAM_END) << "not a complete zlib stream";
  EXPECT_EQ(z.avail_in, 0u) << "bytes after the zlib stream";
  inflateEnd(&z);
  return out;
}

int run(const std::string& commandLine) {
  int status = std::system(commandLine.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> ScratchFolder::names() const {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(path))
    out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

std::string ppmPixels(const std::string& path) {
  std::string ppm = testing::readBytes(path);
  size_t at = 0;
  for (int fields = 0; fields < 4; ++fields) at = ppm.find_first_of(" \n", at) + 1;
  return ppm.substr(at);
}

std::string rgbOf(const Bitmap& indexed) {
  std::string out;
  out.reserve(size_t(indexed.width()) * size_t(indexed.height()) * 3);
  for (int y = 0; y < indexed.height(); ++y)
    for (int x = 0; x < indexed.width(); ++x) {
      Color c = indexed.pixel(x, y);
      out += {char(redOf(c)), char(greenOf(c)), char(blueOf(c))};
    }
  return out;
}

Bitmap testPicture(int width, int height) {
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((x / 7 + y / 5) % 3 != 0) b.setPixel(x, y, rgb(uint8_t(x * 37), uint8_t(y * 11), 0x80));
  return b;
}

}  // namespace quiral::testing
