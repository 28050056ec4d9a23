// render-all over the whole corpus writes the same PNG bytes as the list kept in
// tests/data/golden.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/corpus_libraries.h"
#include "../support/golden_hashes.h"
#include "cli_runner.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

using testing::ContentHash;
using testing::corpusLibraries;
using testing::GoldenList;

constexpr char kGoldenPngs[] = "corpus_pngs.txt";

struct ScratchFolder {
  quiral::testing::TempDir dir;
  const std::filesystem::path path = dir.path();
};

// File name -> hash of its bytes, for every file of the folder.
GoldenList hashFolder(const std::filesystem::path& folder) {
  GoldenList hashes;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    ContentHash hash;
    hash.add(testing::readBytes(entry.path().string()));
    hashes[entry.path().filename().string()] = hash.hex();
  }
  return hashes;
}

GoldenList renderAllInto(const std::vector<std::string>& libraries,
                         const std::vector<std::string>& options, std::string* printed = nullptr) {
  ScratchFolder out;
  std::vector<std::string> args{"render-all"};
  args.insert(args.end(), libraries.begin(), libraries.end());
  args.insert(args.end(), options.begin(), options.end());
  args.insert(args.end(), {"-o", out.path.string()});
  const auto result = testing::runCli(args);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("total: 3035 components"), std::string::npos) << result.out;
  if (printed) *printed = result.out;
  return hashFolder(out.path);
}

TEST(RenderAllGolden, EveryPngKeepsItsBytes) {
  const auto libraries = corpusLibraries();
  ASSERT_EQ(libraries.size(), 35u) << "the KiCad corpus was not found under " << QUIRAL_CORPUS_DIR;
  const GoldenList actual = renderAllInto(libraries, {});
  if (testing::updatingGolden()) {
    testing::writeGolden(kGoldenPngs, "file written by render-all and hash of its bytes", actual);
    GTEST_SKIP() << "golden PNG list rewritten";
  }
  const GoldenList expected = testing::readGolden(kGoldenPngs);
  ASSERT_FALSE(expected.empty()) << "no golden list at " << testing::goldenPath(kGoldenPngs);
  EXPECT_TRUE(expected == actual) << testing::goldenDifferences(expected, actual);
}

// Libraries drawn on several workers give the same files, and the same report in the same order,
// as one worker: each worker draws with its own canvas and fonts.
TEST(RenderAllGolden, AnyNumberOfJobsWritesTheSameFiles) {
  const auto libraries = corpusLibraries();
  ASSERT_EQ(libraries.size(), 35u);
  const GoldenList expected = testing::readGolden(kGoldenPngs);
  std::string printedByOne, printedByThree;
  const GoldenList one = renderAllInto(libraries, {"--jobs", "1"}, &printedByOne);
  EXPECT_TRUE(expected == one) << testing::goldenDifferences(expected, one);
  const GoldenList three = renderAllInto(libraries, {"--jobs", "3"}, &printedByThree);
  EXPECT_TRUE(expected == three) << testing::goldenDifferences(expected, three);
  EXPECT_EQ(printedByOne, printedByThree);
}

}  // namespace
}  // namespace quiral
