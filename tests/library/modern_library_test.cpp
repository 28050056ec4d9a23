// A modern library in use: listed and shown from its translation, translated again only when
// the file changes.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "library/library_browser.h"
#include "platform/error.h"
#include "recording_renderer.h"
#include "test_files.h"

namespace quiral {
namespace {

using Lines = std::vector<std::string>;
using testing::RecordingRenderer;
using testing::TempDir;

struct Browser {
  RecordingRenderer renderer;
  LibraryBrowser browser{&renderer};
};

TEST(ModernLibrary, ListsRootsAndShowsTheTranslatedBlock) {
  Browser b;
  b.browser.LoadLibrary(std::string(QUIRAL_TEST_DATA_DIR) + "/library", "gates.kicad_sym");
  EXPECT_EQ(b.browser.components().entries(), (Lines{"NAND", "R"}));
  ASSERT_EQ(b.renderer.rendered.size(), 1u);
  EXPECT_EQ(b.renderer.rendered[0],
            (Lines{"DEF NAND U 0 40 Y Y 2 F N", "F0 \"U\" 0 50 50 H V C CNN",
                   "F1 \"NAND\" 0 -50 50 H V C CNN", "F2 \"\" 0 0 50 H I C CNN",
                   "F3 \"\" 0 0 50 H I C CNN", "ALIAS NAND_B", "DRAW",
                   "A 0 0 150 -899 899 1 1 10 f 0 -150 0 150",
                   "P 4 1 1 10 0 150 -150 150 -150 -150 0 -150 f",
                   "X VCC 14 0 400 200 D 50 50 2 0 W", "X ~ 1 -300 100 150 R 50 50 1 1 I",
                   "X ~ 3 300 0 150 L 50 50 1 1 O I", "ENDDRAW", "ENDDEF"}));
  const auto translation = b.browser.modernTranslation();
  ASSERT_TRUE(translation);
  EXPECT_NE(translation->documentationText.find("$CMP NAND_B\nD the same gate, small\n"),
            std::string::npos);
  EXPECT_EQ(translation->warnings.size(), 1u);  // NAND_B's own footprint

  b.browser.components().select(1);
  b.browser.ShowComponent();
  EXPECT_EQ(b.browser.memo()[0], "DEF R R 0 0 N Y 1 F N");
  EXPECT_EQ(b.browser.memo()[6], "T 900 0 0 30 0 0 1 \"10 k\" Normal 0 C C");
  // Showing again reads the same translation; a legacy library drops it.
  EXPECT_EQ(b.browser.modernTranslation(), translation);
  b.browser.LoadLibrary(std::string(QUIRAL_TEST_DATA_DIR) + "/library", "three_lf.lib");
  EXPECT_FALSE(b.browser.modernTranslation());
}

TEST(ModernLibrary, AChangedFileIsTranslatedAgainAndABrokenOneNamesWhere) {
  TempDir dir;
  const std::string path = dir.file("mine.KICAD_SYM");
  testing::writeBytes(path, "(kicad_symbol_lib (symbol \"A\"))");
  Browser b;
  b.browser.B_carregarClick(path);
  EXPECT_EQ(b.browser.components().entries(), (Lines{"A"}));
  b.browser.components().select(0);
  testing::writeBytes(path, "(kicad_symbol_lib (symbol \"A\") (symbol \"BB\"))");
  b.browser.ShowComponent();
  EXPECT_EQ(b.browser.modernTranslation()->blockCount, 2u);

  testing::writeBytes(path, "(kicad_symbol_lib\n  (symbol \"A\"");
  try {
    b.browser.B_carregarClick(path);
    FAIL() << "a broken library was listed";
  } catch (const QuiralError& e) {
    EXPECT_EQ(std::string(e.what()),
              path +
                  ": line 2, column 14: the text ends inside the list opened at line 2, "
                  "column 3");
  }
  EXPECT_THROW(b.browser.B_carregarClick(dir.file("missing.kicad_sym")), FileError);
}

}  // namespace
}  // namespace quiral
