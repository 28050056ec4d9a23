// Speed of the catalog index over the KiCad corpus: the build of every library of the folder
// against reading the same files' bytes, and a search by the beginning of a name.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "catalog/catalog_index.h"
#include "library/folder_listing.h"
#include "platform/file_io.h"
#include "platform/line_reader.h"

namespace {

using namespace quiral;

const std::string kCorpus = (std::filesystem::path(QUIRAL_CORPUS_DIR) / "kicad5").string();

bool corpusFiles(FileList& files) {
  if (!std::filesystem::is_directory(kCorpus)) return false;
  files.showFolder(kCorpus);
  return files.size() > 0;
}

// What the build is measured against: every library's bytes read into memory.
void BM_ReadCorpusLibraryBytes(benchmark::State& state) {
  FileList files;
  if (!corpusFiles(files)) return state.SkipWithError("corpus not found");
  int64_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (size_t i = 0; i < files.size(); ++i) {
      const std::string text = readWholeFile(files.pathOf(i), size_t(1) << 30);
      bytes += int64_t(text.size());
      benchmark::DoNotOptimize(text.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["files"] = double(files.size());
}
BENCHMARK(BM_ReadCorpusLibraryBytes)->Unit(benchmark::kMillisecond);

// The same files read line by line through the program's text reader, as the build reads them.
void BM_ReadCorpusLibraryLines(benchmark::State& state) {
  FileList files;
  if (!corpusFiles(files)) return state.SkipWithError("corpus not found");
  int64_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (size_t i = 0; i < files.size(); ++i) {
      TextFileReader reader(files.pathOf(i));
      std::string_view line;
      while (reader.nextLine(line)) bytes += int64_t(line.size()) + 1;
    }
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_ReadCorpusLibraryLines)->Unit(benchmark::kMillisecond);

void BM_BuildCorpusIndex(benchmark::State& state) {
  FileList files;
  if (!corpusFiles(files)) return state.SkipWithError("corpus not found");
  CatalogIndex index;
  for (auto _ : state) index.BitBtn1Click(files);
  int64_t bytes = 0;
  for (size_t i = 0; i < files.size(); ++i)
    bytes += int64_t(std::filesystem::file_size(files.pathOf(i)));
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["blocks"] = double(index.modelCount());
  state.counters["names"] = double(index.nameCount());
}
BENCHMARK(BM_BuildCorpusIndex)->Unit(benchmark::kMillisecond);

// A search from the top of the names: state.range(0) selects a prefix found near the end of the
// alias order, or one that no name has (every row is compared).
void BM_LocateNamePrefix(benchmark::State& state) {
  FileList files;
  if (!corpusFiles(files)) return state.SkipWithError("corpus not found");
  CatalogIndex index;
  index.BitBtn1Click(files);
  const std::string prefix = state.range(0) == 0 ? "z3smc" : "no such part";
  bool found = false;
  for (auto _ : state) {
    index.RxMD_principal().First();
    found = index.BitBtn2Click(prefix);
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = found ? 1 : 0;
  state.counters["names"] = double(index.nameCount());
}
BENCHMARK(BM_LocateNamePrefix)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
