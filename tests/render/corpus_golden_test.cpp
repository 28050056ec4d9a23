// Every view of the corpus against the hashes kept in tests/data/golden: a drawing change that
// still draws something, which the sanity checks of the corpus test let through, fails here.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/corpus_libraries.h"
#include "../support/golden_hashes.h"
#include "render/renderer.h"

namespace quiral {
namespace {

using testing::ContentHash;
using testing::corpusLibraries;
using testing::GoldenList;

constexpr char kGoldenViews[] = "corpus_views.txt";

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
  for (const std::filesystem::path library : libraries) {
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
