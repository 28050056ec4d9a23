// Speed of library reading on the KiCad corpus: the tokenizer over every line, the line
// dispatcher, and listing plus showing every component of Device.lib.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_corpus.h"
#include "library/library_browser.h"
#include "library/line_interpreter.h"
#include "library/token_table.h"
#include "platform/line_reader.h"

namespace {

using namespace quiral;

// Every line of every corpus library, read once.
const std::vector<std::string>& corpusLines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> all;
    for (const std::string& lib : bench::corpusLibraries()) {
      for (std::string& line : readAllLines(lib)) all.push_back(std::move(line));
    }
    return all;
  }();
  return lines;
}

int64_t totalBytes(const std::vector<std::string>& lines) {
  int64_t bytes = 0;
  for (const std::string& line : lines) bytes += int64_t(line.size());
  return bytes;
}

void BM_TokenizeCorpusLines(benchmark::State& state) {
  const auto& lines = corpusLines();
  if (bench::skippedWithoutCorpus(state, lines)) return;
  TokenTable table;
  for (auto _ : state) {
    for (const std::string& line : lines) benchmark::DoNotOptimize(TokenizeLine(table, line));
  }
  state.SetBytesProcessed(state.iterations() * totalBytes(lines));
  state.counters["lines"] = double(lines.size());
}
BENCHMARK(BM_TokenizeCorpusLines)->Unit(benchmark::kMillisecond);

// Handlers that only touch what a drawer would read.
class TouchingHandlers : public RecordHandlers {
 public:
  size_t sink = 0;
  void retangulo(const TokenTable& t, int n) override { touch(t, n); }
  void poligono(const TokenTable& t, int n) override { touch(t, n); }
  void pino(const TokenTable& t, int n) override { touch(t, n); }
  void textos(const TokenTable& t, int n) override { touch(t, n); }
  void arco(const TokenTable& t, int n) override { touch(t, n); }
  void circulo(const TokenTable& t, int n) override { touch(t, n); }
  void definicao(const TokenTable& t, int n) override { touch(t, n); }
  void titulos(const TokenTable& t, int n) override { touch(t, n); }
  void aliasLine(std::string_view line) override { sink += line.size(); }

 private:
  void touch(const TokenTable& t, int n) { sink += t.text(n).size() + size_t(n); }
};

void BM_InterpretCorpusLines(benchmark::State& state) {
  const auto& lines = corpusLines();
  if (bench::skippedWithoutCorpus(state, lines)) return;
  TouchingHandlers handlers;
  LineInterpreter interpreter(&handlers);
  for (auto _ : state) {
    for (const std::string& line : lines) interpreter.interpreta_linha(line);
  }
  benchmark::DoNotOptimize(handlers.sink);
  state.SetBytesProcessed(state.iterations() * totalBytes(lines));
}
BENCHMARK(BM_InterpretCorpusLines)->Unit(benchmark::kMillisecond);

class NoRenderer : public ComponentRenderer {
 public:
  size_t lines = 0;
  void RenderComponent(const std::vector<std::string>& memo) override { lines += memo.size(); }
};

// LoadLibrary, then ShowComponent of every entry: each show reads the file again from its start.
void BM_LoadAndShowEveryDeviceComponent(benchmark::State& state) {
  const std::vector<std::string> device = bench::corpusLibrary("Device.lib");
  if (bench::skippedWithoutCorpus(state, device)) return;
  size_t components = 0;
  for (auto _ : state) {
    NoRenderer renderer;
    LibraryBrowser browser(&renderer);
    browser.LoadLibrary(bench::corpusFolder().string(), "Device.lib");
    components = browser.components().size();
    for (size_t i = 1; i < components; ++i) {
      browser.components().select(int(i));
      browser.ShowComponent();
    }
    benchmark::DoNotOptimize(renderer.lines);
  }
  state.counters["components"] = double(components);
  state.counters["shows/s"] =
      benchmark::Counter(double(components), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoadAndShowEveryDeviceComponent)->Unit(benchmark::kMillisecond);

}  // namespace
