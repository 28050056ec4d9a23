#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"
#include "report_engine/report_clock.h"

namespace quiral {

class SpoolFolder;

// Builds a PDF 1.4 document in memory, page by page, and saves it when it is closed. A page's
// only content is placed pictures (DrawBitmap, DrawBitmapJPEG). The layout is fixed: the
// information dictionary, each page's content stream followed by its length object, the
// outlines, the 14 standard fonts, the page tree, one resource dictionary shared by every page,
// the images, the pages, the catalog and a single-section cross-reference table. Lines end in
// CR LF and every number is an integer.
//
// Use: set FileName (and the information texts), BeginDoc, then for each page any number of
// placements followed by NewPage (not after the last page), then EndDoc. Errors are thrown to
// the caller; after an error the document must be abandoned.
class TPrintPDF {
 public:
  TPrintPDF();
  ~TPrintPDF();
  TPrintPDF(const TPrintPDF&) = delete;
  TPrintPDF& operator=(const TPrintPDF&) = delete;

  // Settings. The information texts are read by BeginDoc; the page size is read when an image
  // is placed and, for every page's MediaBox, by EndDoc. Compress must not change between
  // BeginDoc and EndDoc.
  std::string FileName;
  std::string TITLE;
  std::string Author;
  std::string Creator;
  std::string Keywords;
  std::string Subject;
  std::string Producer;
  int32_t PageWidth = 612;   // points
  int32_t PageHeight = 792;  // points
  bool Compress = true;

  // Pages begun so far: 1 after BeginDoc.
  int32_t PageNumber() const { return pageNumber_; }

  // Where /CreationDate takes the local time from (the machine's clock by default).
  void setClock(ReportClock clock) { clock_ = std::move(clock); }

  void BeginDoc();
  void NewPage();
  // Completes the document and saves it to FileName atomically: an existing file is replaced
  // only by the complete document. The spooled images are removed afterwards.
  void EndDoc();

  // Places `bitmap` with its top-left corner `left` points from the page's left edge and `top`
  // points below its top edge, scaled as if the bitmap spanned 10 x 11.9 inches (portrait page)
  // or 13 x 8 inches (otherwise) at the screen's resolution. DrawBitmap writes it with a
  // 256-colour palette, converting the caller's bitmap to 8 bits on the halftone palette first;
  // DrawBitmapJPEG writes it as a colour JPEG at quality 90 and leaves the bitmap as it is.
  void DrawBitmap(int32_t left, int32_t top, Bitmap& bitmap);
  void DrawBitmapJPEG(int32_t left, int32_t top, const Bitmap& bitmap);

  // The document built so far; the whole file once EndDoc has run.
  const std::string& document() const { return documentBuffer_; }
  // The folder that holds the spooled images of the open document, or empty when none was made.
  std::string spoolFolder() const;

 private:
  void WriteLine(std::string& buffer, std::string_view text);
  void RecordOffset(size_t size);
  void beginObject();
  void endObject();
  void WriteInfo();
  void BeginContent();
  void EndContent();
  void WriteOutlines();
  void WriteStandardFonts();
  void WriteFont(std::string_view subtype, std::string_view baseFont, std::string_view encoding);
  void WritePageTree();
  void WriteResources();
  void WriteImageObject(int n);
  void WritePage();
  void WriteCatalog();
  void WriteXref();

  void placeOnPage(int32_t left, int32_t top, const Bitmap& bitmap);
  void spoolImage(int n, std::string_view dictionary, std::string_view data);
  std::string spoolPath(int n);

  ReportClock clock_;
  int32_t pageNumber_ = 0;
  int32_t objectCount_ = 0;
  int32_t imageCount_ = 0;
  int32_t fontCount_ = 0;
  size_t pageIndex_ = 0;
  int64_t runningOffset_ = 0;
  std::vector<int64_t> offsetTable_;
  std::vector<int32_t> contentObjects_;
  std::vector<int32_t> fontObjects_;
  int32_t pagesObject_ = 0;
  int32_t resourcesObject_ = 0;
  int32_t outlinesObject_ = 0;
  int32_t catalogObject_ = 0;
  size_t streamStart_ = 0;

  std::string documentBuffer_;
  std::string objectBuffer_;
  std::string contentBuffer_;
  std::string imageBuffer_;
  std::unique_ptr<SpoolFolder> spool_;
};

// The text of a PDF literal string: parentheses and backslashes are escaped.
std::string escapePdfString(std::string_view text);

}  // namespace quiral
