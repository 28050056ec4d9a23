#include "reports/catalog_commands.h"

#include <algorithm>

#include "platform/error.h"
#include "render/renderer.h"
#include "reports/catalog_cursor.h"
#include "reports/catalog_design.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"

namespace quiral {

const char* const CatalogCommands::kNoLibrary = "Nenhuma biblioteca selecionada";

namespace {

std::string_view fileNamePart(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The library's documentation file in the library's own folder.
std::string documentationBeside(const std::string& libraryPath) {
  const size_t slash = libraryPath.find_last_of('/');
  const std::string name = documentationFileName(libraryPath);
  if (slash == std::string::npos) return name;
  return joinPath(std::string_view(libraryPath).substr(0, slash + 1), name);
}

}  // namespace

CatalogCommands::CatalogCommands(Session& session) : data_(session) {}

void CatalogCommands::setReports(TForm3* form3, TQR_lista* lista) {
  form3_ = form3;
  lista_ = lista;
}

TQuickRep* CatalogCommands::reportFor(CatalogKind kind) const {
  if (kind == CatalogKind::Drawings) return form3_ ? &form3_->QR_FIG : nullptr;
  return lista_;
}

void CatalogCommands::zerarparaimprimir(TQuickRep& report) {
  quiral::zerarparaimprimir(report, data_.session);
}

bool CatalogCommands::generating() const {
  for (CatalogKind kind : {CatalogKind::Drawings, CatalogKind::List})
    if (const TQuickRep* report = reportFor(kind); report && report->qrPrinter().generating())
      return true;
  return false;
}

CatalogCommands::Outcome CatalogCommands::begin(CatalogKind kind) {
  TQuickRep* report = reportFor(kind);
  if (!report) throw QuiralError("The catalog reports are not made yet");
  // An empty list is refused before anything else: the user must hear why nothing happens,
  // even while another catalog is busy or on show.
  const LibraryBrowser& browser = data_.session.browser;
  if (browser.components().empty()) return Outcome::Refused;
  // The catalog walks the component list: a second run while pages are being made would move
  // the cursor under the first.
  if (generating()) return Outcome::Busy;
  std::string& previousLibrary = catalogLibrary_[kind == CatalogKind::Drawings ? 0 : 1];
  if (report->previewShowing() && previousLibrary == browser.CurrentLibraryPath())
    return Outcome::AlreadyShowing;
  // A preview of another library gives way to the catalog of the library in use.
  if (report->previewShowing()) report->qrPrinter().closePreview();

  currentReport_ = report;
  zerarparaimprimir(*report);
  // The library that the component list holds, whatever the file list shows now.
  const std::string& library = browser.CurrentLibraryPath();
  nameLibrary(*report, std::string(fileNamePart(library)), data_.language);
  data_.DocumentationPath = documentationBeside(library);
  data_.ModernTranslation = browser.modernTranslation();
  previousLibrary = library;
  return Outcome::Ready;
}

CatalogCommands::Outcome CatalogCommands::run(CatalogKind kind) {
  const Outcome outcome = begin(kind);
  if (outcome == Outcome::Ready) currentReport_->preview();
  return outcome;
}

CatalogCommands::Outcome CatalogCommands::runWithoutWindow(CatalogKind kind) {
  const Outcome outcome = begin(kind);
  if (outcome == Outcome::Ready) currentReport_->prepare();
  return outcome;
}

void CatalogCommands::showSelectedComponent() {
  data_.session.browser.ShowComponent();
}

TQuickRep* CatalogCommands::reportOf(const TQRPrinter& pages) const {
  for (CatalogKind kind : {CatalogKind::Drawings, CatalogKind::List})
    if (TQuickRep* report = reportFor(kind); report && &report->qrPrinter() == &pages)
      return report;
  return nullptr;
}

TQuickRep* CatalogCommands::prepareExport(const TQRPrinter& shown) {
  TQuickRep* report = reportOf(shown);
  if (!report || shown.generating() || generating()) return nullptr;
  zerarparaimprimir(*report);
  report->page().leftMargin = 0;
  report->page().rightMargin = 0;
  report->prepare();
  return report;
}

std::optional<CatalogCommands::CatalogSource> CatalogCommands::sourceOf(
    const TQRPrinter& shown) const {
  if (shown.generating()) return std::nullopt;
  for (CatalogKind kind : {CatalogKind::Drawings, CatalogKind::List}) {
    const TQuickRep* report = reportFor(kind);
    const std::string& library = catalogLibrary_[kind == CatalogKind::Drawings ? 0 : 1];
    if (report && &report->qrPrinter() == &shown && !library.empty())
      return CatalogSource{library, kind};
  }
  return std::nullopt;
}

int CatalogCommands::highestPrintablePage(int pageCount) const {
  const TQuickRep* drawings = reportFor(CatalogKind::Drawings);
  const int last = drawings ? drawings->printerSettings().lastPage : 0;
  return std::max(1, last > 0 ? last : pageCount);
}

CatalogCommands::PageRange CatalogCommands::printedPages(bool rangeChosen, int fromPage, int toPage,
                                                         int pageCount) {
  if (!rangeChosen || fromPage <= 0) return {1, pageCount};
  return {fromPage, toPage > 0 ? toPage : pageCount};
}

}  // namespace quiral
