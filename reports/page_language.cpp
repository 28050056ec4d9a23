#include "reports/page_language.h"

#include "reports/catalog_design.h"

namespace quiral {

namespace {

const PageWords kEnglish{"Component Catalog",
                         "Page:",
                         "Quiral " QUIRAL_VERSION " - Component viewer/catalog for KiCad",
                         "Library: ",
                         "Preview lib: ",
                         "Scale: ",
                         " unit",
                         " units",
                         "Drawings",
                         "List",
                         " library(ies), ",
                         " component(s)"};

// "en", "en_GB.UTF-8", "en-US" name English: the language part is what counts.
bool namesLanguage(std::string_view name, std::string_view language) {
  if (name.substr(0, language.size()) != language) return false;
  return name.size() == language.size() || name[language.size()] == '_' ||
         name[language.size()] == '-' || name[language.size()] == '.';
}

}  // namespace

const PageWords& pageWordsIn(PageLanguage language) {
  // The Portuguese words are the catalogs' designed texts (catalog_design.h), so the pages keep
  // their bytes. Made on first use: those texts live in another file.
  static const PageWords portuguese{kCatalogHeading,     kCatalogPageCaption,
                                    kCatalogFooter,      kLibraryCaptionPrefix,
                                    kPreviewTitlePrefix, "Escala: ",
                                    " elemento",         " elementos",
                                    "Desenhos",          "Lista",
                                    " biblioteca(s), ",  " componente(s)"};
  return language == PageLanguage::English ? kEnglish : portuguese;
}

std::optional<PageLanguage> pageLanguageNamed(std::string_view name) {
  if (namesLanguage(name, "en")) return PageLanguage::English;
  if (namesLanguage(name, "pt")) return PageLanguage::Portuguese;
  return std::nullopt;
}

std::string pageLanguageName(PageLanguage language) {
  return language == PageLanguage::English ? "en" : "pt_BR";
}

}  // namespace quiral
