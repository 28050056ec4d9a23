// Every corpus component recorded as vectors: the pixel view's ink lies inside the display list's
// bounds, and the SVG and PDF of a sample are accepted by real readers with their texts intact.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../render/render_test_util.h"
#include "../support/corpus_libraries.h"
#include "platform/font_engine.h"
#include "render/coordinate_map.h"
#include "render/view_crop.h"
#include "vector/symbol_files.h"
#include "vector/symbol_recorder.h"

namespace quiral {
namespace {

std::string run(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  return ::pclose(pipe) == 0 ? out : "FAILED: " + out;
}

TEST(CorpusVectors, PixelInkLiesInsideTheVectorBounds) {
  const std::vector<std::string> libraries = testing::corpusLibraries();
  ASSERT_FALSE(libraries.empty()) << "no corpus under " << QUIRAL_CORPUS_DIR;
  Session session;
  FontEngine fonts;
  SymbolRecorder recorder(fonts, LookName::Specified);  // the pixel view's look
  const std::string folder = ::testing::TempDir() + "quiral_corpus_vectors";
  std::filesystem::create_directories(folder);
  size_t checked = 0;
  for (const std::string& library : libraries) {
    session.browser.B_carregarClick(library);
    ComponentList& list = session.browser.components();
    for (size_t i = 0; i < list.size(); ++i) {
      list.select(int(i));
      session.browser.ShowComponent();
      // Both carry their font from one component to the next, so pins measure alike.
      const DisplayList& vectors = recorder.record(session.browser.memo());
      SCOPED_TRACE(library + " " + list[i]);
      // The view is the canvas's crop: its ink, placed back on the canvas.
      const ViewCrop crop = viewCropOf(session.renderer.state());
      Rect ink = testing::inkBox(session.renderer.ViewImage());
      if (ink == Rect{} || crop.blank) continue;
      ink = {ink.left + crop.sourceLeft, ink.top + crop.sourceTop, ink.right + crop.sourceLeft,
             ink.bottom + crop.sourceTop};
      ASSERT_FALSE(vectors.empty());
      const Bounds& b = vectors.bounds();
      // Bounds in canvas pixels. Hinted glyph advances are whole pixels and run past unhinted ones
      // by up to a pixel every few characters of a long field.
      const double slack = 6;
      EXPECT_GE(ink.left, (b.minX / 4.9 + 1000) - slack);
      EXPECT_LE(ink.right, (b.maxX / 4.9 + 1000) + 1 + slack);
      EXPECT_GE(ink.top, (1000 - b.maxY / 4.9) - slack);
      EXPECT_LE(ink.bottom, (1000 - b.minY / 4.9) + 1 + slack);
      ++checked;
      if (i % 97 == 0) {
        const std::string stem =
            folder + "/" + std::filesystem::path(library).stem().string() + "-" + std::to_string(i);
        writeSymbolSvg(vectors, stem + ".svg");
        writeSymbolPdf(vectors, stem + ".pdf", list[i]);
        EXPECT_EQ(run("rsvg-convert '" + stem + ".svg' 2>&1 >/dev/null"), "");
        EXPECT_EQ(run("qpdf --check '" + stem + ".pdf' >/dev/null 2>&1"), "");
        const std::string fontsListed = run("pdffonts '" + stem + ".pdf'");
        EXPECT_EQ(fontsListed.find(" no "), std::string::npos) << fontsListed;
        const std::string text = run("pdftotext '" + stem + ".pdf' -");
        for (const DisplayText& t : vectors.texts()) {
          // Words only: a lone "-" or "~" is no word for pdftotext.
          const bool word = t.utf8.size() > 1 && t.utf8.find(' ') == std::string::npos;
          if (word) {
            EXPECT_NE(text.find(t.utf8), std::string::npos) << t.utf8;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 1000u);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quiral
