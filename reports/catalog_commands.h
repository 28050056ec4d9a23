#pragma once

#include <optional>
#include <string>

#include "reports/catalog_data.h"

namespace quiral {

class TForm3;
class TQR_lista;
class TQuickRep;
class TQRPrinter;

enum class CatalogKind { Drawings, List };

// The catalog commands of the main window, without the window: which report the last command
// started (CurrentReport), where its descriptions come from (DocumentationPath), the rewind of a
// run, and the steps that start a catalog of the library in use.
class CatalogCommands {
 public:
  // The refusal shown when the component list is empty.
  static const char* const kNoLibrary;  // "Nenhuma biblioteca selecionada"

  enum class Outcome {
    Ready,           // the report is named, rewound and ready to generate
    Refused,         // the component list is empty: nothing changed
    AlreadyShowing,  // that report's preview of this library is open: bring it to the front
    Busy,            // a catalog is producing pages: nothing changed
  };

  explicit CatalogCommands(Session& session);
  CatalogCommands(const CatalogCommands&) = delete;
  CatalogCommands& operator=(const CatalogCommands&) = delete;

  // What the reports read; they are made with it.
  CatalogData& data() { return data_; }
  // The two catalogs, made after the main window at program start. Not owned.
  void setReports(TForm3* form3, TQR_lista* lista);
  TQuickRep* reportFor(CatalogKind kind) const;

  // The report that the last command started; null until one has.
  TQuickRep* CurrentReport() const { return currentReport_; }
  const std::string& DocumentationPath() const { return data_.DocumentationPath; }

  // Rewinds a catalog run before a generation (see catalog_cursor.h).
  void zerarparaimprimir(TQuickRep& report);

  // True while either catalog is producing pages.
  bool generating() const;

  // The command up to the preview: refuses an empty component list, makes the kind's report the
  // CurrentReport, rewinds it, names the library in use in its header label and title, and sets
  // DocumentationPath to the library's documentation file beside it. When the report's preview
  // is open on another library, that preview is closed first: the command always makes the
  // catalog of the library in use.
  Outcome begin(CatalogKind kind);
  // The whole command: begin, then preview CurrentReport, which returns once its window is
  // closed. What the generation throws reaches the caller.
  Outcome run(CatalogKind kind);
  // The same command without a window: begin, then prepare the pages.
  Outcome runWithoutWindow(CatalogKind kind);

  // Shows the selected component again (its lines and drawing). A catalog run leaves the
  // selection one past the component it drew last, or on the first after a rewind; at the end
  // of a run or an export the window must show what is selected.
  void showSelectedComponent();

  // The catalog whose prepared pages `pages` are, or null.
  TQuickRep* reportOf(const TQRPrinter& pages) const;
  // A preview's PDF export, up to choosing the file: the catalog that `shown` belongs to,
  // rewound, without side margins (the export places the page at the paper's left edge) and
  // prepared again (which keeps the pages on show). Null, changing nothing, when the export is
  // refused: the pages are no catalog's, or a catalog is still producing pages (its rewind would
  // move the cursor that the generation walks, and the pages are not complete).
  TQuickRep* prepareExport(const TQRPrinter& shown);

  // What a preview's fine (vector) catalog is made of: the library and kind of the catalog whose
  // pages `shown` are. None when they are no catalog's pages or are still being made.
  struct CatalogSource {
    std::string libraryPath;
    CatalogKind kind = CatalogKind::Drawings;
  };
  std::optional<CatalogSource> sourceOf(const TQRPrinter& shown) const;

  // Printing a preview: the highest page the print dialog offers (the drawings catalog's last
  // page, or the last page there is when that is 0), and the pages a print covers for what the
  // dialog returned (all of them unless a range with a first page was chosen; a range without a
  // last page runs to the end).
  struct PageRange {
    int first = 1;
    int last = 1;
    bool operator==(const PageRange&) const = default;
  };
  int highestPrintablePage(int pageCount) const;
  static PageRange printedPages(bool rangeChosen, int fromPage, int toPage, int pageCount);

 private:
  CatalogData data_;
  TForm3* form3_ = nullptr;
  TQR_lista* lista_ = nullptr;
  TQuickRep* currentReport_ = nullptr;
  // The library each report's last catalog was made of: Drawings, then List.
  std::string catalogLibrary_[2];
};

}  // namespace quiral
