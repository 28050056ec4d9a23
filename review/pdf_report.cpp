// The review as a PDF: A4 pages of words with the overlay pictures beside them, real text (so
// it can be searched and copied) and an outline entry per library and per symbol.

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <string>

#include "platform/error.h"
#include "platform/text_codec.h"
#include "review/overlay_picture.h"
#include "review/review_report.h"
#include "vector/cairo_player.h"
#include "vector/picture_frame.h"

namespace quiral {

namespace {

constexpr double kPageWidth = 595.28, kPageHeight = 841.89;  // A4 in points
constexpr double kMargin = 50;
constexpr double kPointsPerPictureUnit = 0.25;
constexpr double kMaxPictureHeight = 320;
constexpr const char* kFace = "Liberation Sans";

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// Texts as cairo takes them: UTF-8 without control bytes.
std::string shown(std::string_view bytes) {
  std::string text = displayText(bytes);
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return text;
}

class PdfWriter {
 public:
  explicit PdfWriter(std::string& bytes)
      : surface_(cairo_pdf_surface_create_for_stream(appendBytes, &bytes, kPageWidth, kPageHeight)),
        cr_(cairo_create(surface_)) {}
  ~PdfWriter() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  PdfWriter(const PdfWriter&) = delete;
  PdfWriter& operator=(const PdfWriter&) = delete;

  void setTitle(const std::string& title) {
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_TITLE, shown(title).c_str());
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, "Quiral");
  }

  void newPage() {
    if (y_ > kMargin || page_ == 0) {
      if (page_ > 0) cairo_show_page(cr_);
      ++page_;
    }
    y_ = kMargin;
    rowHeight_ = 0;
    x_ = kMargin;
  }

  // Room for `height` more points on this page, or a new page.
  void ensure(double height) {
    if (page_ == 0 || y_ + height > kPageHeight - kMargin) newPage();
  }

  // An outline entry pointing at the current place; returns its id for children.
  int outline(int parent, const std::string& title) {
    const std::string link = "page=" + std::to_string(page_) + " pos=[" +
                             std::to_string(int(kMargin)) + " " + std::to_string(int(y_)) + "]";
    return cairo_pdf_surface_add_outline(surface_, parent, shown(title).c_str(), link.c_str(),
                                         CAIRO_PDF_OUTLINE_FLAG_OPEN);
  }

  // One line of text, cut with an ellipsis where the page ends.
  void line(const std::string& text, double size, bool bold, double indent = 0) {
    endPictureRow();
    ensure(size * 1.5);
    cairo_select_font_face(cr_, kFace, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, size);
    cairo_set_source_rgb(cr_, 0.1, 0.1, 0.1);
    std::string fitted = shown(text);
    const double room = kPageWidth - 2 * kMargin - indent;
    cairo_text_extents_t extents;
    cairo_text_extents(cr_, fitted.c_str(), &extents);
    while (extents.x_advance > room && fitted.size() > 1) {
      fitted.resize(fitted.size() * 9 / 10);
      while (!fitted.empty() && (static_cast<unsigned char>(fitted.back()) & 0xC0) == 0x80)
        fitted.pop_back();  // never cut a character in two
      if (!fitted.empty()) fitted.pop_back();
      fitted += "\xE2\x80\xA6";
      cairo_text_extents(cr_, fitted.c_str(), &extents);
    }
    cairo_move_to(cr_, kMargin + indent, y_ + size);
    cairo_show_text(cr_, fitted.c_str());
    y_ += size * 1.5;
  }

