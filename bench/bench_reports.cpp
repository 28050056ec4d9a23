// Speed of the catalogs: preparing the drawings and the list catalog of Device.lib through the
// command path without a window, next to what rendering the same components costs (the loop of
// quiral-cli render-all --no-write). The goal: the drawings catalog at most twice the rendering.

#include <benchmark/benchmark.h>

#include <string>

#include "render/renderer.h"
#include "report_engine/report.h"
#include "reports/catalog_commands.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"

namespace {

std::string deviceLibrary() {
  return std::string(QUIRAL_CORPUS_DIR) + "/kicad5/Device.lib";
}

// render-all --no-write: list the library, then select and show each component in turn.
void BM_RenderAllDevice(benchmark::State& state) {
  quiral::Session session;
  size_t count = 0;
  for (auto _ : state) {
    session.browser.B_carregarClick(deviceLibrary());
    quiral::ComponentList& list = session.browser.components();
    count = list.size();
    for (size_t i = 0; i < count; ++i) {
      list.select(int(i));
      session.browser.ShowComponent();
    }
    benchmark::DoNotOptimize(session.renderer.ViewImage().data());
  }
  if (count == 0) state.SkipWithError("corpus not found");
  state.counters["components"] = double(count);
}
BENCHMARK(BM_RenderAllDevice)->Unit(benchmark::kMillisecond);

// The window's catalog command without a window: load the library, then prepare the pages.
void prepareCatalog(benchmark::State& state, quiral::CatalogKind kind) {
  quiral::Session session;
  quiral::CatalogCommands commands(session);
  quiral::TForm3 form3(commands.data());
  quiral::TQR_lista lista(commands.data());
  commands.setReports(&form3, &lista);
  int pages = 0;
  for (auto _ : state) {
    session.browser.LoadLibrary(std::string(QUIRAL_CORPUS_DIR) + "/kicad5", "Device.lib");
    if (commands.runWithoutWindow(kind) != quiral::CatalogCommands::Outcome::Ready) {
      state.SkipWithError("corpus not found");
      return;
    }
    pages = commands.CurrentReport()->qrPrinter().pageCount();
  }
  state.counters["components"] = double(session.browser.components().size());
  state.counters["pages"] = pages;
}

void BM_DrawingsCatalogDevice(benchmark::State& state) {
  prepareCatalog(state, quiral::CatalogKind::Drawings);
}
BENCHMARK(BM_DrawingsCatalogDevice)->Unit(benchmark::kMillisecond);

void BM_ListCatalogDevice(benchmark::State& state) {
  prepareCatalog(state, quiral::CatalogKind::List);
}
BENCHMARK(BM_ListCatalogDevice)->Unit(benchmark::kMillisecond);

}  // namespace
