#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"
#include "tests/support/temp_dir.h"

namespace quiral::testing {

// A PDF cut at the offsets of its own cross-reference table.
struct PdfParts {
  std::string header;
  std::vector<std::string> objects;  // object k at [k - 1], from "k 0 obj" to "endobj" CR LF
  std::string tail;                  // from "xref" to the end
};

// Splits `doc`, failing the test unless every entry of the table points at the first byte of its
// object, the objects follow each other without gaps and startxref gives the offset of "xref".
PdfParts splitPdf(const std::string& doc);

// Replaces the data of every Flate stream by "<deflated>" and its length (the /Length entry, or
// the length object after a content stream) by "<length>", failing the test when a length is not
// the data's size. Returns the inflated data in object order.
std::vector<std::string> normalizeFlate(PdfParts& pdf);

// The table and trailer expected after `size` - 1 objects, with the offsets masked.
std::string expectedTail(int size, int root);
// `tail` with its offsets masked as in expectedTail.
std::string maskOffsets(const std::string& tail);

std::string inflateBytes(std::string_view data);

// Runs a shell command line and returns its exit status.
int run(const std::string& commandLine);

// A fresh folder under the system's temporary folder, removed with its contents at the end.
struct ScratchFolder {
  quiral::testing::TempDir dir;
  const std::string path = dir.path().string();
  std::string file(const std::string& name) const { return path + "/" + name; }
  std::vector<std::string> names() const;  // sorted
};

// The RGB bytes of a P6 picture file (as pdfimages writes them), and those of an indexed bitmap.
std::string ppmPixels(const std::string& path);
std::string rgbOf(const Bitmap& indexed);

// A 24-bit picture with some colour in it, so halftoning and images have something to show.
Bitmap testPicture(int width, int height);

}  // namespace quiral::testing
