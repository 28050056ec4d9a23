#include "tests/reports/catalog_fixtures.h"

#include <variant>

namespace quiral::testing {

std::string numberedLibrary(int count) {
  std::string text = "EESchema-LIBRARY Version 2.4\n";
  for (int i = 1; i <= count; ++i) {
    const std::string name = "P" + std::to_string(i);
    text += "DEF " + name + " U 0 40 Y Y 1 F N\nDRAW\nS -100 -100 100 100 0 1 0 N\nENDDRAW\n";
    text += "ENDDEF\n";
  }
  return text + "#End Library\n";
}

CatalogFixture::CatalogFixture() {
  commands.setReports(&form3, &lista);
  for (TQuickRep* r : {&form3.QR_FIG, static_cast<TQuickRep*>(&lista)}) {
    auto inner = r->needDataHook();
    r->setNeedData([this, inner](TQuickRep& rep, bool& more) {
      ++needDataCalls;
      inner(rep, more);
    });
  }
}

void CatalogFixture::load(const std::string& libraryPath) {
  const size_t slash = libraryPath.find_last_of('/');
  session.browser.LoadLibrary(libraryPath.substr(0, slash), libraryPath.substr(slash + 1));
}

CatalogCommands::Outcome CatalogFixture::prepare(CatalogKind kind) {
  needDataCalls = 0;
  return commands.runWithoutWindow(kind);
}

namespace {

bool inside(const TenthsRect& inner, const TenthsRect& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

}  // namespace

std::vector<PrintedCell> printedCells(const TQuickRep& report) {
  const int32_t cellWidth = report.band(BandType::Detail)->width();
  std::vector<PrintedCell> cells;
  const TQRPrinter& printer = report.qrPrinter();
  for (int p = 1; p <= printer.pageCount(); ++p) {
    const PreparedPage& page = *printer.page(p);
    for (const PageItem& item : page.items) {
      if (const auto* frame = std::get_if<PageFrame>(&item)) {
        if (frame->sides == FrameSides::all() && frame->box.width() == cellWidth)
          cells.push_back({p, frame->box, {}});
      }
    }
    // Each cell's name is the bold text inside its frame.
    for (PrintedCell& cell : cells) {
      if (cell.page != p) continue;
      for (const PageItem& item : page.items)
        if (const auto* t = std::get_if<PageText>(&item);
            t && t->font.bold && inside(TenthsRect{t->x, t->top, t->x + 1, t->top + 1}, cell.frame))
          cell.name = t->text;
    }
  }
  return cells;
}

std::vector<std::string> textsIn(const PreparedPage& page, const TenthsRect& box) {
  std::vector<std::string> texts;
  for (const PageItem& item : page.items)
    if (const auto* t = std::get_if<PageText>(&item);
        t && inside(TenthsRect{t->x, t->top, t->x + 1, t->top + 1}, box))
      texts.push_back(t->text);
  return texts;
}

}  // namespace quiral::testing
