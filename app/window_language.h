#pragma once

#include <QTranslator>
#include <memory>
#include <string>

#include "reports/page_language.h"

namespace quiral {

// The language the window speaks and its catalogs' pages are written in, and why.
struct LanguageChoice {
  PageLanguage language = PageLanguage::Portuguese;
  // A QUIRAL_LANG that names no language: said on standard error, then the locale decides.
  std::string warning;
};

// The choice: `flag` (the value of --lang, already checked; empty when not given), else
// `variable` (QUIRAL_LANG; null when unset, empty counts as unset), else `messagesLocale`: a
// Portuguese locale, "C", "POSIX" or none keep the designed Portuguese texts, any other language
// gets English.
LanguageChoice chooseLanguage(const std::string& flag, const char* variable,
                              const std::string& messagesLocale);

// The locale the environment gives to messages, as the C library reads it: LC_ALL, else
// LC_MESSAGES, else LANG (the first one set and not empty); "C" when none is.
std::string messagesLocaleFromEnvironment();

// The choice for this process: `flag`, then the environment.
LanguageChoice chooseLanguageFromEnvironment(const std::string& flag);

// Installs into the application the translations that make the windows speak `language`: under
// English the program's own (translations/quiral_en.ts, built into the program) and nothing of
// Qt's, whose dialogs are English already; under Portuguese Qt's Brazilian translation of its own
// dialogs and standard buttons, when Debian's qt6-translations-l10n is installed. It stays
// installed while the returned translator lives; null when there was none to load.
std::unique_ptr<QTranslator> installWindowLanguage(PageLanguage language);

// The language the windows speak now: that of the program's translation installed, else the
// designed Portuguese. What the windows write (the fine catalog) follows it.
PageLanguage windowLanguage();

}  // namespace quiral
