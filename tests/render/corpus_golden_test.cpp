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
#include "corpus_view_keys.h"
#include "render/renderer.h"

namespace quiral {
namespace {

using testing::corpusLibraries;
using testing::GoldenList;

constexpr char kGoldenViews[] = "corpus_views.txt";

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
      actual[testing::viewKey(library.stem().string(), i, view)] = testing::viewHash(view);
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
