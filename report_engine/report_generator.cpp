#include "report_engine/report_generator.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/error.h"
#include "report_engine/band_layout.h"
#include "report_engine/column_flow.h"
#include "report_engine/report.h"

namespace quiral {

namespace {

// A need-data hook that never answers "no more data" would fill memory; no catalog comes near.
constexpr int kMaxPages = 100000;
constexpr int kMaxColumns = 1000;

// Lays bands out down the columns of the pages, by the column flow's rule. A new page starts in
// column 1 at the top margin with the page header; the columns end above the footer and the
// bottom margin. A band that does not fit even a fresh column is placed there anyway, cut at the
// column's bottom, so every record is printed exactly once and the flow always moves on.
class BandFlow {
 public:
  BandFlow(TQuickRep& report, const GenerationControl& control)
      : report_(report),
        printer_(report.qrPrinter()),
        control_(control),
        header_(report.band(BandType::PageHeader)),
        detail_(report.band(BandType::Detail)),
        footer_(report.band(BandType::PageFooter)) {
    const PageSetup& setup = report.page();
    pageWidth_ = setup.pageWidth();
    pageHeight_ = setup.pageHeight();
    top_ = std::clamp(setup.topMargin, 0, pageHeight_);
    bottom_ = pageHeight_ - std::clamp(setup.bottomMargin, 0, pageHeight_ - top_);
    left_ = std::clamp(setup.leftMargin, 0, pageWidth_);
    const int32_t right = pageWidth_ - std::clamp(setup.rightMargin, 0, pageWidth_ - left_);
    columns_ = std::clamp(setup.columns, 1, kMaxColumns);
    flow_ = ColumnFlow(columns_, 0);
    columnSpace_ = std::clamp(setup.columnSpace, 0, pageWidth_);
    if (detail_) {
      columnWidth_ = detail_->width();
      for (const auto& element : detail_->elements())
        detailPrintsRunData_ |= element->kind() == TQRElement::Kind::SysData;
    } else {
      const int32_t spaces =
          int32_t(std::min<int64_t>(int64_t(columns_ - 1) * columnSpace_, pageWidth_));
      columnWidth_ = std::max(0, (right - left_ - spaces) / columns_);
    }
  }

  void run() {
    printer_.beginGeneration(report_.reportTitle(), report_.page());
    try {
      // A window that has just been shown paints before the first record; the printer already
      // counts as generating, so nothing started from that window's events can interleave.
      if (control_.betweenBands) control_.betweenBands();
      fill();
    } catch (...) {
      closePageAfterFailure();
      printer_.endGeneration();
      throw;
    }
    printer_.endGeneration();
  }

 private:
  void fill() {
    // Copies: a hook may set another hook in its place while it runs.
    const TQuickRep::BeforePrintHook beforePrint = report_.beforePrintHook();
    const TQuickRep::NeedDataHook needData = report_.needDataHook();
    bool print = true;
    if (beforePrint) beforePrint(report_, print);
    if (!print) return;
    dateTime_ = formatDateTime(report_.now());
    if (report_.printIfEmpty()) startPage();
    if (detail_ && needData) {
      for (;;) {
        if (control_.stopRequested && control_.stopRequested()) break;
        bool more = false;
        needData(report_, more);
        if (!more) break;
        printDetail();
        if (control_.betweenBands) control_.betweenBands();
      }
    }
    if (current_) finishPage(true);
  }

  // Keeps what was printed before a hook failed: the page in progress gets its footer.
  void closePageAfterFailure() noexcept {
    try {
      if (current_) finishPage(true);
    } catch (...) {
      current_.reset();
    }
  }

  BandContext context() const {
    return {&report_.textMeasurer(), report_.defaultFont(), pageNumber_, dateTime_};
  }

  TenthsRect pageArea() const { return {0, 0, pageWidth_, pageHeight_}; }
  int32_t columnBottom() const { return bottom_ - footerHeight_; }
  int32_t columnLeft() const {
    return int32_t(std::min<int64_t>(
        left_ + int64_t(flow_.column()) * (columnWidth_ + columnSpace_), pageWidth_));
  }

  void startPage() {
    if (pageNumber_ >= kMaxPages)
      throw QuiralError("The report has more than " + std::to_string(kMaxPages) + " pages");
    ++pageNumber_;
    current_.emplace();
    y_ = top_;
    if (header_ && (pageNumber_ > 1 || report_.headerOnFirstPage())) {
      const BandLayout header = layoutBand(*header_, context());
      placeBand(header, left_, y_, pageArea(), *current_);
      y_ = std::min(bottom_, y_ + header.height);
    }
    columnTop_ = y_;
    // Laid out now for its height; page numbers in it are this page's.
    if (footer_) footerLayout_ = layoutBand(*footer_, context());
    footerHeight_ = std::min(footer_ ? footerLayout_.height : 0, bottom_ - columnTop_);
    flow_.setRoom(columnBottom() - columnTop_, bottom_ - columnTop_);
  }

  void finishPage(bool last) {
    if (footer_ && (!last || report_.footerOnLastPage()))
      placeBand(footerLayout_, left_, bottom_ - footerLayout_.height, pageArea(), *current_);
    PreparedPage done = std::move(*current_);
    current_.reset();
    printer_.addPage(std::move(done));
  }

  void printDetail() {
    if (!current_) startPage();
    BandLayout band = layoutBand(*detail_, context());
    const int page = flow_.page();
    const ColumnFlow::Slot slot = flow_.moveOn(band.height);
    if (slot.page != page) {
      finishPage(false);
      if (control_.betweenBands) control_.betweenBands();
      startPage();
      // Page numbers moved on: only a band that prints them needs laying out again.
      if (detailPrintsRunData_) band = layoutBand(*detail_, context());
    }
    y_ = columnTop_ + int32_t(slot.top);
    const TenthsRect area{0, columnTop_, pageWidth_, columnBottom()};
    if (int64_t(y_) + band.height > columnBottom()) reportCut(band.height);
    placeBand(band, columnLeft(), y_, area, *current_);
    flow_.fill(band.height);
    ++records_;
  }

  void reportCut(int32_t height) const {
    if (!control_.bandCut) return;
    control_.bandCut(CutBand{detail_->name(), records_, pageNumber_, flow_.column() + 1, height,
                             columnBottom() - y_});
  }

  TQuickRep& report_;
  TQRPrinter& printer_;
  const GenerationControl& control_;
  const TQRBand* header_;
  const TQRBand* detail_;
  const TQRBand* footer_;
  BandLayout footerLayout_;
  int32_t footerHeight_ = 0;
  int32_t pageWidth_ = 0;
  int32_t pageHeight_ = 0;
  int32_t top_ = 0;
  int32_t bottom_ = 0;
  int32_t left_ = 0;
  int columns_ = 1;
  int32_t columnSpace_ = 0;
  int32_t columnWidth_ = 0;
  std::string dateTime_;
  int pageNumber_ = 0;
  std::optional<PreparedPage> current_;
  ColumnFlow flow_{1, 0};
  int32_t y_ = 0;
  int32_t columnTop_ = 0;
  int records_ = 0;                   // detail bands printed so far
  bool detailPrintsRunData_ = false;  // the detail band has page number or date labels
};

}  // namespace

void generateReport(TQuickRep& report, const GenerationControl& control) {
  BandFlow(report, control).run();
}

}  // namespace quiral
