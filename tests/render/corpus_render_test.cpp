// Every component of every corpus library (any folder of KiCad libraries) is listed, read and
// drawn; the views are sane and the partial canvas clear between components leaves exactly what a
// whole clear would.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/corpus_libraries.h"
#include "render/renderer.h"
#include "render_test_util.h"

namespace quiral {
namespace {

using testing::corpusLibraries;

bool sameData(const Bitmap& a, const Bitmap& b) {
  return a.width() == b.width() && a.height() == b.height() &&
         std::memcmp(a.data(), b.data(), a.stride() * size_t(a.height())) == 0;
}

bool drawsSomething(const std::vector<std::string>& memo) {
  for (const std::string& line : memo) {
    size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos || first + 1 >= line.size() || line[first + 1] != ' ') continue;
    if (std::strchr("SPCAX", line[first])) return true;
  }
  return false;
}

TEST(CorpusRender, EveryComponentOfEveryLibraryRenders) {
  const std::vector<std::string> libraries = corpusLibraries();
  ASSERT_FALSE(libraries.empty()) << "no KiCad library found under " << QUIRAL_CORPUS_DIR
                                  << "/kicad5";
  Session session;
  for (const std::string& library : libraries) {
    session.browser.B_carregarClick(library);
    ComponentList& list = session.browser.components();
    for (size_t i = 0; i < list.size(); ++i) {
      list.select(int(i));
      // Every 40th component is also drawn on a fresh canvas with the same carried-over font.
      const bool sample = i % 40 == 0;
      const FontSpec fontBefore = session.renderer.canvas().font();
      session.browser.ShowComponent();
      const Bitmap& view = session.renderer.ViewImage();
      const DrawingState& s = session.renderer.state();
      SCOPED_TRACE(library + " #" + std::to_string(i) + " " + list[i]);
      ASSERT_GE(view.width(), 1);
      ASSERT_LE(view.width(), 8192);
      ASSERT_LE(view.height(), 8192);
      if (drawsSomething(session.browser.memo())) {
        EXPECT_EQ(int64_t(view.width()), std::min<int64_t>(int64_t(s.MaxX) - s.MinX + 100, 8192));
        EXPECT_NE(testing::inkBox(view), Rect{}) << "nothing drawn";
      }
      if (sample) {
        Renderer fresh;
        fresh.canvas().setFont(fontBefore);
        fresh.RenderComponent(session.browser.memo());
        EXPECT_TRUE(sameData(fresh.DrawingCanvas(), session.renderer.DrawingCanvas()));
        EXPECT_TRUE(sameData(fresh.ViewImage(), view));
      }
    }
  }
}

}  // namespace
}  // namespace quiral
