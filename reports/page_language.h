#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quiral {

// The language of the catalogs' page texts (headers, "Página", the cells' unit counts). The
// designed pages are Portuguese; English is the other choice of the window and of quiral-cli.
enum class PageLanguage { Portuguese, English };

// The fixed texts of a catalog page in one language.
struct PageWords {
  const char* heading;         // "Catálogo de Componentes"
  const char* pageCaption;     // "Página:"
  const char* footer;          // the program's name and version
  const char* libraryCaption;  // "Biblioteca: "
  const char* previewTitle;    // "Visão prévia lib: "
  const char* scaleCaption;    // "Escala: "
  const char* unitSingular;    // " elemento"
  const char* unitPlural;      // " elementos"
  // The fine catalog's document subject: "Desenhos, 2 biblioteca(s), 40 componente(s)".
  const char* drawings;
  const char* list;
  const char* libraries;   // " biblioteca(s), "
  const char* components;  // " componente(s)"
};

const PageWords& pageWordsIn(PageLanguage language);

// The language a `--lang` or QUIRAL_LANG value names: "en" (or "en_…") is English, "pt" and
// "pt_BR" (or "pt_…") Portuguese; anything else names none.
std::optional<PageLanguage> pageLanguageNamed(std::string_view name);

// "en" or "pt_BR", as the options take them.
std::string pageLanguageName(PageLanguage language);

}  // namespace quiral
