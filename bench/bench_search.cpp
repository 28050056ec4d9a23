// Speed of the symbol search on /usr/share/kicad/symbols (Debian's kicad-symbols): a first search
// that reads every library, next to the catalog index of the same folder; the load from a warm
// cache; and one query over the loaded names (median and slowest of 100 typical queries).
// bench/search_process.sh measures the same as whole quiral-cli runs, with their peak memory.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "catalog/catalog_index.h"
#include "library/folder_listing.h"
#include "search/facts_loader.h"
#include "search/symbol_search.h"

namespace {

using namespace quiral;

const char kSymbols[] = "/usr/share/kicad/symbols";

bool skipped(benchmark::State& state) {
  if (std::filesystem::is_directory(kSymbols)) return false;
  state.SkipWithError("kicad-symbols is not installed (no /usr/share/kicad/symbols)");
  return true;
}

std::string cachePath() {
  return (std::filesystem::temp_directory_path() / "quiral-bench-search.sqlite3").string();
}

void removeCache() {
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(cachePath() + suffix);
}

void BM_IndexFolder(benchmark::State& state) {
  if (skipped(state)) return;
  for (auto _ : state) {
    FileList files;
    files.showFolder(kSymbols);
    CatalogIndex index;
    index.BitBtn1Click(files);
    benchmark::DoNotOptimize(index.nameCount());
  }
}
BENCHMARK(BM_IndexFolder)->Unit(benchmark::kMillisecond)->Iterations(2);

// A first search: every library read, kept in an empty cache, and the names folded.
void BM_SearchWithEmptyCache(benchmark::State& state) {
  if (skipped(state)) return;
  for (auto _ : state) {
    state.PauseTiming();
    removeCache();
    state.ResumeTiming();
    const SymbolSearch search(loadSearchFacts(searchPlacesOf({kSymbols}), cachePath()).libraries);
    benchmark::DoNotOptimize(search.search("usb c", 20));
  }
}
BENCHMARK(BM_SearchWithEmptyCache)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SearchWithWarmCache(benchmark::State& state) {
  if (skipped(state)) return;
  loadSearchFacts(searchPlacesOf({kSymbols}), cachePath());
  size_t names = 0;
  for (auto _ : state) {
    LoadedFacts loaded = loadSearchFacts(searchPlacesOf({kSymbols}), cachePath());
    if (loaded.readFromFiles != 0) state.SkipWithError("the cache was not warm");
    const SymbolSearch search(std::move(loaded.libraries));
    names = search.nameCount();
    benchmark::DoNotOptimize(search.search("usb c", 20));
  }
  state.counters["names"] = double(names);
}
BENCHMARK(BM_SearchWithWarmCache)->Unit(benchmark::kMillisecond);

// Typical queries: single letters and digits, part numbers, kinds of parts, packages.
const char* const kQueries[] = {"a",
                                "b",
                                "c",
                                "d",
                                "e",
                                "f",
                                "g",
                                "h",
                                "i",
                                "j",
                                "k",
                                "l",
                                "m",
                                "n",
                                "o",
                                "p",
                                "q",
                                "r",
                                "s",
                                "t",
                                "u",
                                "v",
                                "w",
                                "x",
                                "y",
                                "z",
                                "1",
                                "3",
                                "7",
                                "usb c receptacle",
                                "ldo 3.3 sot-23",
                                "stm32f407",
                                "stm32f40",
                                "407v",
                                "optocoupler",
                                "lm358",
                                "lm 358",
                                "ne555",
                                "led",
                                "opamp",
                                "mosfet n",
                                "bss138",
                                "atmega328",
                                "esp32",
                                "conn 01x04",
                                "connector generic",
                                "diode schottky",
                                "zener",
                                "crystal",
                                "mcp2515",
                                "can transceiver",
                                "rs485",
                                "max232",
                                "ft232",
                                "regulator",
                                "buck",
                                "boost",
                                "74hc595",
                                "74hc",
                                "cd4017",
                                "relay",
                                "fuse",
                                "inductor",
                                "ferrite",
                                "transformer",
                                "battery",
                                "switch push",
                                "sw_push",
                                "potentiometer",
                                "thermistor",
                                "tvs",
                                "hdmi",
                                "rj45",
                                "ethernet phy",
                                "sd card",
                                "eeprom i2c",
                                "24lc256",
                                "w25q",
                                "adc 16 bit",
                                "comparator",
                                "tl072",
                                "ina219",
                                "current sense",
                                "hall sensor",
                                "accelerometer",
                                "temperature sensor",
                                "ds18b20",
                                "oled",
                                "7 segment",
                                "buzzer",
                                "+5v",
                                "+3v3",
                                "pwr_flag",
                                "mounting hole",
                                "test point",
                                "triac",
                                "bridge rectifier",
                                "lm317",
                                "ams1117",
                                "rp2040",
                                "attiny85",
                                "nrf52",
                                "sot-23"};

void BM_OneQuery(benchmark::State& state) {
  if (skipped(state)) return;
  const SymbolSearch search(loadSearchFacts(searchPlacesOf({kSymbols}), cachePath()).libraries);
  std::vector<double> fastest(std::size(kQueries), 1e9);
  for (auto _ : state) {
    for (size_t q = 0; q < std::size(kQueries); ++q) {
      const auto start = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(search.search(kQueries[q], 500));
      const std::chrono::duration<double, std::milli> took =
          std::chrono::steady_clock::now() - start;
      fastest[q] = std::min(fastest[q], took.count());
    }
  }
  std::vector<double> sorted = fastest;
  std::sort(sorted.begin(), sorted.end());
  state.counters["queries"] = double(sorted.size());
  state.counters["median_ms"] = sorted[sorted.size() / 2];
  state.counters["slowest_ms"] = sorted.back();
  state.counters["names"] = double(search.nameCount());
}
BENCHMARK(BM_OneQuery)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
