// Speed of choosing a component in the main window, as a user's click does it: the block read and
// drawn in the pixel view, the view's display list recorded at the opening zoom and the visible
// part painted. Device.lib's components in turn, and the largest FPGA symbol of Debian's KiCad
// libraries (unit A of 1,924 pins). Each benchmark reports the median per choice (median_ms).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/dialogs.h"
#include "app/directory_list_box.h"
#include "app/main_window.h"
#include "bench_corpus.h"
#include "render/renderer.h"

namespace {

using Clock = std::chrono::steady_clock;
const char* const kLargestFpga = "/usr/share/kicad/symbols/FPGA_Xilinx_Virtex7.kicad_sym";

// Opens `library` in a window and times choosing each row of `rows` (cycled) with a paint of
// the view, as the window shows it after a click.
void chooseComponents(benchmark::State& state, const std::string& library,
                      const std::vector<std::string>& names, int openTab = 0) {
  if (!std::filesystem::exists(library)) {
    state.SkipWithError(("no " + library).c_str());
    return;
  }
  quiral::Dialogs dialogs;
  quiral::Session session;
  quiral::TForm1 window(session, dialogs);
  window.setDefaultFolderCandidates({});
  window.resize(1000, 700);
  window.show();
  QApplication::processEvents();
  const std::filesystem::path path(library);
  window.findChild<quiral::DirectoryListBox*>("DLB1")->setDirectory(path.parent_path().string());
  session.browser.LoadLibrary(path.parent_path().string(), path.filename().string());
  auto* list = window.findChild<QListWidget*>("ListBox1");
  auto* view = window.findChild<QWidget*>("Image2");
  std::vector<int> rows;
  for (int i = 0; i < int(session.browser.components().size()); ++i)
    if (names.empty() || std::find(names.begin(), names.end(),
                                   session.browser.components()[size_t(i)]) != names.end())
      rows.push_back(i);
  if (rows.empty()) {
    state.SkipWithError("no such component");
    return;
  }
  window.findChild<QTabWidget*>("TabControl1")->setCurrentIndex(openTab);
  // Listing the rows belongs to opening the library, not to choosing.
  session.browser.components().select(rows[0]);
  window.ListBox1Click();
  std::vector<double> millis;
  size_t next = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    session.browser.components().select(rows[next++ % rows.size()]);
    window.ListBox1Click();
    // Painted the way the screen paints it: the widget's paint event into a pixmap.
    benchmark::DoNotOptimize(view->grab());
    millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::nth_element(millis.begin(), millis.begin() + long(millis.size() / 2), millis.end());
  state.counters["median_ms"] = millis[millis.size() / 2];
  state.counters["list_rows"] = double(list->count());
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

// The same with the "Propriedades" (3) or "Pinos" (4) tab open, which is then filled each time.
void BM_ChooseLargestFpgaSymbolWithTabOpen(benchmark::State& state) {
  chooseComponents(state, kLargestFpga, {"XC7VX1140T-FLG1930", "XC7VX1140T-FLG1928"},
                   int(state.range(0)));
}
BENCHMARK(BM_ChooseLargestFpgaSymbolWithTabOpen)
    ->Arg(3)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
