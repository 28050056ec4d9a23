// Exporting the drawings catalog of Device.lib to PDF, and the parts of that export on their
// own: painting the page pictures, halftoning them, and deflating the 8-bit pages. The export's
// counter `deflate_share` is the bare deflate time of the same pages over the export's time, both
// in processor time so that other programs on the machine do not skew it.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "pdf/compression_stream.h"
#include "pdf/export_qr.h"
#include "platform/halftone.h"
#include "render/renderer.h"
#include "reports/catalog_commands.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"

namespace {

using namespace quiral;

double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The drawings catalog of Device.lib, prepared once.
struct Catalog {
  Session session;
  CatalogCommands commands{session};
  TForm3 form3{commands.data()};
  TQR_lista lista{commands.data()};
  std::vector<Bitmap> halftonedPages;
  double deflateSeconds = 0;  // bare deflate of all pages, best of three
  std::string error;

  Catalog() {
    const std::string folder = std::string(QUIRAL_CORPUS_DIR) + "/kicad5";
    if (!std::filesystem::exists(folder + "/Device.lib")) {
      error = "no Device.lib in " + folder;
      return;
    }
    commands.setReports(&form3, &lista);
    session.browser.LoadLibrary(folder, "Device.lib");
    commands.runWithoutWindow(CatalogKind::Drawings);
    const TQRPrinter& pages = report().qrPrinter();
    for (int i = 1; i <= pages.pageCount(); ++i)
      halftonedPages.push_back(toHalftone(*pages.pagePicture(i)));
    for (int run = 0; run < 3; ++run) {
      double start = cpuSeconds();
      deflateAll();
      double s = cpuSeconds() - start;
      if (run == 0 || s < deflateSeconds) deflateSeconds = s;
    }
  }

  TQuickRep& report() { return *commands.reportFor(CatalogKind::Drawings); }
  int pageCount() const { return int(halftonedPages.size()); }

  size_t deflateAll() const {
    size_t bytes = 0;
    for (const Bitmap& page : halftonedPages) {
      std::string out;
      compressInto(out, std::string_view(reinterpret_cast<const char*>(page.data()),
                                         size_t(page.width()) * size_t(page.height())));
      bytes += out.size();
    }
    return bytes;
  }
};

Catalog& catalog() {
  static Catalog c;
  return c;
}

void setPageRate(benchmark::State& state, int pages) {
  state.counters["pages_per_second"] =
      benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ExportDrawingsCatalog(benchmark::State& state) {
  Catalog& c = catalog();
  if (!c.error.empty()) return state.SkipWithError(c.error.c_str());
  std::string folder = (std::filesystem::temp_directory_path() / "quiral-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) return state.SkipWithError("no temporary folder");
  TExportQR exporter;
  exporter.Report = &c.report();
  double seconds = 0;
  for (auto _ : state) {
    double start = cpuSeconds();
    ExportResult result = exporter.ExportPDF(folder + "/Device", true);
    seconds += cpuSeconds() - start;
    if (!result) return state.SkipWithError(result.reason.c_str());
  }
  state.counters["pages"] = c.pageCount();
  state.counters["deflate_share"] = c.deflateSeconds / (seconds / double(state.iterations()));
  state.counters["file_kb"] = double(std::filesystem::file_size(folder + "/Device.PDF")) / 1024.0;
  setPageRate(state, c.pageCount());
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ExportDrawingsCatalog)->Unit(benchmark::kMillisecond);

void BM_DeflatePages(benchmark::State& state) {
  Catalog& c = catalog();
  if (!c.error.empty()) return state.SkipWithError(c.error.c_str());
  for (auto _ : state) benchmark::DoNotOptimize(c.deflateAll());
  setPageRate(state, c.pageCount());
}
BENCHMARK(BM_DeflatePages)->Unit(benchmark::kMillisecond);

void BM_PaintPagePictures(benchmark::State& state) {
  Catalog& c = catalog();
  if (!c.error.empty()) return state.SkipWithError(c.error.c_str());
  const TQRPrinter& pages = c.report().qrPrinter();
  for (auto _ : state)
    for (int i = 1; i <= pages.pageCount(); ++i) benchmark::DoNotOptimize(pages.pagePicture(i));
  setPageRate(state, c.pageCount());
}
BENCHMARK(BM_PaintPagePictures)->Unit(benchmark::kMillisecond);

void BM_HalftonePages(benchmark::State& state) {
  Catalog& c = catalog();
  if (!c.error.empty()) return state.SkipWithError(c.error.c_str());
  const auto picture = c.report().qrPrinter().pagePicture(1);
  for (auto _ : state)
    for (int i = 0; i < c.pageCount(); ++i) benchmark::DoNotOptimize(toHalftone(*picture));
  setPageRate(state, c.pageCount());
}
BENCHMARK(BM_HalftonePages)->Unit(benchmark::kMillisecond);

}  // namespace
