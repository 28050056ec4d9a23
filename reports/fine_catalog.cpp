#include "reports/fine_catalog.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "kicad_sym/library_translation.h"
#include "library/documentation_cache.h"
#include "library/find_description.h"
#include "library/library_browser.h"
#include "platform/atomic_file.h"
#include "platform/text_codec.h"
#include "render/symbol_units.h"
#include "report_engine/report_clock.h"
#include "reports/cairo_text_measure.h"
#include "reports/catalog_design.h"
#include "reports/fine_page_items.h"
#include "reports/qr_fig.h"
#include "vector/picture_frame.h"
#include "vector/symbol_recorder.h"

namespace quiral {

namespace {

// A symbol's name as KiCad shows it: a leading "~" only says that its value is hidden.
std::string shownName(const std::string& name) {
  return displayText(name.size() > 1 && name[0] == '~' ? std::string_view(name).substr(1)
                                                       : std::string_view(name));
}

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

  FineCellContent readCell(LibraryBrowser& browser, size_t index, const std::string& docPath,
                           DocumentationCache& docs);
  void placeCell(Library& library, const FineCellContent& content);
  void startPage(const Library& library, int libraryPage);
  void drawText(const FineText& text, double left, double top);
  void drawRect(double left, double top, double width, double height);
  void drawLine(double x0, double y, double x1);
  void recordUnits(const LibraryBrowser& browser, FineCellContent& content);
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

// Records each shown block into the recorder instead of drawing pixels.
class RecordingRenderer final : public ComponentRenderer {
 public:
  explicit RecordingRenderer(SymbolRecorder& recorder) : recorder_(recorder) {}
  void RenderComponent(const std::vector<std::string>& memo) override { recorder_.record(memo); }

