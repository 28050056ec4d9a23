// Speed of modern libraries: parsing Device.kicad_sym, translating it into legacy text, and
// loading it as the program does (translation included) and showing every component.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_corpus.h"
#include "kicad_sym/library_translation.h"
#include "kicad_sym/sexpr.h"
#include "library/library_browser.h"
#include "platform/file_io.h"
#include "render/renderer.h"

namespace {

using namespace quiral;

const char kDevice[] = "/usr/share/kicad/symbols/Device.kicad_sym";

const std::string& deviceText() {
  static const std::string text =
      std::filesystem::exists(kDevice) ? readWholeFile(kDevice, kMaxModernLibraryBytes) : "";
  return text;
}

void BM_ParseDevice(benchmark::State& state) {
  if (deviceText().empty()) return state.SkipWithError("kicad-symbols is not installed");
  for (auto _ : state) {
    SexprDocument document = SexprDocument::parse(deviceText());
    benchmark::DoNotOptimize(document.nodeCount());
  }
  state.SetBytesProcessed(state.iterations() * int64_t(deviceText().size()));
}
BENCHMARK(BM_ParseDevice)->Unit(benchmark::kMillisecond);

void BM_TranslateDevice(benchmark::State& state) {
  if (deviceText().empty()) return state.SkipWithError("kicad-symbols is not installed");
  for (auto _ : state) {
    TranslatedLibrary library = translateModernLibrary(deviceText());
    benchmark::DoNotOptimize(library.libraryText.data());
  }
  state.SetBytesProcessed(state.iterations() * int64_t(deviceText().size()));
}
BENCHMARK(BM_TranslateDevice)->Unit(benchmark::kMillisecond);

// A fresh session each time, so that the translation is made again as a first load makes it.
void BM_LoadDeviceAndShowEveryComponent(benchmark::State& state) {
  if (deviceText().empty()) return state.SkipWithError("kicad-symbols is not installed");
  size_t shown = 0;
  for (auto _ : state) {
    Session session;
    session.browser.B_carregarClick(kDevice);
    ComponentList& list = session.browser.components();
    for (size_t i = 0; i < list.size(); ++i) {
      list.select(int(i));
      session.browser.ShowComponent();
    }
    shown = list.size();
  }
  state.counters["components"] = double(shown);
}
BENCHMARK(BM_LoadDeviceAndShowEveryComponent)->Unit(benchmark::kMillisecond);

// What `quiral-cli list` does with a library: load it in a fresh browser and list its names. The
// modern Device library against the legacy one it was converted from.
void listLibrary(benchmark::State& state, const std::string& path) {
  size_t names = 0;
  for (auto _ : state) {
    LibraryBrowser browser;
    browser.B_carregarClick(path);
    names = browser.components().size();
    benchmark::DoNotOptimize(names);
  }
  state.counters["names"] = double(names);
}

void BM_ListDeviceModern(benchmark::State& state) {
  if (deviceText().empty()) return state.SkipWithError("kicad-symbols is not installed");
  listLibrary(state, kDevice);
}
BENCHMARK(BM_ListDeviceModern)->Unit(benchmark::kMillisecond);

void BM_ListDeviceLegacy(benchmark::State& state) {
  const std::string path = (bench::corpusFolder() / "Device.lib").string();
  if (!std::filesystem::exists(path)) return state.SkipWithError("the KiCad corpus is missing");
  listLibrary(state, path);
}
BENCHMARK(BM_ListDeviceLegacy)->Unit(benchmark::kMillisecond);

}  // namespace
