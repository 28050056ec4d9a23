// The fine (vector) drawings catalog against the page-image export of the same catalog, each a
// whole run from the library files to the PDF, in processor time: Device.lib on its own, and every
// library of the corpus folder (one fine PDF against the sum of one page-image export per
// library). `file_kb` is the size of what a run wrote (for the page images, all files together).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench_corpus.h"
#include "pdf/export_qr.h"
#include "platform/font_engine.h"
#include "render/renderer.h"
#include "reports/catalog_commands.h"
#include "reports/fine_catalog_run.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"

namespace {

using namespace quiral;
namespace fs = std::filesystem;

struct ScratchFolder {
  std::string path = (fs::temp_directory_path() / "quiral-bench-XXXXXX").string();
  bool made = mkdtemp(path.data()) != nullptr;
  ~ScratchFolder() {
    if (made) fs::remove_all(path);
  }
  // The bytes of every file written so far.
  double kilobytes() const {
    uintmax_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(path)) bytes += entry.file_size();
    return double(bytes) / 1024.0;
  }
};

// The program's way: load the library, prepare its drawings catalog, export the page images.
std::string exportPageImages(const std::string& library, const std::string& baseName) {
  Session session;
  CatalogCommands commands(session);
  TForm3 form3(commands.data());
  TQR_lista lista(commands.data());
  commands.setReports(&form3, &lista);
  const fs::path file(library);
  session.browser.LoadLibrary(file.parent_path().string(), file.filename().string());
  if (commands.runWithoutWindow(CatalogKind::Drawings) != CatalogCommands::Outcome::Ready)
    return {};  // no components: nothing to export, as the fine catalog skips it too
  TExportQR exporter;
  exporter.Report = commands.CurrentReport();
  const ExportResult result = exporter.ExportPDF(baseName, true);
  return result ? std::string() : result.reason;
}

void writeFine(const std::vector<std::string>& libraries, const std::string& out) {
  FontEngine fonts;
  writeFineCatalog(out, FineCatalogKind::Drawings, fonts, libraries, "bench", true, nullptr);
}

void BM_PageImageDrawingsCatalog_Device(benchmark::State& state) {
  const auto device = bench::corpusLibrary("Device.lib");
  if (bench::skippedWithoutCorpus(state, device)) return;
  ScratchFolder scratch;
  for (auto _ : state) {
    const std::string error = exportPageImages(device[0], scratch.path + "/Device");
    if (!error.empty()) return state.SkipWithError(error.c_str());
  }
  state.counters["file_kb"] = scratch.kilobytes();
}
BENCHMARK(BM_PageImageDrawingsCatalog_Device)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

void BM_FineDrawingsCatalog_Device(benchmark::State& state) {
  const auto device = bench::corpusLibrary("Device.lib");
  if (bench::skippedWithoutCorpus(state, device)) return;
  ScratchFolder scratch;
  for (auto _ : state) writeFine(device, scratch.path + "/Device.pdf");
  state.counters["file_kb"] = scratch.kilobytes();
}
BENCHMARK(BM_FineDrawingsCatalog_Device)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_PageImageDrawingsCatalog_Folder(benchmark::State& state) {
  const auto libraries = bench::corpusLibraries();
  if (bench::skippedWithoutCorpus(state, libraries)) return;
  ScratchFolder scratch;
  for (auto _ : state) {
    for (const std::string& library : libraries) {
      const std::string base = scratch.path + "/" + fs::path(library).stem().string();
      const std::string error = exportPageImages(library, base);
      if (!error.empty()) return state.SkipWithError(error.c_str());
    }
  }
  state.counters["file_kb"] = scratch.kilobytes();
  state.counters["libraries"] = double(libraries.size());
}
BENCHMARK(BM_PageImageDrawingsCatalog_Folder)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(1);

void BM_FineDrawingsCatalog_Folder(benchmark::State& state) {
  const auto libraries = bench::corpusLibraries();
  if (bench::skippedWithoutCorpus(state, libraries)) return;
  ScratchFolder scratch;
  for (auto _ : state) writeFine(libraries, scratch.path + "/all.pdf");
  state.counters["file_kb"] = scratch.kilobytes();
  state.counters["libraries"] = double(libraries.size());
}
BENCHMARK(BM_FineDrawingsCatalog_Folder)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(1);

}  // namespace
