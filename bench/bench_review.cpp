// Speed of a review over the KiCad corpus: the corpus folder against a copy in which every
// symbol's drawn records stand in reverse order and the first pin of every symbol moved (so
// every block must be read and compared, and every symbol differs), against the catalog index of
// both folders, which reads the same files.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench_corpus.h"
#include "catalog/catalog_index.h"
#include "library/folder_listing.h"
#include "platform/file_io.h"
#include "platform/font_engine.h"
#include "review/library_review.h"
#include "review/review_report.h"
#include "vector/symbol_recorder.h"

namespace {

using namespace quiral;

// The edited copy of one library's text.
std::string edited(const std::string& text) {
  std::string out, drawn;
  bool inDraw = false, pinMoved = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start) + "\n";
    start = end + 1;
    if (line.rfind("DRAW", 0) == 0) {
      inDraw = true, pinMoved = false, out += line;
    } else if (line.rfind("ENDDRAW", 0) == 0) {
      inDraw = false, out += drawn + line, drawn.clear();
    } else if (inDraw) {
      if (!pinMoved && line.rfind("X ", 0) == 0) {
        line.insert(line.size() - 1, " I");  // a bubble on the first pin
        pinMoved = true;
      }
      drawn.insert(0, line);
    } else {
      out += line;
    }
  }
  return out;
}

// The edited corpus, made once in a private folder.
const std::string& editedCorpus() {
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "quiral-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return std::string();
    for (const std::string& library : bench::corpusLibraries()) {
      const std::filesystem::path path(library);
      std::ofstream(std::filesystem::path(pattern) / path.filename(), std::ios::binary)
          << edited(readWholeFile(library, size_t(1) << 30));
      std::filesystem::path dcm = path;
      dcm.replace_extension(".dcm");
      std::error_code ignored;
      std::filesystem::copy_file(dcm, std::filesystem::path(pattern) / dcm.filename(), ignored);
    }
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(editedCorpus(), ignored);
    });
    return pattern;
  }();
  return folder;
}

// What the review is measured against: the catalog index of each side.
void BM_IndexBothSides(benchmark::State& state) {
  if (bench::skippedWithoutCorpus(state, bench::corpusLibraries())) return;
  for (auto _ : state) {
    for (const std::string& folder : {bench::corpusFolder().string(), editedCorpus()}) {
      FileList files;
      files.showFolder(folder);
      CatalogIndex index;
      index.BitBtn1Click(files);
      benchmark::DoNotOptimize(index.nameCount());
    }
  }
}
BENCHMARK(BM_IndexBothSides)->Unit(benchmark::kMillisecond);

void BM_ReviewInWords(benchmark::State& state) {
  if (bench::skippedWithoutCorpus(state, bench::corpusLibraries())) return;
  size_t entries = 0;
  for (auto _ : state) {
    const Review review = reviewPaths(bench::corpusFolder().string(), editedCorpus());
    entries = review.entries.size();
  }
  state.counters["symbols"] = double(entries);
}
BENCHMARK(BM_ReviewInWords)->Unit(benchmark::kMillisecond);

// The HTML report with the overlay pictures of every changed symbol.
void BM_ReviewHtmlReport(benchmark::State& state) {
  if (bench::skippedWithoutCorpus(state, bench::corpusLibraries())) return;
  const Review review = reviewPaths(bench::corpusFolder().string(), editedCorpus());
  FontEngine fonts;
  SymbolRecorder recorder(fonts);
  size_t bytes = 0;
  for (auto _ : state) {
    bytes = reviewHtml(review, "old", "new", recorder).size();
  }
  state.counters["symbols"] = double(review.entries.size());
  state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_ReviewHtmlReport)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
