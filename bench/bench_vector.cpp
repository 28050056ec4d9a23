// Speed of vector drawing: the corpus's blocks drawn into display lists against the same blocks
// drawn on the pixel canvas (RenderComponent: drawing and cropping), and SVG text made from them.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_corpus.h"
#include "platform/font_engine.h"
#include "render/renderer.h"
#include "vector/svg_writer.h"
#include "vector/symbol_recorder.h"

namespace {

std::vector<std::vector<std::string>> corpusBlocks() {
  std::vector<std::vector<std::string>> blocks;
  quiral::LibraryBrowser browser;  // no renderer: ShowComponent only reads
  for (const std::string& library : quiral::bench::corpusLibraries()) {
    browser.B_carregarClick(library);
    quiral::ComponentList& list = browser.components();
    for (size_t i = 0; i < list.size(); ++i) {
      list.select(int(i));
      browser.ShowComponent();
      blocks.push_back(browser.memo());
    }
  }
  return blocks;
}

const std::vector<std::vector<std::string>>& blocks() {
  static const auto all = corpusBlocks();
  return all;
}

void BM_PixelCanvas(benchmark::State& state) {
  if (quiral::bench::skippedWithoutCorpus(state, blocks())) return;
  quiral::Renderer renderer;
  for (auto _ : state) {
    for (const auto& block : blocks()) renderer.RenderComponent(block);
    benchmark::DoNotOptimize(renderer.ViewImage().data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(blocks().size()));
}
BENCHMARK(BM_PixelCanvas)->Unit(benchmark::kMillisecond);

void BM_DisplayLists(benchmark::State& state) {
  if (quiral::bench::skippedWithoutCorpus(state, blocks())) return;
  quiral::FontEngine fonts;
  quiral::SymbolRecorder recorder(fonts);
  for (auto _ : state) {
    for (const auto& block : blocks())
      benchmark::DoNotOptimize(recorder.record(block).items().data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(blocks().size()));
}
BENCHMARK(BM_DisplayLists)->Unit(benchmark::kMillisecond);

// The same blocks in the look the pixel view draws.
void BM_DisplayListsSpecifiedLook(benchmark::State& state) {
  if (quiral::bench::skippedWithoutCorpus(state, blocks())) return;
  quiral::FontEngine fonts;
  quiral::SymbolRecorder recorder(fonts, quiral::LookName::Specified);
  for (auto _ : state) {
    for (const auto& block : blocks())
      benchmark::DoNotOptimize(recorder.record(block).items().data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(blocks().size()));
}
BENCHMARK(BM_DisplayListsSpecifiedLook)->Unit(benchmark::kMillisecond);

void BM_DisplayListsAndSvg(benchmark::State& state) {
  if (quiral::bench::skippedWithoutCorpus(state, blocks())) return;
  quiral::FontEngine fonts;
  quiral::SymbolRecorder recorder(fonts);
  size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (const auto& block : blocks())
      bytes += quiral::symbolSvg(recorder.record(block), 50).size();
  }
  state.counters["svg_bytes"] = double(bytes);
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(blocks().size()));
}
BENCHMARK(BM_DisplayListsAndSvg)->Unit(benchmark::kMillisecond);

}  // namespace
