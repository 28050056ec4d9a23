// The window's language: how it is chosen, what the English window says, and that every window
// lays out its texts whole in both languages.
#include "app/window_language.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTabBar>
#include <QTest>

#include "app/command_line.h"
#include "app/designed_layout.h"
#include "app/index_window.h"
#include "app/main_window.h"
#include "app/program_start.h"
#include "app/window_wording.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

constexpr auto kPt = PageLanguage::Portuguese;
constexpr auto kEn = PageLanguage::English;

TEST(WindowLanguage, FlagThenVariableThenLocaleDecide) {
  struct Case {
    const char *flag, *variable, *locale;
    PageLanguage expected;
    bool warns;
  } const cases[] = {{"en", "pt_BR", "pt_BR.UTF-8", kEn, false},
                     {"pt_BR", "en", "en_US.UTF-8", kPt, false},
                     {"", "en", "pt_BR.UTF-8", kEn, false},
                     {"", "pt_BR", "de_DE.UTF-8", kPt, false},
                     {"", "", "de_DE.UTF-8", kEn, false},
                     {"", nullptr, "pt_PT", kPt, false},
                     {"", nullptr, "C", kPt, false},
                     {"", nullptr, "POSIX", kPt, false},
                     {"", nullptr, "C.UTF-8", kPt, false},
                     {"", nullptr, "fr_FR.UTF-8", kEn, false},
                     {"", "klingon", "pt_BR.UTF-8", kPt, true},
                     {"", "portuguese", "en_GB", kEn, true}};
  for (const Case& c : cases) {
    const LanguageChoice choice = chooseLanguage(c.flag, c.variable, c.locale);
    EXPECT_EQ(choice.language, c.expected) << c.flag << "|" << c.locale;
    EXPECT_EQ(!choice.warning.empty(), c.warns) << c.flag << "|" << c.locale;
  }
  EXPECT_EQ(parseCommandLine({"--lang", "en"}).language, "en");
  EXPECT_EQ(parseCommandLine({"--lang=pt_BR", "."}).language, "pt_BR");
  for (const auto& refused : {std::vector<std::string>{"--lang", "fr"}, {"--lang"}, {"--lang="}})
    EXPECT_EQ(parseCommandLine(refused).exitStatus, kBadArguments) << refused.size();
}

// Every control of every designed layout in `window` stands inside its container, clear of the
// others, and every text shown is whole (a tab row may scroll, but no tab's text is cut).
void expectTextsWholeAndApart(QWidget* window, const std::string& where) {
  for (const QWidget* container : window->findChildren<QWidget*>()) {
    const auto* layout = dynamic_cast<const DesignedLayout*>(container->layout());
    for (int i = 0; layout && container->isVisible() && i < layout->count(); ++i) {
      const QWidget* w = layout->itemAt(i)->widget();
      if (!w || !w->isVisible()) continue;
      EXPECT_TRUE(container->rect().contains(w->geometry()))
          << where << w->objectName().toStdString();
      for (int j = 0; j < i; ++j) {
        const QWidget* other = layout->itemAt(j)->widget();
        if (!other || !other->isVisible()) continue;
        EXPECT_FALSE(w->geometry().intersects(other->geometry()))
            << where << w->objectName().toStdString();
      }
    }
  }
  for (const QLabel* l : window->findChildren<QLabel*>()) {
    if (!l->isVisible() || l->text().isEmpty() || l->wordWrap()) continue;
    EXPECT_GE(l->width(), l->sizeHint().width()) << where << l->text().toStdString();
  }
  for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
    if (!b->isVisible()) continue;
    EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(QString(b->text()).remove('&')))
        << where << b->text().toStdString();
  }
  for (const QTabBar* bar : window->findChildren<QTabBar*>()) {
    for (int i = 0; bar->isVisible() && i < bar->count(); ++i) {
      if (!bar->isTabVisible(i)) continue;
      EXPECT_GE(bar->tabRect(i).width(), bar->fontMetrics().horizontalAdvance(bar->tabText(i)))
          << where << bar->tabText(i).toStdString();
    }
  }
}

TEST(WindowLanguage, EachLanguageSpeaksItsWordsAndLaysThemOutWhole) {
  testing::CurrentFolderGuard folderGuard;
  for (const PageLanguage language : {kPt, kEn}) {
    const bool en = language == kEn;
    // English: the program's own translation, built in; Portuguese: Qt's, for its dialogs.
    const std::unique_ptr<QTranslator> translator = installWindowLanguage(language);
    ASSERT_NE(translator, nullptr);
    EXPECT_EQ(windowLanguage(), language);
    const std::unique_ptr<ProgramObjects> objects = createProgramObjects();
    TForm1& main = *objects->Form1;
    EXPECT_EQ(main.windowTitle().toStdString(),
              en ? "Quiral 0.81 (20070727d) - Component viewer/catalog for KiCad"
                 : "Quiral 0.81 (20070727d) - Visualizador/Catálogo de componentes p/KiCad");
    EXPECT_EQ(main.findChild<QAbstractButton*>("b_report")->text(), en ? "Catalog" : "Catálogo");
    EXPECT_EQ(main.findChild<QAction*>("Desenhos1")->text(), en ? "&Drawings" : "&Desenhos");
    EXPECT_EQ(objects->PrevForm->findChild<QLabel*>("Label1")->text(), en ? "&Page" : "&Página");
    EXPECT_EQ(objects->Form2->findChild<QLabel*>("Label3")->text(), en ? "Models:" : "Modelos:");
    // The core's English errors stay English in the English window.
    const QString error = QStringLiteral("/a/b.QRP: The file is not a prepared report");
    EXPECT_EQ(windowWording(error).toStdString(),
              en ? error.toStdString() : "/a/b.QRP: O arquivo não é um relatório preparado");

    // At the designed size, and at the smallest where a window has one designed (the preview
    // and the index window have none: made smaller, they cut off their rows).
    for (QWidget* window :
         {static_cast<QWidget*>(&main), static_cast<QWidget*>(objects->PrevForm.get()),
          static_cast<QWidget*>(objects->Form2.get())}) {
      window->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
      for (const QSize size : {window->size(), window->minimumSize()}) {
        if (size != window->size() && window != &main) continue;
        window->resize(size);
        QApplication::processEvents();
        expectTextsWholeAndApart(window, (en ? "en " : "pt ") + window->objectName().toStdString() +
                                             " " + std::to_string(size.width()) + ": ");
      }
      window->hide();
    }
  }
}

}  // namespace
}  // namespace quiral
