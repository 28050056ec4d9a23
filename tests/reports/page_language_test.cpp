// The catalogs' page texts in the language chosen: English words throughout, and the designed
// Portuguese ones again once Portuguese is chosen back.
#include <gtest/gtest.h>

#include <algorithm>

#include "reports/page_language.h"
#include "tests/reports/catalog_fixtures.h"

namespace quiral {
namespace {

using testing::textsIn;

bool anyContains(const std::vector<std::string>& texts, const std::string& part) {
  return std::any_of(texts.begin(), texts.end(),
                     [&](const std::string& t) { return t.find(part) != std::string::npos; });
}

TEST(PageLanguage, CatalogPagesSpeakTheLanguageChosen) {
  testing::TempDir dir;
  testing::writeBytes(dir.file("gates.lib"),
                      "EESchema-LIBRARY Version 2.4\n"
                      "DEF 74LS00 U 0 40 Y Y 4 L N\nDRAW\nS -200 -200 200 200 1 1 10 f\n"
                      "ENDDRAW\nENDDEF\n"
                      "DEF R R 0 0 N Y 1 F N\nDRAW\nS -30 -70 30 70 0 1 8 N\nENDDRAW\nENDDEF\n");
  testing::CatalogFixture f;
  f.load(dir.file("gates.lib"));
  struct Words {
    PageLanguage language;
    std::vector<std::string> present;  // on the drawings catalog's page
    std::vector<std::string> absent;   // the other language's words
    const char* title;
  };
  const Words cases[] = {
      {PageLanguage::English,
       {"Component Catalog", "Library: gates.lib", "Page:", "4 units", "1 unit",
        "Quiral 0.81 - Component viewer/catalog for KiCad"},
       {"Catálogo", "Biblioteca", "Página", "elemento", "Visualizador"},
       "Preview lib: gates.lib"},
      // Back to Portuguese on the same reports: every designed text returns.
      {PageLanguage::Portuguese,
       {"Catálogo de Componentes", "Biblioteca: gates.lib", "Página:", "4 elementos",
        "1 elemento", "Quiral 0.81 - Visualizador/Catálogo de componentes p/KiCad"},
       {"Component Catalog", "Library:", "Page:", " unit", "viewer"},
       "Visão prévia lib: gates.lib"},
  };
  for (const Words& c : cases) {
    f.commands.data().language = c.language;
    for (const CatalogKind kind : {CatalogKind::Drawings, CatalogKind::List}) {
      ASSERT_EQ(f.prepare(kind), CatalogCommands::Outcome::Ready);
      const TQuickRep& report = f.report(kind);
      const auto texts = textsIn(*report.qrPrinter().page(1), {0, 0, 2100, 2970});
      const std::string where = pageLanguageName(c.language) +
                                (kind == CatalogKind::Drawings ? " drawings" : " list");
      for (const std::string& word : c.present) {
        const bool cellWord = word.find("unit") != std::string::npos ||
                              word.find("elemento") != std::string::npos;
        if (kind == CatalogKind::List && cellWord) continue;  // the list shows no unit count
        EXPECT_TRUE(anyContains(texts, word)) << where << ": " << word;
      }
      for (const std::string& word : c.absent) EXPECT_FALSE(anyContains(texts, word)) << where << ": " << word;
      EXPECT_EQ(report.reportTitle(), c.title) << where;
    }
  }
  EXPECT_EQ(pageLanguageNamed("en_GB.UTF-8"), PageLanguage::English);
  EXPECT_EQ(pageLanguageNamed("pt"), PageLanguage::Portuguese);
  EXPECT_EQ(pageLanguageNamed("english"), std::nullopt);
  EXPECT_EQ(pageLanguageNamed(""), std::nullopt);
}

}  // namespace
}  // namespace quiral
