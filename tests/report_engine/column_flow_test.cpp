#include <gtest/gtest.h>

#include "platform/error.h"
#include "report_engine/report.h"
#include "tests/report_engine/report_fixtures.h"

namespace quiral {
namespace {

using testing::cellNames;
using testing::findText;
using testing::GridReport;

// Cell tops in the grid report: below the 16.5 mm header, 81.4 mm apart.
constexpr int32_t kRowTop[3] = {265, 1079, 1893};
constexpr int32_t kColumnLeft[2] = {100, 1049};

struct Cell {
  int32_t x;
  int32_t top;
};

Cell cellOf(const PreparedPage& page, const std::string& name) {
  const PageText* t = findText(page, name);
  if (!t) return {-1, -1};
  return {t->x - 17, t->top - 3};  // the name label sits at (1.7, 0.3) mm in its cell
}

TEST(ColumnFlow, CellsRunDownColumnOneThenColumnTwoThenTheNextPage) {
  GridReport g;
  g.records = 7;
  g.report.prepare();
  const TQRPrinter& p = g.report.qrPrinter();
  ASSERT_EQ(p.pageCount(), 2);
  const PreparedPage& first = *p.page(1);
  EXPECT_EQ(cellNames(first), (std::vector<std::string>{"C1", "C2", "C3", "C4", "C5", "C6"}));
  for (int i = 0; i < 6; ++i) {
    Cell c = cellOf(first, "C" + std::to_string(i + 1));
    EXPECT_EQ(c.x, kColumnLeft[i / 3]) << "cell " << i + 1;
    EXPECT_EQ(c.top, kRowTop[i % 3]) << "cell " << i + 1;
  }
  EXPECT_EQ(cellNames(*p.page(2)), std::vector<std::string>{"C7"});
  Cell last = cellOf(*p.page(2), "C7");
  EXPECT_EQ(last.x, kColumnLeft[0]);
  EXPECT_EQ(last.top, kRowTop[0]);
}

TEST(ColumnFlow, ColumnSpaceShiftsTheSecondColumn) {
  GridReport g;
  g.records = 4;
  g.report.page().columnSpace = 20;
  g.report.prepare();
  EXPECT_EQ(cellOf(*g.report.qrPrinter().page(1), "C4").x, 100 + 949 + 20);
}

TEST(ColumnFlow, HeaderAndFooterOnEveryPageIncludingFirstAndLast) {
  GridReport g;
  g.records = 7;
  g.report.prepare();
  const TQRPrinter& p = g.report.qrPrinter();
  for (int i = 1; i <= 2; ++i) {
    const PreparedPage& page = *p.page(i);
    const PageText* title = findText(page, "Title");
    ASSERT_NE(title, nullptr) << "page " << i;
    EXPECT_EQ(title->top, 110);
    ASSERT_NE(findText(page, std::to_string(i)), nullptr) << "page number on page " << i;
    const PageText* footer = findText(page, "Footer");
    ASSERT_NE(footer, nullptr) << "page " << i;
    EXPECT_EQ(footer->top, 2970 - 100 - 89 + 20);  // at the bottom, above the margin
  }
}

TEST(ColumnFlow, HeaderOffOnTheFirstPageAndFooterOffOnTheLast) {
  GridReport g;
  g.records = 7;
  g.report.setHeaderOnFirstPage(false);
  g.report.setFooterOnLastPage(false);
  g.report.prepare();
  const TQRPrinter& p = g.report.qrPrinter();
  ASSERT_EQ(p.pageCount(), 2);
  EXPECT_EQ(findText(*p.page(1), "Title"), nullptr);
  EXPECT_EQ(cellOf(*p.page(1), "C1").top, 100);  // the column area starts at the top margin
  EXPECT_NE(findText(*p.page(1), "Footer"), nullptr);
  EXPECT_NE(findText(*p.page(2), "Title"), nullptr);
  EXPECT_EQ(findText(*p.page(2), "Footer"), nullptr);
}

TEST(ColumnFlow, ReportWithoutRecords) {
  GridReport g;
  g.records = 0;
  g.report.prepare();
  ASSERT_EQ(g.report.qrPrinter().pageCount(), 1);
  const PreparedPage& page = *g.report.qrPrinter().page(1);
  EXPECT_NE(findText(page, "Title"), nullptr);
  EXPECT_NE(findText(page, "Footer"), nullptr);
  EXPECT_TRUE(cellNames(page).empty());
  EXPECT_EQ(g.needDataCalls, 1);

  GridReport quiet;
  quiet.report.setPrintIfEmpty(false);
  quiet.report.prepare();
  EXPECT_EQ(quiet.report.qrPrinter().pageCount(), 0);
}

TEST(ColumnFlow, NeedDataIsAskedOnceMoreThanThereAreRecords) {
  for (int n : {1, 3, 6, 13}) {
    GridReport g;
    g.records = n;
    g.report.prepare();
    EXPECT_EQ(g.needDataCalls, n + 1);
    int cells = 0;
    for (int i = 1; i <= g.report.qrPrinter().pageCount(); ++i)
      cells += int(cellNames(*g.report.qrPrinter().page(i)).size());
    EXPECT_EQ(cells, n);
    EXPECT_EQ(g.report.qrPrinter().pageCount(), (n + 5) / 6);
  }
}

TEST(ColumnFlow, BeforePrintRewindsAndCanCancel) {
  GridReport g;
  g.records = 2;
  int rewinds = 0;
  g.report.setBeforePrint([&](TQuickRep&, bool&) {
    ++rewinds;
    g.needDataCalls = 0;  // rewind the record source
  });
  g.report.prepare();
  g.report.prepare();
  EXPECT_EQ(rewinds, 2);
  EXPECT_EQ(cellNames(*g.report.qrPrinter().page(1)), (std::vector<std::string>{"C1", "C2"}));

  g.report.setBeforePrint([](TQuickRep&, bool& print) { print = false; });
  g.report.prepare();
  EXPECT_EQ(g.report.qrPrinter().pageCount(), 0);
}

TEST(ColumnFlow, BandTallerThanAColumnTakesAFreshColumnEachAndTheFlowMovesOn) {
  GridReport g;
  g.detail->setSize(949, 3000);  // taller than the whole printable height
  g.records = 3;
  g.report.prepare();
  const TQRPrinter& p = g.report.qrPrinter();
  ASSERT_EQ(p.pageCount(), 2);
  EXPECT_EQ(cellOf(*p.page(1), "C1").x, kColumnLeft[0]);
  EXPECT_EQ(cellOf(*p.page(1), "C2").x, kColumnLeft[1]);
  EXPECT_EQ(cellOf(*p.page(2), "C3").x, kColumnLeft[0]);
  // The cell is cut at the column's bottom: nothing of it reaches into the footer.
  for (const auto& frame : testing::itemsOf<PageFrame>(*p.page(1)))
    if (frame.box.top >= kRowTop[0]) {
      EXPECT_LE(frame.box.bottom, 2970 - 100 - 89);
    }
  EXPECT_NE(findText(*p.page(1), "Footer"), nullptr);
  // The caller hears of each cut: which record, where, and how much was missing.
  const auto& cuts = g.report.cutBands();
  ASSERT_EQ(cuts.size(), 3u);
  EXPECT_EQ(cuts[1].band, "Detail");
  EXPECT_EQ(cuts[1].record, 1);
  EXPECT_EQ(cuts[1].page, 1);
  EXPECT_EQ(cuts[1].column, 2);
  EXPECT_EQ(cuts[1].height, 3000);
  EXPECT_EQ(cuts[1].room, 2970 - 100 - 89 - kRowTop[0]);
  EXPECT_EQ(cuts[2].page, 2);
  EXPECT_EQ(cuts[2].column, 1);

  // A generation without cuts forgets the earlier ones.
  g.detail->setSize(949, 814);
  g.needDataCalls = 0;
  g.report.prepare();
  EXPECT_TRUE(g.report.cutBands().empty());
}

TEST(ColumnFlow, GrowingLabelStretchesTheBandAndTheFitTestUsesTheStretchedHeight) {
  GridReport g;
  g.detail->setSize(949, 200);
  TQRLabel& alias = g.detail->addLabel("Alias", 17, 50, 100, 40);
  alias.setWordWrap(true);
  alias.setAutoStretch(true);
  // Six words of 9 bytes in a 10 mm wide label: six lines of 4 mm, 24 mm below its 5 mm top.
  alias.setCaption("aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff");
  g.records = 9;
  g.report.prepare();
  const PreparedPage& page = *g.report.qrPrinter().page(1);
  EXPECT_EQ(cellOf(page, "C2").top - cellOf(page, "C1").top, 290);
  // 8 stretched cells fill the 251.6 mm column; at the design height 12 would have fit.
  EXPECT_EQ(cellOf(page, "C8").x, kColumnLeft[0]);
  EXPECT_EQ(cellOf(page, "C9").x, kColumnLeft[1]);
  EXPECT_EQ(cellOf(page, "C9").top, kRowTop[0]);
  // The cell frame follows the stretched band.
  bool stretchedFrame = false;
  for (const auto& frame : testing::itemsOf<PageFrame>(page))
    stretchedFrame |= frame.box.top == kRowTop[0] && frame.box.height() == 290;
  EXPECT_TRUE(stretchedFrame);
}

TEST(ColumnFlow, PageNumbersAndDateOfPrinting) {
  GridReport g;
  g.records = 13;
  g.header->addSysData("When", TQRSysData::Data::DateTime, 33, 106);
  g.detail->addSysData("CellPage", TQRSysData::Data::PageNumber, 500, 3);
  g.report.setClock([] { return DateTime{2026, 3, 7, 9, 5, 3}; });
  g.report.prepare();
  const TQRPrinter& p = g.report.qrPrinter();
  ASSERT_EQ(p.pageCount(), 3);
  for (int i = 1; i <= 3; ++i) {
    const PageText* number = findText(*p.page(i), std::to_string(i));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->x, 100 + 1700);
    EXPECT_NE(findText(*p.page(i), "07/03/2026 09:05:03"), nullptr);
    // Every cell, also the one that opened the page, prints its own page's number.
    int cellNumbers = 0;
    for (const PageText& t : testing::textsOf(*p.page(i)))
      if (t.x == 100 + 500 || t.x == 1049 + 500)
        cellNumbers += t.text == std::to_string(i) ? 1 : -100;
    EXPECT_EQ(cellNumbers, i < 3 ? 6 : 1) << i;
  }
}

TEST(ColumnFlow, AThrowingHookEndsTheGenerationAndKeepsThePagesSoFar) {
  GridReport g;
  g.records = 100;
  g.report.setNeedData([&](TQuickRep&, bool& more) {
    if (++g.needDataCalls == 8) throw FileError(5, "doc.dcm");
    g.name->setCaption("C" + std::to_string(g.needDataCalls));
    more = true;
  });
  struct Ended : PrinterListener {
    int ended = 0;
    void generationEnded() override { ++ended; }
  } listener;
  g.report.qrPrinter().addListener(&listener);
  EXPECT_THROW(g.report.prepare(), FileError);
  const TQRPrinter& p = g.report.qrPrinter();
  EXPECT_FALSE(p.generating());
  EXPECT_EQ(listener.ended, 1);
  ASSERT_EQ(p.pageCount(), 2);
  EXPECT_EQ(cellNames(*p.page(2)), std::vector<std::string>{"C7"});
  EXPECT_NE(findText(*p.page(2), "Footer"), nullptr);
  g.report.qrPrinter().removeListener(&listener);
}

TEST(ColumnFlow, PaperSizesAndOrientation) {
  PageSetup setup;
  EXPECT_EQ(setup.pageWidth(), 2100);
  EXPECT_EQ(setup.pageHeight(), 2970);
  setup.orientation = Orientation::Landscape;
  EXPECT_EQ(setup.pageWidth(), 2970);
  EXPECT_EQ(setup.pageHeight(), 2100);
  setup.paper = PaperSize::Letter;
  EXPECT_EQ(setup.pageWidth(), 2794);
  setup.paper = PaperSize::Custom;
  setup.customWidth = 100000;  // a page picture of it would need gigabytes
  setup.customHeight = -5;
  EXPECT_EQ(setup.pageHeight(), kMaxPageLength);
  EXPECT_EQ(setup.pageWidth(), 1);
}

TEST(ColumnFlow, ReportWithoutDetailBandOrWithAbsurdSetupStillEnds) {
  TQuickRep bare("Bare");
  bare.setTextMeasurer(&testing::fixedMeasurer());
  bool asked = false;
  bare.setNeedData([&](TQuickRep&, bool& more) { asked = more = true; });
  bare.prepare();
  EXPECT_FALSE(asked);  // nothing to print the data on
  EXPECT_EQ(bare.qrPrinter().pageCount(), 1);

  GridReport g;
  g.records = 5;
  g.report.page().topMargin = 5000;     // beyond the page
  g.report.page().bottomMargin = -300;  // negative
  g.report.page().columns = 0;
  g.report.prepare();
  EXPECT_EQ(g.needDataCalls, 6);
  EXPECT_EQ(g.report.qrPrinter().pageCount(), 5);  // one fresh column a record, one column a page
}

}  // namespace
}  // namespace quiral
