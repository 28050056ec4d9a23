// The window's language: how it is chosen, what the English window says, and that every window
// lays out its texts whole in both languages.
#include "app/window_language.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/designed_layout.h"
#include "app/index_window.h"
#include "app/main_window.h"
#include "app/prev_form.h"
#include "app/program_start.h"
#include "app/window_wording.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

constexpr auto kPt = PageLanguage::Portuguese;
constexpr auto kEn = PageLanguage::English;

TEST(WindowLanguage, FlagThenVariableThenLocaleDecide) {
  struct Case {
    const char* flag;
    const char* variable;
    const char* locale;
    PageLanguage expected;
    bool warns;
  };
  const Case cases[] = {
      {"en", "pt_BR", "pt_BR.UTF-8", kEn, false},  // the flag wins over everything
      {"pt_BR", "en", "en_US.UTF-8", kPt, false},
      {"", "en", "pt_BR.UTF-8", kEn, false},  // then the variable
      {"", "pt_BR", "de_DE.UTF-8", kPt, false},
      {"", "", "de_DE.UTF-8", kEn, false},  // an empty variable is no choice
      {"", nullptr, "pt_BR.UTF-8", kPt, false},
      {"", nullptr, "pt_PT", kPt, false},
      {"", nullptr, "C", kPt, false},
      {"", nullptr, "POSIX", kPt, false},
      {"", nullptr, "C.UTF-8", kPt, false},
      {"", nullptr, "", kPt, false},
      {"", nullptr, "en_GB.UTF-8", kEn, false},
      {"", nullptr, "fr_FR.UTF-8", kEn, false},
      {"", "klingon", "pt_BR.UTF-8", kPt, true},  // a variable naming nothing: the locale decides
      {"", "portuguese", "de_DE", kEn, true},
  };
  for (const Case& c : cases) {
    const LanguageChoice choice = chooseLanguage(c.flag, c.variable, c.locale);
    const std::string row =
        std::string(c.flag) + "|" + (c.variable ? c.variable : "(unset)") + "|" + c.locale;
    EXPECT_EQ(choice.language, c.expected) << row;
    EXPECT_EQ(!choice.warning.empty(), c.warns) << row << ": " << choice.warning;
  }

  // The messages locale: LC_ALL, else LC_MESSAGES, else LANG, each only when not empty. The
  // environment is put back afterwards.
  std::vector<std::pair<const char*, std::optional<std::string>>> saved;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
  }
  setenv("LC_ALL", "", 1);
  setenv("LC_MESSAGES", "de_DE.UTF-8", 1);
  setenv("LANG", "pt_BR.UTF-8", 1);
  EXPECT_EQ(messagesLocaleFromEnvironment(), "de_DE.UTF-8");
  unsetenv("LC_MESSAGES");
  EXPECT_EQ(messagesLocaleFromEnvironment(), "pt_BR.UTF-8");
  unsetenv("LANG");
  EXPECT_EQ(messagesLocaleFromEnvironment(), "C");
  for (const auto& [name, value] : saved) {
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }

  // --lang on the command line: either form, before or after the path; a bad value is refused.
  EXPECT_EQ(parseCommandLine({"--lang", "en"}).language, "en");
  EXPECT_EQ(parseCommandLine({"--lang=pt_BR", "."}).language, "pt_BR");
  EXPECT_FALSE(parseCommandLine({"."}).startFolder.empty());
  EXPECT_EQ(parseCommandLine({".", "--lang", "en"}).action, CommandLine::Action::Run);
  for (const auto& refused :
       {std::vector<std::string>{"--lang", "fr"}, std::vector<std::string>{"--lang"},
        std::vector<std::string>{"--lang="}}) {
    const CommandLine line = parseCommandLine(refused);
    EXPECT_EQ(line.action, CommandLine::Action::Refuse) << refused.size();
    EXPECT_EQ(line.exitStatus, kBadArguments);
  }
}

// The program's objects, made after the language's translator is installed.
struct Windows {
  explicit Windows(PageLanguage language)
      : translator(installWindowLanguage(language)), objects(createProgramObjects()) {}
  std::unique_ptr<QTranslator> translator;
  std::unique_ptr<ProgramObjects> objects;
};

