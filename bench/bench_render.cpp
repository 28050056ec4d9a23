// Speed of showing components: reading each block from the library (from the file's start, as
// ShowComponent does), drawing it and cropping the view, for Device.lib and for the whole corpus.
// Besides the time per iteration, each benchmark reports the median per component (median_us).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_corpus.h"
#include "platform/png_writer.h"
#include "render/renderer.h"

namespace {

using Clock = std::chrono::steady_clock;

// Device.lib alone (0) or every corpus library (1); empty when the corpus lacks them.
std::vector<std::string> librariesFor(int which) {
  return which == 0 ? quiral::bench::corpusLibrary("Device.lib") : quiral::bench::corpusLibraries();
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

void reportPerComponent(benchmark::State& state, const std::vector<double>& micros, size_t count) {
  state.counters["components"] = double(count);
  state.counters["median_us"] = median(micros);
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(count));
}

// Lists every library and shows each of its components in turn, timing each show together
// with what `afterShow` does with it. Returns how many components were shown.
template <typename AfterShow>
size_t showEveryComponent(quiral::LibraryBrowser& browser,
                          const std::vector<std::string>& libraries, std::vector<double>& micros,
                          AfterShow&& afterShow) {
  micros.clear();
  size_t count = 0;
  for (const std::string& library : libraries) {
    browser.B_carregarClick(library);
    quiral::ComponentList& list = browser.components();
    for (size_t i = 0; i < list.size(); ++i) {
      auto start = Clock::now();
      list.select(int(i));
      browser.ShowComponent();
      afterShow(count);
      micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
      ++count;
    }
  }
  return count;
}

// Listing every library and showing every component: the whole job of a catalog run's drawings.
void BM_ListAndShowAll(benchmark::State& state) {
  const std::vector<std::string> libraries = librariesFor(int(state.range(0)));
  if (quiral::bench::skippedWithoutCorpus(state, libraries)) return;
  quiral::Session session;
  std::vector<double> micros;
  size_t count = 0;
  for (auto _ : state) {
    count = showEveryComponent(session.browser, libraries, micros, [](size_t) {});
    benchmark::DoNotOptimize(session.renderer.ViewImage().data());
  }
  reportPerComponent(state, micros, count);
}
BENCHMARK(BM_ListAndShowAll)->Arg(0)->Arg(1)->ArgNames({"corpus"})->Unit(benchmark::kMillisecond);

// The blocks of every component, read once up front.
std::vector<std::vector<std::string>> readAllBlocks(const std::vector<std::string>& libraries) {
  std::vector<std::vector<std::string>> blocks;
  quiral::LibraryBrowser browser;  // no renderer: ShowComponent only reads
  std::vector<double> unused;
  showEveryComponent(browser, libraries, unused, [&](size_t) { blocks.push_back(browser.memo()); });
  return blocks;
}

// Reading alone: ShowComponent without a renderer.
void BM_Reading(benchmark::State& state) {
  const std::vector<std::string> libraries = librariesFor(int(state.range(0)));
  if (quiral::bench::skippedWithoutCorpus(state, libraries)) return;
  quiral::LibraryBrowser browser;
  std::vector<double> micros;
  size_t count = 0;
  for (auto _ : state) {
    count = showEveryComponent(browser, libraries, micros, [](size_t) {});
  }
  reportPerComponent(state, micros, count);
}
BENCHMARK(BM_Reading)->Arg(0)->Arg(1)->ArgNames({"corpus"})->Unit(benchmark::kMillisecond);

// Drawing and cropping of blocks already in memory (RenderComponent).
void BM_DrawAndCrop(benchmark::State& state) {
  const auto blocks = readAllBlocks(librariesFor(int(state.range(0))));
  if (quiral::bench::skippedWithoutCorpus(state, blocks)) return;
  quiral::Renderer renderer;
  std::vector<double> micros;
  for (auto _ : state) {
    micros.clear();
    for (const auto& block : blocks) {
      auto start = Clock::now();
      renderer.RenderComponent(block);
      micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
  }
  reportPerComponent(state, micros, blocks.size());
}
BENCHMARK(BM_DrawAndCrop)->Arg(0)->Arg(1)->ArgNames({"corpus"})->Unit(benchmark::kMillisecond);

// Cropping alone: the view refresh of the one-line drawing with no line at the caret, after
// each component has been drawn (the drawing itself is outside the timed part).
void BM_Crop(benchmark::State& state) {
  const auto blocks = readAllBlocks(librariesFor(int(state.range(0))));
  if (quiral::bench::skippedWithoutCorpus(state, blocks)) return;
  quiral::Renderer renderer;
  std::vector<double> micros;
  for (auto _ : state) {
    micros.clear();
    for (const auto& block : blocks) {
      state.PauseTiming();
      renderer.RenderComponent(block);
      state.ResumeTiming();
      auto start = Clock::now();
      renderer.B_linhaClick(block, -1);
      micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
  }
  reportPerComponent(state, micros, blocks.size());
}
BENCHMARK(BM_Crop)->Arg(0)->Arg(1)->ArgNames({"corpus"})->Unit(benchmark::kMillisecond);

// Showing every component and writing its view as a PNG file (palette, lowest zlib effort), as
// quiral-cli render-all does: the files go to a private temporary folder, removed afterwards.
void BM_ShowAndWritePng(benchmark::State& state) {
  const std::vector<std::string> libraries = librariesFor(int(state.range(0)));
  if (quiral::bench::skippedWithoutCorpus(state, libraries)) return;
  std::string folder = (std::filesystem::temp_directory_path() / "quiral-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  quiral::Session session;
  quiral::PngOptions options;
  options.fast = true;
  std::vector<double> micros;
  size_t count = 0;
  for (auto _ : state) {
    count = showEveryComponent(session.browser, libraries, micros, [&](size_t index) {
      quiral::writePng(session.renderer.ViewImage(), folder + "/" + std::to_string(index) + ".png",
                       options);
    });
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  reportPerComponent(state, micros, count);
}
BENCHMARK(BM_ShowAndWritePng)->Arg(0)->Arg(1)->ArgNames({"corpus"})->Unit(benchmark::kMillisecond);

}  // namespace
