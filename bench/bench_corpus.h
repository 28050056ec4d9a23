#pragma once
// Where the benchmarks find real KiCad libraries: the kicad5/ folder of the corpus that CMake
// names. A benchmark that finds none says so and is skipped instead of failing half-way.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace quiral::bench {

inline std::filesystem::path corpusFolder() {
  return std::filesystem::path(QUIRAL_CORPUS_DIR) / "kicad5";
}

// Every *.lib of the corpus in name order; empty when the folder is missing or unreadable.
inline std::vector<std::string> corpusLibraries() {
  std::vector<std::string> libraries;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(corpusFolder(), error)) {
    if (entry.path().extension() == ".lib") libraries.push_back(entry.path().string());
  }
  std::sort(libraries.begin(), libraries.end());
  return libraries;
}

// The one corpus library `name`, or nothing when the corpus lacks it.
inline std::vector<std::string> corpusLibrary(const std::string& name) {
  const std::filesystem::path path = corpusFolder() / name;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return {};
  return {path.string()};
}

// True (after marking the benchmark skipped, with the folder it looked in) when `found` is empty.
template <typename Found>
bool skippedWithoutCorpus(benchmark::State& state, const Found& found) {
  if (!found.empty()) return false;
  state.SkipWithError(("no KiCad libraries under " + corpusFolder().string()).c_str());
  return true;
}

}  // namespace quiral::bench
