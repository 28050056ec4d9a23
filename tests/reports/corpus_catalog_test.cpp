// Both catalogs of every corpus library, through the command path without a window: one cell
// per component, in list order, each with its description where the documentation has one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "../support/corpus_libraries.h"
#include "library/find_description.h"
#include "tests/reports/catalog_fixtures.h"

namespace quiral {
namespace {

using testing::CatalogFixture;
using testing::corpusLibraries;
using testing::printedCells;

TEST(CorpusCatalogs, EveryLibraryGivesOneCellPerComponentInBothCatalogs) {
  const auto libraries = corpusLibraries();
  ASSERT_FALSE(libraries.empty()) << "no KiCad library found under " << QUIRAL_CORPUS_DIR
                                  << "/kicad5";
  size_t described = 0, components = 0;
  for (const std::string& library : libraries) {
    SCOPED_TRACE(library);
    CatalogFixture f;
    f.load(library);
    const std::vector<std::string> names = f.session.browser.components().entries();
    for (CatalogKind kind : {CatalogKind::Drawings, CatalogKind::List}) {
      ASSERT_EQ(f.prepare(kind), CatalogCommands::Outcome::Ready);
      EXPECT_EQ(f.needDataCalls, int(names.size()) + 1);
      const auto cells = printedCells(f.report(kind));
      ASSERT_EQ(cells.size(), names.size());
      for (size_t i = 0; i < cells.size(); ++i) ASSERT_EQ(cells[i].name, names[i]) << i;
    }
    components += names.size();
    for (const std::string& name : names)
      described += !FindDescription(f.commands.DocumentationPath(), name).empty();
  }
  // Nearly every KiCad symbol is documented; a lookup that lost mixed-case names would not be.
  EXPECT_GT(described, components * 8 / 10);
}

}  // namespace
}  // namespace quiral
