// Speed of the catalogs: preparing the drawings and the list catalog of Device.lib through the
// command path without a window, next to what rendering the same components costs (the loop of
// quiral-cli render-all --no-write). The goal: the drawings catalog at most twice the rendering.
// And the drawings catalog of one library holding every component of the corpus three times
// over (as many as a whole KiCad release): its time per page at most 1.5 times Device.lib's,
// which holds only while each component's block is read without walking the file from its start.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench_corpus.h"
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

// Every line of the libraries (or their documentation files, `extension` ".dcm") in one file,
// `copies` times over; the copies after the first rename their components (DEF and $CMP lines),
// so that each entry has a block and a description of its own.
void concatenate(const std::vector<std::string>& libraries, const std::string& extension,
                 int copies, const std::filesystem::path& out) {
  std::ofstream file(out, std::ios::binary);
  for (int copy = 0; copy < copies; ++copy) {
    const std::string suffix = copy == 0 ? "" : "_" + std::to_string(copy);
    for (const std::string& library : libraries) {
      std::ifstream in(std::filesystem::path(library).replace_extension(extension),
                       std::ios::binary);
      std::string line;
      while (std::getline(in, line)) {
        for (const char* keyword : {"DEF ", "$CMP "}) {
          const size_t length = std::string_view(keyword).size();
          if (line.compare(0, length, keyword) != 0) continue;
          const size_t end = line.find(' ', length);
          line.insert(end == std::string::npos ? line.size() : end, suffix);
        }
        file << line << '\n';
      }
    }
  }
}

// A temporary folder holding whole.lib and whole.dcm, made once for the run.
const std::filesystem::path& wholeCorpusFolder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "quiral-bench-whole-release";
    std::filesystem::create_directories(dir);
    const std::vector<std::string> libraries = quiral::bench::corpusLibraries();
    concatenate(libraries, ".lib", 3, dir / "whole.lib");
    concatenate(libraries, ".dcm", 3, dir / "whole.dcm");
    return dir;
  }();
  return folder;
}

// The window's catalog command without a window: load the library, then prepare the pages.
void prepareCatalog(benchmark::State& state, quiral::CatalogKind kind,
                    const std::string& folder = std::string(QUIRAL_CORPUS_DIR) + "/kicad5",
                    const std::string& name = "Device.lib") {
  quiral::Session session;
  quiral::CatalogCommands commands(session);
  quiral::TForm3 form3(commands.data());
  quiral::TQR_lista lista(commands.data());
  commands.setReports(&form3, &lista);
  int pages = 0;
  for (auto _ : state) {
    session.browser.LoadLibrary(folder, name);
    if (commands.runWithoutWindow(kind) != quiral::CatalogCommands::Outcome::Ready) {
      state.SkipWithError("corpus not found");
      return;
    }
    pages = commands.CurrentReport()->qrPrinter().pageCount();
  }
  state.counters["components"] = double(session.browser.components().size());
  state.counters["pages"] = pages;
  // Seconds per page, to compare libraries of any length.
  state.counters["per_page"] =
      benchmark::Counter(double(pages) * double(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_DrawingsCatalogDevice(benchmark::State& state) {
  prepareCatalog(state, quiral::CatalogKind::Drawings);
}
BENCHMARK(BM_DrawingsCatalogDevice)->Unit(benchmark::kMillisecond);

void BM_DrawingsCatalogWholeCorpusThrice(benchmark::State& state) {
  if (quiral::bench::skippedWithoutCorpus(state, quiral::bench::corpusLibraries())) return;
  prepareCatalog(state, quiral::CatalogKind::Drawings, wholeCorpusFolder().string(), "whole.lib");
}
BENCHMARK(BM_DrawingsCatalogWholeCorpusThrice)->Unit(benchmark::kMillisecond);

void BM_ListCatalogDevice(benchmark::State& state) {
  prepareCatalog(state, quiral::CatalogKind::List);
}
BENCHMARK(BM_ListCatalogDevice)->Unit(benchmark::kMillisecond);

}  // namespace
