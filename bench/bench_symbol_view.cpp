// Speed of choosing a component, as the window does it for a click, without the window itself:
// the block read and drawn in the pixel view, the view's display list recorded and rasterised at
// the view's scale (what the symbol view paints), and, for the info tabs, the pin table and the
// properties read from the block. Device.lib's components in turn, and the largest FPGA symbol of
// Debian's KiCad libraries (unit A of 1,924 pins). Each benchmark reports the median per choice
// (median_ms).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_corpus.h"
#include "library/documentation_entry.h"
#include "library/library_browser.h"
#include "library/pin_table.h"
#include "platform/font_engine.h"
#include "render/renderer.h"
#include "render/symbol_properties.h"
#include "vector/symbol_files.h"
#include "vector/symbol_recorder.h"

namespace {

using Clock = std::chrono::steady_clock;
const char* const kLargestFpga = "/usr/share/kicad/symbols/FPGA_Xilinx_Virtex7.kicad_sym";

enum class Tabs { None, Properties, Pins };

// Loads `library` and times choosing each of its components named in `names` (all when empty),
// cycling through them.
void chooseComponents(benchmark::State& state, const std::string& library,
                      const std::vector<std::string>& names, Tabs tabs = Tabs::None) {
  if (!std::filesystem::exists(library)) {
    state.SkipWithError(("no " + library).c_str());
    return;
  }
  quiral::Renderer renderer;
  quiral::LibraryBrowser browser(&renderer);
  quiral::FontEngine fonts;
  quiral::SymbolRecorder recorder(fonts);
  const std::filesystem::path path(library);
  browser.LoadLibrary(path.parent_path().string(), path.filename().string());
  std::vector<int> rows;
  for (int i = 0; i < int(browser.components().size()); ++i)
    if (names.empty() ||
        std::find(names.begin(), names.end(), browser.components()[size_t(i)]) != names.end())
      rows.push_back(i);
  if (rows.empty()) {
    state.SkipWithError("no such component");
    return;
  }
  std::vector<double> millis;
  size_t next = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    browser.components().select(rows[next++ % rows.size()]);
    browser.ShowComponent();
    const std::vector<std::string>& block = browser.memo();
    benchmark::DoNotOptimize(quiral::symbolPng(recorder.record(block), 1));
    if (tabs == Tabs::Pins) benchmark::DoNotOptimize(quiral::pinTable(block));
    if (tabs == Tabs::Properties)
      benchmark::DoNotOptimize(quiral::describeSymbol(block, {}, path.filename().string(), {}, {}));
    millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::nth_element(millis.begin(), millis.begin() + long(millis.size() / 2), millis.end());
  state.counters["median_ms"] = millis[millis.size() / 2];
}

void BM_ChooseDeviceComponent(benchmark::State& state) {
  const std::vector<std::string> device = quiral::bench::corpusLibrary("Device.lib");
  if (device.empty()) {
    state.SkipWithError("Device.lib not found in the corpus");
    return;
  }
  chooseComponents(state, device[0], {});
}
BENCHMARK(BM_ChooseDeviceComponent)->Unit(benchmark::kMillisecond)->Iterations(502);

void BM_ChooseLargestFpgaSymbol(benchmark::State& state) {
  chooseComponents(state, kLargestFpga, {"XC7VX1140T-FLG1930"});
}
BENCHMARK(BM_ChooseLargestFpgaSymbol)->Unit(benchmark::kMillisecond)->Iterations(15);

// The same with the "Propriedades" (1) or "Pinos" (2) tab open, which is then filled each time.
void BM_ChooseLargestFpgaSymbolWithTabOpen(benchmark::State& state) {
  chooseComponents(state, kLargestFpga, {"XC7VX1140T-FLG1930", "XC7VX1140T-FLG1928"},
                   Tabs(state.range(0)));
}
BENCHMARK(BM_ChooseLargestFpgaSymbolWithTabOpen)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);

}  // namespace
