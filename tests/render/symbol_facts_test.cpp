// What the window's component list, properties tab and pin table read from a block: aliases
// after their symbols, an alias drawn with its own name as value, the documentation entry of a
// name, and pins and properties of a legacy and a modern symbol.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/alias_rows.h"
#include "library/documentation_entry.h"
#include "library/library_browser.h"
#include "library/pin_table.h"
#include "platform/text_codec.h"
#include "render/renderer.h"
#include "render/symbol_properties.h"

namespace quiral {
namespace {

using Lines = std::vector<std::string>;
const std::string kExamples = std::string(QUIRAL_TEST_DATA_DIR) + "/../../examples";
const std::string kTestLibraries = std::string(QUIRAL_TEST_DATA_DIR) + "/library";

TEST(SymbolFacts, AliasesFollowTheirSymbolsAndAnAliasShowsItsNameAsValue) {
  LibraryBrowser legacy;
  legacy.B_carregarClick(kExamples + "/74xx_gates.lib");
  const std::vector<ComponentRow> rows =
      componentRows(legacy.components().size(), legacy.readAliases());
  ASSERT_GE(rows.size(), 4u);
  EXPECT_EQ(legacy.components()[rows[0].component], "74LS00");
  EXPECT_FALSE(rows[0].isAlias());
  EXPECT_EQ(rows[1].alias, "74HC00");
  EXPECT_EQ(rows[2].alias, "74HCT00");
  EXPECT_EQ(rows[1].component, 0u);
  EXPECT_EQ(legacy.components()[rows[3].component], "74LS08");
  EXPECT_EQ(rows[4].alias, "74HC08");
  EXPECT_EQ(rowOfComponent(rows, 1), 3);
  EXPECT_EQ(rowOfComponent(rows, 2), 5);
  EXPECT_EQ(rowOfComponent(rows, 99), -1);

  LibraryBrowser modern;
  modern.B_carregarClick(kTestLibraries + "/gates.kicad_sym");
  const std::vector<ComponentRow> derived =
      componentRows(modern.components().size(), modern.readAliases());
  ASSERT_EQ(derived.size(), 3u);  // NAND, its derived NAND_B, R
  EXPECT_EQ(derived[1].alias, "NAND_B");

  EXPECT_EQ(
      blockWithValue({"DEF X U 0 40 Y Y 1 F N", "F1 \"X\" 0 0 50 H V C CNN", "ENDDEF"}, "Y_alias"),
      (Lines{"DEF X U 0 40 Y Y 1 F N", "F1 \"Y_alias\" 0 0 50 H V C CNN", "ENDDEF"}));
  const Lines noValue{"DEF X U 0 40 Y Y 1 F N", "F1 X 0 0 50 H V C CNN"};
  EXPECT_EQ(blockWithValue(noValue, "Y"), noValue);
  // The alias's name is what the view draws in the value's place.
  modern.components().select(0);
  modern.ShowComponent();
  Renderer renderer;
  renderer.RenderComponent(blockWithValue(modern.memo(), "NAND_B"));
  EXPECT_NE(renderer.ViewImage().width(), 0);
}

TEST(SymbolFacts, PinsAndPropertiesOfALegacyAndAModernSymbol) {
  LibraryBrowser legacy;
  legacy.B_carregarClick(kExamples + "/74xx_gates.lib");
  legacy.components().select(0);
  legacy.ShowComponent();
  const std::vector<PinRow> pins = pinTable(legacy.memo());
  ASSERT_GE(pins.size(), 5u);
  EXPECT_EQ(pinRowFields(pins[0]),
            (Lines{"14", "VCC", "power input", "line", "5", "0", "0", "400", "down", "150"}));
  EXPECT_EQ(pinRowFields(pins[4]),
            (Lines{"3", "~", "output", "inverted", "1", "1", "250", "0", "left", "130"}));
  EXPECT_EQ(pinShapeWords("NCI"), "invisible inverted clock");
  EXPECT_EQ(pinTypeWords("w"), "power output");

  const DocumentationEntry doc =
      findDocumentationEntry(kExamples + "/74xx_gates.dcm", nullptr, "74hc00");
  EXPECT_EQ(doc.description, "Quad 2-input NAND gate, high-speed CMOS");
  EXPECT_EQ(doc.keywords, "HCMOS nand 2-input");
  EXPECT_EQ(doc.datasheet, "~");
  const SymbolProperties alias = describeSymbol(legacy.memo(), "74HC00", "74xx_gates.lib", doc, {});
  EXPECT_EQ(alias.name, "74HC00");
  EXPECT_EQ(alias.aliasOf, "74LS00");
  EXPECT_EQ(alias.reference, "U");
  EXPECT_EQ(alias.footprint, "Package_DIP:DIP-14_W7.62mm");
  EXPECT_EQ(alias.footprintFilters, (Lines{"DIP*W7.62mm*", "SOIC*3.9x8.7mm*"}));
  EXPECT_EQ(alias.unitLabels, (Lines{"A", "B", "C", "D", "E"}));
  EXPECT_EQ(alias.datasheet, "");  // "~" names nothing
  EXPECT_FALSE(alias.power);
  EXPECT_EQ(alias.pinCount, pins.size());
  EXPECT_FALSE(alias.textsCut);
  // A description of any length reaches the properties tab bounded.
  DocumentationEntry huge = doc;
  huge.description = std::string(200000, 'x');
  const SymbolProperties cut = describeSymbol(legacy.memo(), "74HC00", "74xx_gates.lib", huge, {});
  EXPECT_TRUE(cut.textsCut);
  EXPECT_EQ(cut.description.size(), kLongestShownText + 3);

  LibraryBrowser modern;
  modern.B_carregarClick(kTestLibraries + "/gates.kicad_sym");
  modern.components().select(0);
  modern.ShowComponent();
  EXPECT_EQ(pinTable(modern.memo()).size(), 3u);
  const std::string& docText = modern.modernTranslation()->documentationText;
  const SymbolProperties nandB =
      describeSymbol(modern.memo(), "NAND_B", "gates.kicad_sym",
                     findDocumentationEntry({}, &docText, "NAND_B"), {"", "Power"});
  EXPECT_EQ(nandB.description, "the same gate, small");
  EXPECT_EQ(nandB.aliasOf, "NAND");
  EXPECT_EQ(nandB.unitLabels, (Lines{"A", "B (Power)"}));
  EXPECT_EQ(findDocumentationEntry({}, &docText, "NAND").description, "two-input gate");
  EXPECT_EQ(findDocumentationEntry("/no/such.dcm", nullptr, "X").description, "");
}

}  // namespace
}  // namespace quiral
