#include "app/catalog_preview_host.h"

#include "reports/catalog_commands.h"

namespace quiral {

CatalogPreviewHost::CatalogPreviewHost(CatalogCommands& commands, std::function<void()> cursorMoved)
    : commands_(commands), cursorMoved_(std::move(cursorMoved)) {}

TQuickRep* CatalogPreviewHost::reportOf(const TQRPrinter& pages) {
  for (CatalogKind kind : {CatalogKind::Drawings, CatalogKind::List})
    if (TQuickRep* report = commands_.reportFor(kind); report && &report->qrPrinter() == &pages)
      return report;
  return nullptr;
}

const TQuickRep* CatalogPreviewHost::drawingsCatalog() {
  return commands_.reportFor(CatalogKind::Drawings);
}

void CatalogPreviewHost::zerarparaimprimir(TQuickRep& report) {
  commands_.zerarparaimprimir(report);
  if (cursorMoved_) cursorMoved_();
}

bool CatalogPreviewHost::catalogGenerating() {
  return commands_.generating();
}

}  // namespace quiral
