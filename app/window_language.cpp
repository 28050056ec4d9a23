#include "app/window_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <cstdlib>

namespace quiral {

namespace {

const char* const kVariable = "QUIRAL_LANG";

// The program's English translation, compiled from translations/quiral_en.ts into its resources.
const char* const kEnglishTranslation = ":/i18n/quiral_en.qm";

PageLanguage languageOfLocale(const std::string& locale) {
  if (locale.empty() || locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0)
    return PageLanguage::Portuguese;
  return pageLanguageNamed(locale).value_or(PageLanguage::English);
}

}  // namespace

LanguageChoice chooseLanguage(const std::string& flag, const char* variable,
                              const std::string& messagesLocale) {
  LanguageChoice choice;
  if (const auto named = pageLanguageNamed(flag); !flag.empty() && named) {
    choice.language = *named;
    return choice;
  }
  if (variable && *variable) {
    if (const auto named = pageLanguageNamed(variable)) {
      choice.language = *named;
      return choice;
    }
    choice.warning = std::string(kVariable) + "=" + variable +
                     " names no language (en or pt_BR); the locale decides";
  }
  choice.language = languageOfLocale(messagesLocale);
  return choice;
}

std::string messagesLocaleFromEnvironment() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* value = std::getenv(name); value && *value) return value;
  return "C";
}

LanguageChoice chooseLanguageFromEnvironment(const std::string& flag) {
  return chooseLanguage(flag, std::getenv(kVariable), messagesLocaleFromEnvironment());
}

PageLanguage windowLanguage() {
  // The translation names its own language, as Qt's translations name their layout direction.
  const QString name = QCoreApplication::translate("quiral::WindowLanguage", "pt_BR");
  return pageLanguageNamed(name.toStdString()).value_or(PageLanguage::Portuguese);
}

std::unique_ptr<QTranslator> installWindowLanguage(PageLanguage language) {
  auto translator = std::make_unique<QTranslator>();
  const bool ok = language == PageLanguage::English
                      ? translator->load(QString::fromLatin1(kEnglishTranslation))
                      : translator->load(QLocale(QLocale::Portuguese, QLocale::Brazil),
                                         QStringLiteral("qtbase"), QStringLiteral("_"),
                                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (!ok) return nullptr;
  QCoreApplication::installTranslator(translator.get());
  return translator;
}

}  // namespace quiral
