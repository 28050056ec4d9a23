#include "app/catalog_preview_host.h"

#include "reports/catalog_commands.h"

namespace quiral {

CatalogPreviewHost::CatalogPreviewHost(CatalogCommands& commands, std::function<void()> cursorMoved)
    : commands_(commands), cursorMoved_(std::move(cursorMoved)) {}

const TQuickRep* CatalogPreviewHost::drawingsCatalog() {
  return commands_.reportFor(CatalogKind::Drawings);
}

TQuickRep* CatalogPreviewHost::prepareExport(const TQRPrinter& pages) {
  TQuickRep* report = commands_.prepareExport(pages);
  if (report && cursorMoved_) cursorMoved_();
  return report;
}

int CatalogPreviewHost::highestPrintablePage(int pageCount) {
  return commands_.highestPrintablePage(pageCount);
}

std::optional<CatalogCommands::CatalogSource> CatalogPreviewHost::fineCatalogSource(
    const TQRPrinter& pages) {
  return commands_.sourceOf(pages);
}

}  // namespace quiral
