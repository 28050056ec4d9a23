#include "reports/fine_catalog.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "library/library_browser.h"
#include "platform/atomic_file.h"
#include "platform/text_codec.h"
#include "report_engine/column_flow.h"
#include "report_engine/report_clock.h"
#include "reports/cairo_text_measure.h"
#include "reports/catalog_design.h"
#include "reports/fine_cell_reader.h"
#include "reports/fine_page_items.h"
#include "reports/fine_picture_room.h"
#include "reports/qr_fig.h"
#include "vector/picture_frame.h"
#include "vector/symbol_recorder.h"

namespace quiral {

namespace {

// The library's file name without its folder, as the header shows it.
std::string shownLibraryName(const std::string& path) {
  return displayText(std::filesystem::path(path).filename().string());
}

// The output cairo streams into. A failed write is kept by the file and the rest of the document
// discarded; cairo itself is told all went well, as its PDF surface crashes on finishing after a
// write error (cairo 1.16).
struct CatalogOutput {
  AtomicFile file;
  bool discard = false;  // the document is given up: nothing more is written

  explicit CatalogOutput(const std::string& path) : file(path) {}
};

cairo_status_t writeToFile(void* closure, const unsigned char* data, unsigned int length) {
  auto* output = static_cast<CatalogOutput*>(closure);
  if (!output->discard) output->file.append(data, length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

class FineCatalogWriter::Impl {
 public:
  Impl(const std::string& path, FineCatalogKind kind, FontEngine& fonts, FineUnitPictures units,
       LookName look)
      : path_(path),
        kind_(kind),
        units_(units),
        page_(finePage(kind)),
        fonts_(fonts),
        items_(page_),
        recorder_(fonts, look),
        output_(path) {
    surface_ = cairo_pdf_surface_create_for_stream(
        writeToFile, &output_, page_.width * kFinePointsPerMm, page_.height * kFinePointsPerMm);
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, "Quiral");
    cr_ = cairo_create(surface_);
    dateTime_ = formatDateTime(localNow());
  }

  // A document given up: the temporary goes with output_.
  ~Impl() {
    output_.discard = true;
    // cairo crashes when finishing with outline entries that point at a page never shown, and
    // when finishing a surface that is in error (out of memory): such a surface is only
    // released, never finished.
    const bool sound = surface_ && cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS &&
                       (!cr_ || cairo_status(cr_) == CAIRO_STATUS_SUCCESS);
    if (cr_ && pageOpen_ && sound) cairo_show_page(cr_);
    if (cr_) cairo_destroy(cr_);
    if (surface_) {
      if (sound) cairo_surface_finish(surface_);
      cairo_surface_destroy(surface_);
    }
  }

  size_t addLibrary(const std::string& libraryPath, const FineProgress& progress);
  void finish();
  int pageCount() const { return pagesShown_ + (pageOpen_ ? 1 : 0); }
  // The output itself failed (a write error, cairo out of memory): nothing more can be added.
  bool broken() const {
    return output_.file.failed() || (cr_ && cairo_status(cr_) != CAIRO_STATUS_SUCCESS);
  }
  std::vector<std::string> takeWarnings() { return std::exchange(warnings_, {}); }
  std::vector<std::string> takeSkippedSymbols() { return std::exchange(skippedSymbols_, {}); }
  void setLanguage(PageLanguage language) { language_ = language; }
  void setTitle(const std::string& title, const std::string& subject) {
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_SUBJECT, subject.c_str());
  }

 private:
  struct Library {
    std::string name;
    int firstPage = 0;  // document page of the library's first page, from 1
    int outline = 0;    // its outline entry
  };

  void placeCell(Library& library, const FineCellContent& content);
  int addOutline(int parent, const std::string& title, double left, double top);
  void startPage(const Library& library, int libraryPage);
  void drawText(const FineText& text, double left, double top);
  void drawRect(double left, double top, double width, double height);
  void drawLine(double x0, double y, double x1);
  void drawCell(const FineCell& cell, double left, double top);
  void checkStatus();

  std::string path_;
  FineCatalogKind kind_;
  FineUnitPictures units_;
  PageLanguage language_ = PageLanguage::Portuguese;
  FinePage page_;
  FontEngine& fonts_;
  FinePageItems items_;  // what is drawn next, through the page walker's cairo surface
  CairoMeasure measure_;
  SymbolRecorder recorder_;
  // The pictures of the cell's units, by unit (empty when the cell has one picture).
  std::vector<DisplayList> unitLists_;
  CatalogOutput output_;
  std::vector<std::string> warnings_;        // texts cut while laying out, by symbol
  std::vector<std::string> skippedSymbols_;  // symbols of the file missing from its list
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  std::string dateTime_;
  int pagesShown_ = 0;
  bool pageOpen_ = false;
  int libraryPage_ = -1;
  std::unique_ptr<ColumnFlow> flow_;
};

namespace {

std::string pageNumberText(int n) {
  return std::to_string(n);
}

}  // namespace

void FineCatalogWriter::Impl::checkStatus() {
  output_.file.throwIfFailed();
  const cairo_status_t status = cairo_status(cr_);
  if (status != CAIRO_STATUS_SUCCESS)
    throw QuiralError(path_ + ": " + cairo_status_to_string(status));
}

void FineCatalogWriter::Impl::drawText(const FineText& text, double left, double top) {
  items_.text(text, left, top);
}

void FineCatalogWriter::Impl::drawRect(double left, double top, double width, double height) {
  items_.frame(left, top, width, height);
}

void FineCatalogWriter::Impl::drawLine(double x0, double y, double x1) {
  items_.rule(x0, y, x1);
}

// The header and footer bands of the prepared pages, at their places.
void FineCatalogWriter::Impl::startPage(const Library& library, int libraryPage) {
  if (pageOpen_) {
    cairo_show_page(cr_);
    ++pagesShown_;
  }
  pageOpen_ = true;
  const CatalogGeometry& g = catalogGeometry(kind_);
  const double m = page_.margin;
  auto text = [&](const std::string& utf8, const CatalogPlace& at, double size,
                  Color color = colors::kBlack) {
    drawText({utf8, toMillimetres(at.left), toMillimetres(at.top), size, false, color, 0, false}, m,
             m);
  };
  const PageWords& words = pageWordsIn(language_);
  text(words.heading, g.heading, g.headingSize, colors::kBlue);
  const std::string caption = words.libraryCaption + library.name;
  text(caption, g.library,
       shrinkToFit(measure_, caption, toMillimetres(g.pageCaption.left - g.library.left) - 1,
                   g.librarySize, false));
  text(words.pageCaption, g.pageCaption, g.headerTextSize);
  text(pageNumberText(libraryPage + 1), g.pageNumber, g.headerTextSize);
  text(dateTime_, g.dateTime, g.headerTextSize);
  if (g.ruledHeader) drawLine(m, m + page_.headerHeight, page_.width - m);
  const double footerTop = page_.height - m - page_.footerHeight;
  drawLine(m, footerTop, page_.width - m);
  drawText({words.footer, toMillimetres(g.footerText.left), toMillimetres(g.footerText.top),
            double(g.footerTextSize), false, colors::kBlack, 0, false},
           m, footerTop);
  items_.drawOn(cr_, fonts_);
}

void FineCatalogWriter::Impl::drawCell(const FineCell& cell, double left, double top) {
  drawRect(left, top, cell.width, cell.height);
  for (const FineText& text : cell.texts) drawText(text, left, top);
  if (cell.hasPicture) {
    const FineRect& f = cell.pictureFrame;
    drawRect(left + f.left, top + f.top, f.width, f.height);
    if (cell.unitPictures.empty())
      items_.picture(recorder_.displayList(), cell.picture, cell.pictureScale, f, left, top);
    for (size_t i = 0; i < cell.unitPictures.size(); ++i) {
      const size_t unit = i < cell.unitShown.size() ? cell.unitShown[i] : i;
      if (!unitLists_.empty() && unit >= unitLists_.size()) continue;
      const DisplayList& list = unitLists_.empty() ? recorder_.displayList() : unitLists_[unit];
      // A part of a picture too large for a page is cut to its window.
      const FineRect& cut = i < cell.unitWindows.size() ? cell.unitWindows[i] : f;
      items_.picture(list, cell.unitPictures[i], cell.pictureScale, cut, left, top);
    }
  }
  items_.drawOn(cr_, fonts_);
}

int FineCatalogWriter::Impl::addOutline(int parent, const std::string& title, double left,
                                        double top) {
  char link[96];
  std::snprintf(link, sizeof link, "page=%d pos=[%.2f %.2f]", pageCount(), left * kFinePointsPerMm,
                top * kFinePointsPerMm);
  return cairo_pdf_surface_add_outline(surface_, parent, title.c_str(), link,
                                       cairo_pdf_outline_flags_t(0));
}

// Each alias's outline entry leads to the line that prints it, in whichever piece that is.
void FineCatalogWriter::Impl::placeCell(Library& library, const FineCellContent& content) {
  int entry = -1;
  std::vector<bool> listed(content.aliases.size(), false);
  double cellLeft = 0, cellTop = 0;
  for (const FineCell& piece : layoutFineCellPieces(measure_, kind_, content, page_)) {
    const ColumnFlow::Slot slot =
        piece.wide ? flow_->placeAcross(piece.height) : flow_->place(piece.height);
    if (slot.page != libraryPage_) {
      libraryPage_ = slot.page;
      startPage(library, libraryPage_);
      if (library.firstPage == 0) {
        library.firstPage = pageCount();
        library.outline = cairo_pdf_surface_add_outline(
            surface_, CAIRO_PDF_OUTLINE_ROOT, library.name.c_str(),
            ("page=" + std::to_string(library.firstPage)).c_str(), CAIRO_PDF_OUTLINE_FLAG_OPEN);
      }
    }
    const double left = page_.margin + slot.column * page_.columnWidth();
    const double top = page_.columnTop() + slot.top;
    drawCell(piece, left, top);
    if (entry < 0) {
      entry = addOutline(library.outline, content.name, left, top);
      cellLeft = left;
      cellTop = top;
    }
    for (const FineText& text : piece.texts) {
      for (size_t k = text.aliasFirst; k < text.aliasFirst + text.aliasCount; ++k) {
        if (k >= listed.size() || listed[k]) continue;
        addOutline(entry, content.aliases[k], left, top + text.top);
        listed[k] = true;
      }
    }
  }
  // An alias whose line was cut still gets its entry, at the cell.
  for (size_t k = 0; k < listed.size(); ++k)
    if (!listed[k]) addOutline(entry, content.aliases[k], cellLeft, cellTop);
}

size_t FineCatalogWriter::Impl::addLibrary(const std::string& libraryPath,
                                           const FineProgress& progress) {
  FineRecordingRenderer renderer(recorder_);
  LibraryBrowser browser(&renderer);
  const std::filesystem::path file(libraryPath);
  const std::string folder = file.has_parent_path() ? file.parent_path().string() : ".";
  browser.LoadLibrary(folder, file.filename().string());
  const size_t total = browser.components().size();
  if (total == 0) throw QuiralError(libraryPath + ": no components to catalog");
  if (const auto translation = browser.modernTranslation())
    skippedSymbols_.insert(skippedSymbols_.end(), translation->skippedSymbols.begin(),
                           translation->skippedSymbols.end());
  FineCellReader reader(browser, recorder_,
                        joinPath(folder, documentationFileName(file.filename().string())), kind_,
                        units_, language_);

  Library library{shownLibraryName(libraryPath)};
  flow_ = std::make_unique<ColumnFlow>(2, page_.columnRoom());
  libraryPage_ = -1;
  for (size_t i = 0; i < total; ++i) {
    placeCell(library, reader.read(i, unitLists_, warnings_));
    checkStatus();
    if (progress && !progress(i + 1, total)) throw FineCatalogCancelled();
  }
  return total;
}

void FineCatalogWriter::Impl::finish() {
  if (pageOpen_) {
    cairo_show_page(cr_);
    ++pagesShown_;
    pageOpen_ = false;
  }
  checkStatus();
  cairo_destroy(cr_);
  cr_ = nullptr;
  cairo_surface_finish(surface_);
  const cairo_status_t status = cairo_surface_status(surface_);
  cairo_surface_destroy(surface_);
  surface_ = nullptr;
  if (status != CAIRO_STATUS_SUCCESS)
    throw QuiralError(path_ + ": " + cairo_status_to_string(status));
  output_.file.commit();
}

FineCatalogWriter::FineCatalogWriter(const std::string& path, FineCatalogKind kind,
                                     FontEngine& fonts, FineUnitPictures units, LookName look)
    : impl_(std::make_unique<Impl>(path, kind, fonts, units, look)) {}
FineCatalogWriter::~FineCatalogWriter() = default;

size_t FineCatalogWriter::addLibrary(const std::string& libraryPath, const FineProgress& progress) {
  return impl_->addLibrary(libraryPath, progress);
}

void FineCatalogWriter::setLanguage(PageLanguage language) {
  impl_->setLanguage(language);
}

void FineCatalogWriter::setTitle(const std::string& title, const std::string& subject) {
  impl_->setTitle(title, subject);
}

bool FineCatalogWriter::broken() const {
  return impl_->broken();
}

std::vector<std::string> FineCatalogWriter::takeWarnings() {
  return impl_->takeWarnings();
}

std::vector<std::string> FineCatalogWriter::takeSkippedSymbols() {
  return impl_->takeSkippedSymbols();
}

int FineCatalogWriter::pageCount() const {
  return impl_->pageCount();
}

void FineCatalogWriter::finish() {
  impl_->finish();
}

}  // namespace quiral
