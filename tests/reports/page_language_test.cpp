// The catalogs' page texts in the language chosen: English words throughout, and the designed
// Portuguese ones again once Portuguese is chosen back.
#include "reports/page_language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/font_engine.h"
#include "reports/fine_catalog_run.h"
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
       {"Catálogo de Componentes", "Biblioteca: gates.lib", "Página:", "4 elementos", "1 elemento",
        "Quiral 0.81 - Visualizador/Catálogo de componentes p/KiCad"},
       {"Component Catalog", "Library:", "Page:", " unit", "viewer"},
       "Visão prévia lib: gates.lib"},
  };
  for (const Words& c : cases) {
    f.commands.data().language = c.language;
    for (const CatalogKind kind : {CatalogKind::Drawings, CatalogKind::List}) {
      ASSERT_EQ(f.prepare(kind), CatalogCommands::Outcome::Ready);
      const TQuickRep& report = f.report(kind);
      const auto texts = textsIn(*report.qrPrinter().page(1), {0, 0, 2100, 2970});
      const std::string where =
          pageLanguageName(c.language) + (kind == CatalogKind::Drawings ? " drawings" : " list");
      for (const std::string& word : c.present) {
        const bool cellWord =
            word.find("unit") != std::string::npos || word.find("elemento") != std::string::npos;
        if (kind == CatalogKind::List && cellWord) continue;  // the list shows no unit count
        EXPECT_TRUE(anyContains(texts, word)) << where << ": " << word;
      }
      for (const std::string& word : c.absent)
        EXPECT_FALSE(anyContains(texts, word)) << where << ": " << word;
      EXPECT_EQ(report.reportTitle(), c.title) << where;
    }
  }
  EXPECT_EQ(pageLanguageNamed("en_GB.UTF-8"), PageLanguage::English);
  EXPECT_EQ(pageLanguageNamed("pt"), PageLanguage::Portuguese);
  EXPECT_EQ(pageLanguageNamed("english"), std::nullopt);
  EXPECT_EQ(pageLanguageNamed(""), std::nullopt);
}

std::string commandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

TEST(PageLanguage, TheFineCatalogSpeaksTheLanguageChosen) {
  testing::TempDir dir;
  const std::string library = std::string(QUIRAL_EXAMPLES_DIR) + "/74xx_gates.lib";
  FontEngine fonts;
  for (const PageLanguage language : {PageLanguage::English, PageLanguage::Portuguese}) {
    const bool english = language == PageLanguage::English;
    const std::string out = dir.file(pageLanguageName(language) + ".pdf");
    writeFineCatalog(out, FineCatalogKind::Drawings, fonts, {library}, "74xx_gates.lib", false,
                     nullptr, FineUnitPictures::AllUnits, LookName::KiCad, language);
    const std::string text = commandOutput("pdftotext -q '" + out + "' -");
    ASSERT_FALSE(text.empty()) << "pdftotext (poppler-utils) read nothing from " << out;
    for (const char* word : {"Component Catalog", "Library: 74xx_gates.lib", "Page:", " units"})
      EXPECT_EQ(text.find(word) != std::string::npos, english) << word;
    for (const char* word : {"Catálogo de Componentes", "Biblioteca: 74xx_gates.lib", "Página:"})
      EXPECT_EQ(text.find(word) != std::string::npos, !english) << word;
    const std::string info = commandOutput("pdfinfo '" + out + "'");
    EXPECT_NE(info.find(english ? "Drawings, 1 library(ies)" : "Desenhos, 1 biblioteca(s)"),
              std::string::npos)
        << info;
  }
}

}  // namespace
}  // namespace quiral