TEST(WindowLanguage, TheEnglishWindowSpeaksEnglishAndThePortugueseOneIsAsDesigned) {
  testing::CurrentFolderGuard folderGuard;
  struct Expected {
    const char* portuguese;
    const char* english;
  };
  const Expected captions[] = {
      {"Catálogo", "Catalog"},  {"&Catálogos", "&Catalogs"},      {"&Desenhos", "&Drawings"},
      {"Conteúdo", "Contents"}, {"Propriedades", "Properties"},   {"Unidade", "Unit"},
      {"&Página", "&Page"},     {"PDF &vetorial", "&Vector PDF"}, {"Página inteira", "Whole page"},
      {"Modelos:", "Models:"}};
  for (const PageLanguage language : {kPt, kEn}) {
    Windows windows(language);
    // English: the program's own translation, built in; Portuguese: Qt's, for its dialogs.
    ASSERT_NE(windows.translator, nullptr);
    // What the windows write (the fine catalog) follows the translation installed.
    EXPECT_EQ(windowLanguage(), language);
    TForm1& main = *windows.objects->Form1;
    // Every text the windows show, wherever it stands.
    QStringList shown{main.windowTitle(), windows.objects->PrevForm->windowTitle()};
    for (QWidget* window :
         {static_cast<QWidget*>(&main), static_cast<QWidget*>(windows.objects->PrevForm.get()),
          static_cast<QWidget*>(windows.objects->Form2.get())}) {
      for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) shown << b->text();
      for (const QLabel* l : window->findChildren<QLabel*>()) shown << l->text();
      for (const QAction* a : window->findChildren<QAction*>()) shown << a->text();
      for (const QTabWidget* t : window->findChildren<QTabWidget*>())
        for (int i = 0; i < t->count(); ++i) shown << t->tabText(i);
      for (const QComboBox* c : window->findChildren<QComboBox*>())
        for (int i = 0; i < c->count(); ++i) shown << c->itemText(i);
    }
    for (const Expected& e : captions) {
      const QString want = QString::fromUtf8(language == kEn ? e.english : e.portuguese);
      const QString other = QString::fromUtf8(language == kEn ? e.portuguese : e.english);
      EXPECT_TRUE(shown.contains(want)) << want.toStdString();
      EXPECT_FALSE(shown.contains(other)) << other.toStdString();
    }
    EXPECT_EQ(main.windowTitle(),
              QString::fromUtf8(language == kEn
                                    ? "Quiral 0.81 (20070727d) - Component viewer/catalog for KiCad"
                                    : "Quiral 0.81 (20070727d) - Visualizador/Catálogo de "
                                      "componentes p/KiCad"));
    // The core's English errors stay English in the English window.
    const QString coreError = QStringLiteral("/a/b.QRP: The file is not a prepared report");
    EXPECT_EQ(windowWording(coreError),
              language == kEn
                  ? coreError
                  : QString::fromUtf8("/a/b.QRP: O arquivo não é um relatório preparado"));
  }
}

// Every control of every designed layout inside `window` stands inside its container, clear of
// the others; every text it shows is whole.
void expectTextsWholeAndApart(QWidget* window, const std::string& where) {
  for (const QWidget* container : window->findChildren<QWidget*>()) {
    const auto* layout = dynamic_cast<const DesignedLayout*>(container->layout());
    if (!layout || !container->isVisible()) continue;
    std::vector<const QWidget*> shown;
    for (int i = 0; i < layout->count(); ++i)
      if (const QWidget* w = layout->itemAt(i)->widget(); w && w->isVisible()) shown.push_back(w);
    for (const QWidget* w : shown) {
      const std::string name = where + " " + w->objectName().toStdString();
      EXPECT_TRUE(container->rect().contains(w->geometry())) << name << " is cut off";
      for (const QWidget* other : shown) {
        if (other == w) continue;
        EXPECT_FALSE(w->geometry().intersects(other->geometry()))
            << name << " on " << other->objectName().toStdString();
      }
    }
  }
  for (const QLabel* l : window->findChildren<QLabel*>()) {
    if (!l->isVisible() || l->text().isEmpty() || l->wordWrap()) continue;
    EXPECT_GE(l->width(), l->sizeHint().width())
        << where << " " << l->objectName().toStdString() << " " << l->text().toStdString();
  }
  for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
    if (!b->isVisible() || b->text().isEmpty()) continue;
    QString plain = b->text();
    plain.remove(QLatin1Char('&'));
    const int needed = qobject_cast<const QCheckBox*>(b)
                           ? b->sizeHint().width()
                           : b->fontMetrics().horizontalAdvance(plain);
    EXPECT_GE(b->width(), needed) << where << " " << b->text().toStdString();
  }
  for (const QTabBar* bar : window->findChildren<QTabBar*>()) {
    if (!bar->isVisible()) continue;
    // A tab row wider than its bar scrolls (Qt's arrows), but no tab's text is cut.
    for (int i = 0; i < bar->count(); ++i) {
      if (!bar->isTabVisible(i)) continue;
      EXPECT_GE(bar->tabRect(i).width(), bar->fontMetrics().horizontalAdvance(bar->tabText(i)))
          << where << " tab " << bar->tabText(i).toStdString();
    }
  }
}

TEST(WindowLanguage, EveryWindowShowsItsTextsWholeInBothLanguages) {
  testing::CurrentFolderGuard folderGuard;
  for (const PageLanguage language : {kPt, kEn}) {
    Windows windows(language);
    const std::string tongue = language == kEn ? "en" : "pt_BR";
    for (QWidget* window : {static_cast<QWidget*>(windows.objects->Form1.get()),
                            static_cast<QWidget*>(windows.objects->PrevForm.get()),
                            static_cast<QWidget*>(windows.objects->Form2.get())}) {
      window->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
      // At the designed size, and at the smallest where a window has one designed (the
      // preview and the index window have none: made smaller, they cut off their rows).
      const QSize designed = window->size();
      for (const QSize size : {designed, window->minimumSize()}) {
        if (size != designed && window != windows.objects->Form1.get()) continue;
        window->resize(size);
        QApplication::processEvents();
        expectTextsWholeAndApart(window, tongue + " " + window->objectName().toStdString() + " " +
                                             std::to_string(size.width()) + "x" +
                                             std::to_string(size.height()));
      }
      window->hide();
    }
  }
}

}  // namespace
}  // namespace quiral
