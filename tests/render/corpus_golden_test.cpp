// Every view of the corpus against the hashes kept in tests/data/golden: a drawing change that
// still draws something, which the sanity checks of the corpus test let through, fails here.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/golden_hashes.h"
#include "render/renderer.h"

namespace quiral {
namespace {

using testing::ContentHash;
using testing::GoldenList;

constexpr char kGoldenViews[] = "corpus_views.txt";

std::vector<std::filesystem::path> corpusLibraries() {
  std::vector<std::filesystem::path> libraries;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(QUIRAL_CORPUS_DIR) + "/kicad5", error)) {
    if (entry.path().extension() == ".lib") libraries.push_back(entry.path());
  }
  std::sort(libraries.begin(), libraries.end());
  return libraries;
}

std::string viewHash(const Bitmap& view) {
  ContentHash hash;
  const int size[2] = {view.width(), view.height()};
  hash.add(size, sizeof size);
  hash.add(view.data(), view.stride() * size_t(view.height()));
  return hash.hex();
}

TEST(CorpusGolden, EveryViewKeepsItsPixels) {
  const auto libraries = corpusLibraries();
  ASSERT_EQ(libraries.size(), 35u) << "the KiCad corpus was not found under " << QUIRAL_CORPUS_DIR;
  GoldenList actual;
  Session session;
  for (const auto& library : libraries) {
    session.browser.B_carregarClick(library.string());
    ComponentList& list = session.browser.components();
    for (size_t i = 0; i < list.size(); ++i) {
      list.select(int(i));
      session.browser.ShowComponent();
      const Bitmap& view = session.renderer.ViewImage();
      char key[64];
      std::snprintf(key, sizeof key, " %04zu %dx%d", i, view.width(), view.height());
      actual[library.stem().string() + key] = viewHash(view);
    }
  }
  if (testing::updatingGolden()) {
    testing::writeGolden(kGoldenViews, "library, entry, view size and hash of its pixels", actual);
    GTEST_SKIP() << "golden views rewritten";
  }
  const GoldenList expected = testing::readGolden(kGoldenViews);
  ASSERT_FALSE(expected.empty()) << "no golden list at " << testing::goldenPath(kGoldenViews);
  EXPECT_TRUE(expected == actual) << testing::goldenDifferences(expected, actual);
}

}  // namespace
}  // namespace quiral
