#pragma once

#include <string>
#include <vector>

#include "render/renderer.h"
#include "report_engine/prepared_page.h"
#include "report_engine/report.h"
#include "reports/catalog_commands.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"
#include "tests/library/test_files.h"

namespace quiral::testing {

// A library of `count` small components named P1, P2, ... (one body rectangle each).
std::string numberedLibrary(int count);

// The program's catalog objects on a session of their own, with a library loaded from `path`
// as the file list loads it.
struct CatalogFixture {
  Session session;
  CatalogCommands commands{session};
  TForm3 form3{commands.data()};
  TQR_lista lista{commands.data()};
  int needDataCalls = 0;

  CatalogFixture();
  void load(const std::string& libraryPath);
  // Prepares a catalog through the command path, counting the need-data calls.
  CatalogCommands::Outcome prepare(CatalogKind kind);
  TQuickRep& report(CatalogKind kind) { return *commands.reportFor(kind); }
};

// One printed cell: its page, its frame and the name printed in it.
struct PrintedCell {
  int page = 0;
  TenthsRect frame;
  std::string name;
};

// The detail cells of every page in printing order, found by their frames (a framed box of the
// detail band's width) and the bold name inside each.
std::vector<PrintedCell> printedCells(const TQuickRep& report);

// The texts printed inside a box of a page, in painting order.
std::vector<std::string> textsIn(const PreparedPage& page, const TenthsRect& box);

}  // namespace quiral::testing
