#include "reports/catalog_cursor.h"

#include "library/text_words.h"
#include "render/renderer.h"
#include "report_engine/report.h"

namespace quiral {

void rewindCatalogCursor(Session& session) {
  ComponentList& list = session.browser.components();
  session.renderer.state().PrintRemaining = int32_t(list.size());
  list.select(0);
}

void zerarparaimprimir(const TQuickRep& report, Session& session) {
  const std::string name = toUpperAscii(report.name());
  if (name != "QR_LISTA" && name != "QR_FIG") return;
  rewindCatalogCursor(session);
}

bool advanceCatalogCursor(Session& session) {
  int32_t& remaining = session.renderer.state().PrintRemaining;
  if (remaining <= 0) return false;
  --remaining;
  ComponentList& list = session.browser.components();
  const int next = list.selectedIndex() + 1;
  if (next < int(list.size())) list.select(next);
  return true;
}

std::string selectedComponentName(const Session& session) {
  const ComponentList& list = session.browser.components();
  return list.hasSelection() ? list.selectedEntry() : std::string();
}

}  // namespace quiral
