#pragma once

#include <functional>

#include "app/prev_form.h"

namespace quiral {

class CatalogCommands;

// The program's catalogs as preview windows see them: the reports of the catalog commands, their
// rewind, and whether one is producing pages.
class CatalogPreviewHost : public PreviewHost {
 public:
  // `cursorMoved` runs after an export's rewind moved the component list's selection, so the
  // main window can show it.
  CatalogPreviewHost(CatalogCommands& commands, std::function<void()> cursorMoved);

  const TQuickRep* drawingsCatalog() override;
  TQuickRep* prepareExport(const TQRPrinter& pages) override;
  int highestPrintablePage(int pageCount) override;
  std::optional<CatalogCommands::CatalogSource> fineCatalogSource(const TQRPrinter& pages) override;

 private:
  CatalogCommands& commands_;
  std::function<void()> cursorMoved_;
};

}  // namespace quiral
