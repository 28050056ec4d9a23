// Both catalogs generated from small libraries through the command path, without a window.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/reports/catalog_fixtures.h"

namespace quiral {
namespace {

using testing::printedCells;
using testing::textsIn;
using testing::writeBytes;

const char* const kGates =
    "EESchema-LIBRARY Version 2.4\n"
    "DEF 74LS00 U 0 40 Y Y 4 L N\n"
    "ALIAS 74LS01 74LS02\n"
    "DRAW\nS -200 -200 200 200 1 1 10 f\nX ~ 1 -400 0 200 R 50 50 1 1 I\nENDDRAW\nENDDEF\n"
    "DEF r_small R 0 0 N Y 1 F N\n"
    "DRAW\nS -30 -70 30 70 0 1 8 N\nENDDRAW\nENDDEF\n"
    "DEF NOUNITS U 0 40 Y Y\n"
    "DRAW\nC 0 0 100 0 1 0 N\nENDDRAW\nENDDEF\n"
    "DEF ZERO U 0 40 Y Y 0 F N\n"
    "DRAW\nP 2 0 1 0 -100 0 100 0 N\nENDDRAW\nENDDEF\n";

const char* const kGatesDoc =
    "EESchema-DOCLIB  Version 2.0\n"
    "$CMP 74LS00\nD Quad NAND gate\n$ENDCMP\n"
    "$CMP R_Small\nD Resistor, small symbol\n$ENDCMP\n";

class CatalogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeBytes(dir.file("gates.lib"), kGates);
    writeBytes(dir.file("gates.dcm"), kGatesDoc);
  }
  testing::TempDir dir;
  testing::CatalogFixture f;
};

int inkOf(const Bitmap& b) {
  int ink = 0;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) ink += b.pixel(x, y) != 0xFFFFFFu;
  return ink;
}

bool contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(CatalogTest, DrawingsCatalogFillsOneCellPerComponent) {
  f.load(dir.file("gates.lib"));
  ASSERT_EQ(f.prepare(CatalogKind::Drawings), CatalogCommands::Outcome::Ready);
  EXPECT_EQ(f.needDataCalls, 5);  // N + 1
  const TQuickRep& report = f.report(CatalogKind::Drawings);
  const auto cells = printedCells(report);
  ASSERT_EQ(cells.size(), 4u);
  EXPECT_EQ(cells[0].name, "74LS00");
  EXPECT_EQ(cells[1].name, "r_small");
  const PreparedPage& page = *report.qrPrinter().page(1);

  const auto first = textsIn(page, cells[0].frame);
  EXPECT_TRUE(contains(first, "4 elementos"));
  EXPECT_TRUE(contains(first, "Quad NAND gate"));
  EXPECT_TRUE(contains(first, "ALIAS"));  // the alias line, wrapped in its narrow label
  EXPECT_TRUE(contains(first, "74LS01"));

  // A mixed-case name finds its description; no alias is left over from the cell before.
  const auto second = textsIn(page, cells[1].frame);
  EXPECT_TRUE(contains(second, "1 elemento"));
  EXPECT_TRUE(contains(second, "Resistor, small symbol"));
  EXPECT_FALSE(contains(second, "ALIAS"));
  EXPECT_FALSE(contains(second, "74LS01"));

  EXPECT_TRUE(contains(textsIn(page, cells[2].frame), " elementos"));
  EXPECT_TRUE(contains(textsIn(page, cells[3].frame), "0 elemento"));

  // The scale is worked out for each cell but never printed.
  EXPECT_EQ(f.form3.FitScale(), 100);
  for (const auto& text : textsIn(page, {0, 0, 2100, 2970}))
    EXPECT_EQ(text.find("Escala"), std::string::npos);

  // Header and footer; the run leaves the cursor on the last component.
  EXPECT_TRUE(contains(textsIn(page, {0, 0, 2100, 300}), "Biblioteca: gates.lib"));
  EXPECT_TRUE(contains(textsIn(page, {0, 2700, 2100, 2970}),
                       "Quiral " QUIRAL_VERSION " - Visualizador/Catálogo de componentes p/KiCad"));
  EXPECT_EQ(f.session.browser.components().selectedIndex(), 3);
  EXPECT_EQ(f.session.renderer.state().PrintRemaining, 0);

  // Each cell keeps the picture of its own component at the box's screen size, centred.
  std::vector<PagePicture> pictures;
  for (const PageItem& item : page.items)
    if (const auto* p = std::get_if<PagePicture>(&item)) pictures.push_back(*p);
  ASSERT_EQ(pictures.size(), 4u);
  EXPECT_EQ(pictures[0].picture->width(), 195);
  EXPECT_EQ(pictures[0].picture->height(), 179);
  EXPECT_TRUE(pictures[0].center);
  EXPECT_NE(inkOf(pictures[0].picture->toBitmap()), 0);
  EXPECT_NE(inkOf(pictures[0].picture->toBitmap()), inkOf(pictures[1].picture->toBitmap()));
}

