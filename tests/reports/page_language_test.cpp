// The catalogs' page texts in the language chosen, and the designed Portuguese ones again once
// Portuguese is chosen back (their bytes are checked by the outputs' own tests).
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/font_engine.h"
#include "reports/fine_catalog_run.h"
#include "tests/reports/catalog_fixtures.h"

namespace quiral {
namespace {

bool anyContains(const std::vector<std::string>& texts, const std::string& part) {
  for (const std::string& t : texts)
    if (t.find(part) != std::string::npos) return true;
  return false;
}

TEST(PageLanguage, PreparedPagesAndFineCatalogSpeakTheLanguageChosen) {
  const std::string library = std::string(QUIRAL_EXAMPLES_DIR) + "/74xx_gates.lib";
  testing::TempDir dir;
  testing::CatalogFixture f;
  f.load(library);
  FontEngine fonts;
  for (const PageLanguage language : {PageLanguage::English, PageLanguage::Portuguese}) {
    const bool en = language == PageLanguage::English;
    const std::vector<std::string> words =
        en ? std::vector<std::string>{"Component Catalog", "Library: 74xx_gates.lib", "Page:"}
           : std::vector<std::string>{"Catálogo de Componentes", "Biblioteca: 74xx", "Página:"};
    f.commands.data().language = language;
    ASSERT_EQ(f.prepare(CatalogKind::Drawings), CatalogCommands::Outcome::Ready);
    const TQuickRep& report = f.report(CatalogKind::Drawings);
    const auto texts = testing::textsIn(*report.qrPrinter().page(1), {0, 0, 2100, 2970});
    for (const std::string& word : words) EXPECT_TRUE(anyContains(texts, word)) << word;
    EXPECT_TRUE(anyContains(texts, en ? "5 units" : "5 elementos"));
    EXPECT_FALSE(anyContains(texts, en ? "elemento" : " units"));
    EXPECT_EQ(report.reportTitle(),
              en ? "Preview lib: 74xx_gates.lib" : "Visão prévia lib: 74xx_gates.lib");

    const std::string out = dir.file(pageLanguageName(language) + ".pdf");
    writeFineCatalog(out, FineCatalogKind::Drawings, fonts, {library}, "74xx_gates.lib", false,
                     nullptr, FineUnitPictures::AllUnits, LookName::KiCad, language);
    std::string text;
    if (FILE* pipe = popen(("pdftotext -q '" + out + "' -; pdfinfo '" + out + "'").c_str(), "r")) {
      char buffer[4096];
      for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
      pclose(pipe);
    }
    for (const std::string& word : words) EXPECT_NE(text.find(word), std::string::npos) << word;
    EXPECT_NE(text.find(en ? "Drawings, 1 library(ies)" : "Desenhos, 1 biblioteca(s)"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace quiral