 private:
  SymbolRecorder& recorder_;
};

std::string pageNumberText(int n) {
  return std::to_string(n);
}

// The units the DEF line's count token declares, which may be more than can be chosen; a count
// too long to hold gives `bounded`.
size_t declaredUnits(std::string_view countToken, size_t bounded) {
  uint64_t count = 0;
  const auto [end, error] =
      std::from_chars(countToken.data(), countToken.data() + countToken.size(), count);
  if (error != std::errc() || end != countToken.data() + countToken.size()) return bounded;
  return size_t(std::max<uint64_t>(count, bounded));
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
  const bool drawings = kind_ == FineCatalogKind::Drawings;
  const double m = page_.margin;
  auto text = [&](const std::string& utf8, double left, double top, double size,
                  Color color = colors::kBlack) {
    drawText({utf8, left, top, size, false, color, 0, false}, m, m);
  };
  const PageWords& words = pageWordsIn(language_);
  text(words.heading, drawings ? 56.2 : 65.9, drawings ? 3.3 : 3.4, 14, colors::kBlue);
  const double libraryLeft = drawings ? 61.5 : 72.8;
  const std::string caption = words.libraryCaption + library.name;
  text(caption, libraryLeft, drawings ? 10.3 : 9.8,
       shrinkToFit(measure_, caption, 159.7 - libraryLeft - 1, 12, false));
  text(words.pageCaption, drawings ? 159.7 : 159.8, 10.6, 10);
  text(pageNumberText(libraryPage + 1), drawings ? 174.0 : 173.8, drawings ? 9.9 : 10.1, 10);
  text(dateTime_, drawings ? 3.3 : 3.2, 10.6, 10);
  if (!drawings) drawLine(m, m + page_.headerHeight, page_.width - m);
  const double footerTop = page_.height - m - page_.footerHeight;
  drawLine(m, footerTop, page_.width - m);
  text(words.footer, 92.6, footerTop - m + (drawings ? 2.0 : 2.1), 8);
  items_.drawOn(cr_, fonts_);
}

void FineCatalogWriter::Impl::drawCell(const FineCell& cell, double left, double top) {
  drawRect(left, top, cell.width, cell.height);
  for (const FineText& text : cell.texts) drawText(text, left, top);
  if (cell.hasPicture) {
    const FineRect& f = cell.pictureFrame;
    drawRect(left + f.left, top + f.top, f.width, f.height);
    if (cell.unitPictures.empty()) {
      items_.picture(recorder_.displayList(), cell.picture, cell.pictureScale, f, left, top);
    } else {
      for (size_t i = 0; i < cell.unitPictures.size() && i < unitLists_.size(); ++i)
        items_.picture(unitLists_[i], cell.unitPictures[i], cell.pictureScale, f, left, top);
    }
  }
  items_.drawOn(cr_, fonts_);
}

// Records every unit of a multi-unit symbol (up to the cap) with the same rule for each, so that
// no unit's picture shows another unit's records; a unit without records of its own shows what
// the units share.
void FineCatalogWriter::Impl::recordUnits(const LibraryBrowser& browser, FineCellContent& content) {
  unitLists_.clear();
  if (units_ != FineUnitPictures::AllUnits) return;
  const std::vector<std::string>& memo = browser.memo();
  const SymbolUnits units = describeUnits(memo);
  if (units.count <= 1) return;
  const std::vector<std::string> names = browser.shownUnitNames();
  const size_t shown = std::min(size_t(units.count), kFineMaxUnitPictures);
  for (size_t i = 0; i < shown; ++i) {
    const int unit = int(i) + 1;
    unitLists_.push_back(recorder_.record(memo, UnitChoice{unit, 1}));
    const PictureBox box = pictureBox(unitLists_.back(), 0);
    content.units.push_back(
        {unitLetters(unit), i < names.size() ? displayText(names[i]) : "", box.width, box.height});
  }
  content.unitsLeftOut = declaredUnits(recorder_.state().UnitCount, size_t(units.count)) - shown;
}

FineCellContent FineCatalogWriter::Impl::readCell(LibraryBrowser& browser, size_t index,
                                                  const std::string& docPath,
                                                  DocumentationCache& docs) {
  browser.components().select(int(index));
  browser.ShowComponent();
  const std::string& name = browser.components()[index];
  FineCellContent content;
  content.name = shownName(name);
  const auto translation = browser.modernTranslation();
  auto describe = [&](const std::string& component) {
    bool cut = false;
    std::string text = boundedText(
        displayText(translation ? FindDescriptionInText(translation->documentationText, component)
                                : docs.find(docPath, component)),
        kLongestShownText, &cut);
    if (cut)
      warnings_.push_back(displayText(component) + ": description cut after " +
                          std::to_string(kLongestShownText) + " characters");
    return text;
  };
  content.description = describe(name);
  const DrawingState& state = recorder_.state();
  if (kind_ == FineCatalogKind::Drawings) {
    content.unitCount = displayText(unitCountText(state.UnitCount, language_));
    const PictureBox box = pictureBox(recorder_.displayList(), 0);
    content.pictureWidth = box.width;
    content.pictureHeight = box.height;
    recordUnits(browser, content);
  }
  // Every ALIAS line counts: a component may have several.
  for (const std::string& line : state.AliasLines) {
    for (const std::string& alias : aliasNames(line)) {
      content.aliases.push_back(shownName(alias));
      content.aliasDescriptions.push_back(describe(alias));
    }
  }
  return content;
}

void FineCatalogWriter::Impl::placeCell(Library& library, const FineCellContent& content) {
  const FineCell cell = layoutFineCell(measure_, kind_, content);
  const double room = page_.columnRoom();
  bool first = true;
  for (const FineCell& piece : splitFineCell(measure_, cell, content.name, room)) {
    const ColumnFlow::Slot slot = flow_->place(piece.height);
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
    if (first) {
      char link[96];
      std::snprintf(link, sizeof link, "page=%d pos=[%.2f %.2f]", pageCount(),
                    left * kFinePointsPerMm, top * kFinePointsPerMm);
      const int entry = cairo_pdf_surface_add_outline(
          surface_, library.outline, content.name.c_str(), link, cairo_pdf_outline_flags_t(0));
      for (const std::string& alias : content.aliases)
        cairo_pdf_surface_add_outline(surface_, entry, alias.c_str(), link,
                                      cairo_pdf_outline_flags_t(0));
      first = false;
    }
  }
}

size_t FineCatalogWriter::Impl::addLibrary(const std::string& libraryPath,
                                           const FineProgress& progress) {
  RecordingRenderer renderer(recorder_);
  LibraryBrowser browser(&renderer);
  const std::filesystem::path file(libraryPath);
  const std::string folder = file.has_parent_path() ? file.parent_path().string() : ".";
  browser.LoadLibrary(folder, file.filename().string());
  const size_t total = browser.components().size();
  if (total == 0) throw QuiralError(libraryPath + ": no components to catalog");
  if (const auto translation = browser.modernTranslation())
    skippedSymbols_.insert(skippedSymbols_.end(), translation->skippedSymbols.begin(),
                           translation->skippedSymbols.end());
  const std::string docPath = joinPath(folder, documentationFileName(file.filename().string()));
  DocumentationCache docs;

  Library library{shownLibraryName(libraryPath)};
  flow_ = std::make_unique<ColumnFlow>(page_.columnRoom());
  libraryPage_ = -1;
  for (size_t i = 0; i < total; ++i) {
    placeCell(library, readCell(browser, i, docPath, docs));
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