TEST_F(CatalogTest, ListCatalogHasNameDescriptionAndAliasPerCell) {
  f.load(dir.file("gates.lib"));
  ASSERT_EQ(f.prepare(CatalogKind::List), CatalogCommands::Outcome::Ready);
  EXPECT_EQ(f.needDataCalls, 5);
  const TQuickRep& report = f.report(CatalogKind::List);
  const auto cells = printedCells(report);
  ASSERT_EQ(cells.size(), 4u);
  const PreparedPage& page = *report.qrPrinter().page(1);
  const auto first = textsIn(page, cells[0].frame);
  EXPECT_TRUE(contains(first, "Quad NAND gate"));
  EXPECT_TRUE(contains(first, "ALIAS 74LS01 74LS02"));
  EXPECT_EQ(cells[1].name, "r_small");
  EXPECT_TRUE(contains(textsIn(page, cells[1].frame), "Resistor, small symbol"));
}

TEST_F(CatalogTest, CellsRunDownTheColumnsThenOnToTheNextPage) {
  writeBytes(dir.file("seven.lib"), testing::numberedLibrary(7));
  f.load(dir.file("seven.lib"));
  f.prepare(CatalogKind::Drawings);
  const auto cells = printedCells(f.report(CatalogKind::Drawings));
  ASSERT_EQ(cells.size(), 7u);
  for (size_t i = 0; i < cells.size(); ++i) {
    EXPECT_EQ(cells[i].name, "P" + std::to_string(i + 1));
    EXPECT_EQ(cells[i].page, i < 6 ? 1 : 2);
    EXPECT_EQ(cells[i].frame.left, (i % 6) < 3 ? 100 : 100 + 949) << i;
  }
  EXPECT_EQ(cells[0].frame.top, cells[3].frame.top);
  EXPECT_EQ(cells[1].frame.top, cells[0].frame.bottom);
}

TEST_F(CatalogTest, AOneComponentLibraryPrintsOneCellAfterTwoCalls) {
  writeBytes(dir.file("one.lib"), testing::numberedLibrary(1));
  f.load(dir.file("one.lib"));
  for (CatalogKind kind : {CatalogKind::Drawings, CatalogKind::List}) {
    f.prepare(kind);
    EXPECT_EQ(f.needDataCalls, 2);
    const auto cells = printedCells(f.report(kind));
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0].name, "P1");
  }
}

TEST(UnitCountText, PluralUnlessExactlyOneOrZero) {
  EXPECT_EQ(unitCountText("4"), "4 elementos");
  EXPECT_EQ(unitCountText("1"), "1 elemento");
  EXPECT_EQ(unitCountText("0"), "0 elemento");
  EXPECT_EQ(unitCountText(""), " elementos");
  EXPECT_EQ(unitCountText("01"), "01 elementos");
}

}  // namespace
}  // namespace quiral

namespace quiral {
namespace {

// A modern library's catalog takes its descriptions from the translated documentation, not from
// a .dcm file beside it (which here says something else).
TEST(ModernCatalog, DescriptionsAndAliasesComeFromTheTranslation) {
  testing::TempDir dir;
  writeBytes(dir.file("gates.kicad_sym"),
             testing::readBytes(std::string(QUIRAL_TEST_DATA_DIR) + "/library/gates.kicad_sym"));
  writeBytes(dir.file("gates.dcm"), "$CMP NAND\nD stale text\n$ENDCMP\n");
  testing::CatalogFixture f;
  f.load(dir.file("gates.kicad_sym"));
  ASSERT_EQ(f.prepare(CatalogKind::Drawings), CatalogCommands::Outcome::Ready);
  const TQuickRep& report = f.report(CatalogKind::Drawings);
  const auto cells = printedCells(report);
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[0].name, "NAND");
  const auto texts = textsIn(*report.qrPrinter().page(1), cells[0].frame);
  EXPECT_TRUE(contains(texts, "two-input gate"));
  EXPECT_TRUE(contains(texts, "NAND_B"));
  EXPECT_TRUE(contains(texts, "2 elementos"));
}

}  // namespace
}  // namespace quiral