  // A picture with its caption, placed after the previous one on its row when it fits.
  void picture(const OverlayPicture& picture) {
    const PictureBox box = pictureBox(picture.list, kSymbolMargin);
    const double maxWidth = kPageWidth - 2 * kMargin;
    double scale = kPointsPerPictureUnit;
    scale = std::min({scale, maxWidth / std::max(box.width, 1.0),
                      kMaxPictureHeight / std::max(box.height, 1.0)});
    const double w = box.width * scale, h = box.height * scale + 14;
    if (x_ > kMargin && x_ + w > kPageWidth - kMargin) endPictureRow();
    if (page_ == 0 || y_ + h > kPageHeight - kMargin) {
      newPage();
    }
    playDisplayList(cr_, picture.list, {scale, x_ - box.left * scale, y_ + box.top * scale});
    cairo_select_font_face(cr_, kFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, 8);
    cairo_set_source_rgb(cr_, 0.35, 0.35, 0.35);
    cairo_move_to(cr_, x_, y_ + box.height * scale + 10);
    cairo_show_text(cr_, shown(picture.caption).c_str());
    x_ += w + 12;
    rowHeight_ = std::max(rowHeight_, h);
  }

  void gap(double height) {
    endPictureRow();
    y_ += height;
  }

  // Finishes the document; throws QuiralError when cairo failed.
  void finish() {
    if (page_ == 0) newPage();
    cairo_show_page(cr_);
    const cairo_status_t drawn = cairo_status(cr_);
    cairo_surface_finish(surface_);
    const cairo_status_t written = cairo_surface_status(surface_);
    if (drawn != CAIRO_STATUS_SUCCESS || written != CAIRO_STATUS_SUCCESS)
      throw QuiralError(std::string("PDF writing failed: ") +
                        cairo_status_to_string(drawn != CAIRO_STATUS_SUCCESS ? drawn : written));
  }

 private:
  void endPictureRow() {
    if (rowHeight_ > 0) y_ += rowHeight_ + 6;
    rowHeight_ = 0;
    x_ = kMargin;
  }

  cairo_surface_t* surface_;
  cairo_t* cr_;
  int page_ = 0;
  double x_ = kMargin;
  double y_ = kMargin;
  double rowHeight_ = 0;
};

std::string entryTitle(const ReviewEntry& entry) {
  std::string title = entry.symbol.empty() ? "library" : symbolLabel(entry);
  if (entry.alias) title += " (alias)";
  title += ": ";
  title += changeWord(entry.change);
  if (entry.change == ChangeKind::Renamed) title += " from " + entry.from;
  return title;
}

}  // namespace

std::string reviewPdf(const Review& review, const std::string& before, const std::string& after,
                      SymbolRecorder& recorder) {
  std::string bytes;
  {
    PdfWriter pdf(bytes);
    pdf.setTitle("Review: " + before + " -> " + after);
    pdf.newPage();
    pdf.line("Review", 18, true);
    pdf.line("Old: " + before, 10, false);
    pdf.line("New: " + after, 10, false);
    pdf.line(review.entries.empty() ? std::string("No differences.")
                                    : std::to_string(review.entries.size()) +
                                          " entries differ. Pictures: removed in red, added in "
                                          "green, unchanged in grey.",
             10, false);
    std::string library;
    int libraryOutline = CAIRO_PDF_OUTLINE_ROOT;
    for (const ReviewEntry& entry : review.entries) {
      if (entry.library != library || libraryOutline == CAIRO_PDF_OUTLINE_ROOT) {
        library = entry.library;
        pdf.newPage();
        libraryOutline = pdf.outline(CAIRO_PDF_OUTLINE_ROOT, library);
        pdf.line(library, 16, true);
      }
      pdf.ensure(60);
      if (!entry.symbol.empty()) pdf.outline(libraryOutline, symbolLabel(entry));
      pdf.line(entryTitle(entry), 12, true);
      for (const Difference& d : entry.differences)
        pdf.line(d.what + ": " + d.detail, 9, false, 12);
      for (const OverlayPicture& picture : overlayPictures(recorder, entry)) pdf.picture(picture);
      pdf.gap(10);
    }
    pdf.finish();
  }
  return bytes;
}

}  // namespace quiral
