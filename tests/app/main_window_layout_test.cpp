// The main window's controls: names, captions, how they are arranged and what is hidden.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <string_view>

#include "app/main_window.h"
#include "app/program_start.h"
#include "render/renderer.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

// Where a control lies in the client area, whatever widget holds it.
QRect placeOf(const QWidget* client, const char* name) {
  const QWidget* w = client->findChild<QWidget*>(QString::fromLatin1(name));
  if (!w) {
    ADD_FAILURE() << "no control " << name;
    return {};
  }
  return QRect(w->mapTo(client, QPoint(0, 0)), w->size());
}

TEST(MainWindowLayout, ControlsFitTheWindowSideBySideWithoutOverlapping) {
  testing::CurrentFolderGuard folderGuard;
  std::unique_ptr<ProgramObjects> objects = createProgramObjects();
  TForm1& window = *objects->Form1;
  EXPECT_EQ(window.windowTitle(),
            QString::fromUtf8("Quiral " QUIRAL_VERSION
                              " (20070727d) - Visualizador/Catálogo de componentes p/KiCad"));
  EXPECT_EQ(window.font().pointSize(), 8);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  // The whole window fits a 1024 x 768 screen.
  EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(window.frameGeometry()));

  const QWidget* client = window.centralWidget();
  const char* const shown[] = {"DriveComboBox1", "DLB1",        "FileListBox1",
                               "b_report",       "TabControl1", "ScrollBox1"};
  for (const char* name : shown) {
    EXPECT_TRUE(client->findChild<QWidget*>(name)->isVisible()) << name;
    EXPECT_TRUE(client->rect().contains(placeOf(client, name))) << name << " is cut off";
    for (const char* other : shown) {
      if (other == name) continue;
      EXPECT_FALSE(placeOf(client, name).intersects(placeOf(client, other))) << name << other;
    }
  }
  // Browsing on the left from top to bottom: the drive box with the catalog button beside it,
  // the folder and file lists side by side, the tabs; the drawing takes the right-hand side.
  const auto at = [&](const char* name) { return placeOf(client, name); };
  EXPECT_LT(at("DriveComboBox1").right(), at("b_report").left());
  EXPECT_LT(at("DriveComboBox1").bottom(), at("DLB1").top());
  EXPECT_LT(at("b_report").bottom(), at("FileListBox1").top());
  EXPECT_LT(at("DLB1").right(), at("FileListBox1").left());
  EXPECT_LT(std::max(at("DLB1").bottom(), at("FileListBox1").bottom()), at("TabControl1").top());
  EXPECT_LT(std::max(at("FileListBox1").right(), at("TabControl1").right()),
            at("ScrollBox1").left());
  // Every tab shows whole at the designed size, none behind the scroll arrows.
  const QTabBar* tabs = client->findChild<QTabWidget*>("TabControl1")->tabBar();
  for (int i = 0; i < tabs->count(); ++i) {
    if (!tabs->isTabVisible(i)) continue;
    EXPECT_LE(tabs->tabRect(i).right(), tabs->width()) << tabs->tabText(i).toStdString();
  }
  // The component list and the memo sit inside the tabs, the drawing is the largest control.
  EXPECT_TRUE(at("TabControl1").contains(at("ListBox1")));
  EXPECT_TRUE(at("TabControl1").contains(at("TextListBox1")));
  for (const char* name : shown) {
    const QSize size = at(name).size();
    if (std::string_view(name) == "ScrollBox1") continue;
    EXPECT_LT(size.width() * size.height(), at("ScrollBox1").width() * at("ScrollBox1").height());
  }
  // The symbol's drawing fills at least the view's visible room, so it can sit centred in it.
  const QSize room = window.findChild<QScrollArea*>("ScrollBox1")->viewport()->size();
  EXPECT_EQ(window.findChild<QWidget*>("Image2")->size().expandedTo(room),
            window.findChild<QWidget*>("Image2")->size());

  for (const char* hidden : {"image1", "Label1", "B_carregar", "FilenameEdit1"})
    EXPECT_TRUE(window.findChild<QWidget*>(hidden)->isHidden()) << hidden;
  EXPECT_EQ(window.findChild<QPushButton*>("b_report")->text(), QString::fromUtf8("Catálogo"));
  EXPECT_EQ(window.findChild<QPushButton*>("B_carregar")->text(), "Carregar");
}

TEST(MainWindowLayout, TabsMemoAndTestPage) {
  testing::CurrentFolderGuard folderGuard;
  testing::TestDialogs dialogs;
  Session session;
  TForm1 window(session, dialogs);
  auto* tabs = window.findChild<QTabWidget*>("TabControl1");
  ASSERT_EQ(tabs->count(), 5);
  EXPECT_EQ(tabs->tabText(0), QString::fromUtf8("Conteúdo"));
  EXPECT_EQ(tabs->tabText(1), "Comandos");
  EXPECT_EQ(tabs->tabText(2), "testes");
  EXPECT_EQ(tabs->tabText(3), "Propriedades");
  EXPECT_EQ(tabs->tabText(4), "Pinos");
  EXPECT_TRUE(tabs->isTabVisible(0));
  EXPECT_FALSE(tabs->isTabVisible(2));
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(tabs->widget(2)->objectName(), "TabSheet3");

  // What the memo shows: a long definition line stays one line, to be scrolled along, both
  // scroll bars are there even for a short text, and typing changes nothing.
  auto* memo = window.findChild<QPlainTextEdit*>("TextListBox1");
  window.show();
  tabs->setCurrentIndex(1);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  memo->setPlainText("DEF " + QString(400, QLatin1Char('X')) + " U 0 40 Y Y 1 F N");
  QApplication::processEvents();
  EXPECT_EQ(memo->document()->lineCount(), 1);
  EXPECT_GT(memo->horizontalScrollBar()->maximum(), 0);
  EXPECT_TRUE(memo->horizontalScrollBar()->isVisible());
  EXPECT_TRUE(memo->verticalScrollBar()->isVisible());
  const QString shown = memo->toPlainText();
  memo->setFocus();
  QTest::keyClicks(memo, "abc");
  QTest::keyClick(memo, Qt::Key_Backspace);
  EXPECT_EQ(memo->toPlainText(), shown);
  tabs->setCurrentIndex(0);

  const QStringList buttons{"Converter", "linha", "apagar", "Tokens"};
  QStringList found;
  for (const QPushButton* b : tabs->widget(2)->findChildren<QPushButton*>()) found << b->text();
  EXPECT_EQ(found, buttons);
}

TEST(MainWindowLayout, MenuBar) {
  testing::CurrentFolderGuard folderGuard;
  testing::TestDialogs dialogs;
  Session session;
  TForm1 window(session, dialogs);
  const QList<QAction*> top = window.menuBar()->actions();
  ASSERT_EQ(top.size(), 4);
  EXPECT_EQ(top[0]->objectName(), "Sair1");
  // The captions keep their words, each with its accelerator letter (Alt+S, Alt+C, D, L).
  EXPECT_EQ(top[0]->text(), "&Sair");
  EXPECT_EQ(top[1]->text(), QString::fromUtf8("&Catálogos"));
  EXPECT_EQ(QKeySequence::mnemonic(top[1]->text()), QKeySequence(Qt::ALT | Qt::Key_C));
  EXPECT_EQ(top[1]->menu()->objectName(), "Catlogos1");
  EXPECT_EQ(top[2]->text(), "pag2");
  EXPECT_FALSE(top[2]->isVisible());

  const QList<QAction*> catalogs = top[1]->menu()->actions();
  ASSERT_EQ(catalogs.size(), 5);
  EXPECT_EQ(catalogs[0]->objectName(), "Desenhos1");
  EXPECT_EQ(catalogs[0]->text(), "&Desenhos");
  EXPECT_EQ(catalogs[1]->objectName(), "Lista1");
  EXPECT_EQ(catalogs[1]->text(), "&Lista");
  EXPECT_EQ(catalogs[2]->objectName(), "PastaVetorial1");
  EXPECT_EQ(catalogs[2]->text(), QString::fromUtf8("&Pasta inteira (PDF vetorial)…"));
  EXPECT_EQ(catalogs[3]->objectName(), "SiteHtml1");
  EXPECT_EQ(catalogs[3]->text(), QString::fromUtf8("&Site (HTML)…"));
  EXPECT_EQ(catalogs[4]->objectName(), "CompararCom1");
  EXPECT_EQ(catalogs[4]->text(), QString::fromUtf8("C&omparar com…"));
  const QList<QAction*> hidden = top[2]->menu()->actions();
  ASSERT_EQ(hidden.size(), 1);
  EXPECT_EQ(hidden[0]->objectName(), "pag22");
  EXPECT_FALSE(hidden[0]->isVisible());

  // "Sair" closes the window, which ends the program.
  bool closed = false;
  QObject::connect(&window, &TForm1::closed, [&] { closed = true; });
  window.show();
  top[0]->trigger();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(window.isVisible());
}

TEST(MainWindowLayout, TheListsAndTheSymbolViewTakeTheRoomOfALargerWindow) {
  testing::CurrentFolderGuard folderGuard;
  testing::TestDialogs dialogs;
  Session session;
  TForm1 window(session, dialogs);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QWidget* client = window.centralWidget();
  const auto at = [&](const char* name) { return placeOf(client, name); };
  const auto inPage = [&](const char* name) {
    return client->findChild<QWidget*>(QString::fromLatin1(name))->geometry();
  };
  // At the designed size every control stands at its designed place.
  EXPECT_EQ(at("DriveComboBox1"), QRect(8, 12, 211, 19));
  EXPECT_EQ(at("DLB1"), QRect(8, 39, 145, 119));
  EXPECT_EQ(at("FileListBox1"), QRect(160, 38, 145, 120));
  EXPECT_EQ(at("b_report"), QRect(227, 10, 77, 25));
  EXPECT_EQ(at("TabControl1"), QRect(8, 164, 297, 368));
  EXPECT_EQ(at("ScrollBox1"), QRect(336, 8, 497, 505));
  EXPECT_EQ(at("UnitChooser"), QRect(336, 514, 433, 19));
  EXPECT_EQ(at("ZoomLabel"), QRect(773, 514, 60, 19));
  EXPECT_EQ(inPage("SymbolSearchField"), QRect(9, 3, 269, 22));
  EXPECT_EQ(inPage("ListBox1"), QRect(9, 25, 269, 306));
  EXPECT_EQ(inPage("TextListBox1"), QRect(3, 8, 281, 327));

  const QRect designedFiles = at("FileListBox1");
  const QRect designedComponents = at("ListBox1");
  const QRect designedView = at("ScrollBox1");
  // Larger or as small as it goes, the controls stay apart and inside the window.
  ASSERT_FALSE(window.minimumSize().isEmpty());
  for (const QSize size : {window.minimumSize(), QSize(1400, 1000)}) {
    window.resize(size);
    QApplication::processEvents();
    ASSERT_EQ(window.size(), size);
    const char* const shown[] = {"DriveComboBox1", "DLB1",       "FileListBox1", "b_report",
                                 "TabControl1",    "ScrollBox1", "UnitChooser",  "ZoomLabel"};
    for (const char* name : shown) {
      EXPECT_TRUE(client->rect().contains(at(name))) << name << " is cut off";
      for (const char* other : shown) {
        if (other == name) continue;
        EXPECT_FALSE(at(name).intersects(at(other))) << name << " on " << other;
      }
    }
    EXPECT_TRUE(at("TabControl1").contains(at("ListBox1")));
  }
  for (const auto& [name, designed] :
       {std::pair{"FileListBox1", designedFiles}, std::pair{"ListBox1", designedComponents},
        std::pair{"ScrollBox1", designedView}}) {
    EXPECT_GT(at(name).width(), designed.width() + 100) << name;
    EXPECT_GT(at(name).height(), designed.height() + 100) << name;
  }
  // The unit chooser stays right below the symbol view, at its left edge.
  EXPECT_EQ(at("UnitChooser").left(), at("ScrollBox1").left());
  EXPECT_EQ(at("UnitChooser").top(), at("ScrollBox1").bottom() + 2);
  // The zoom stands in the same strip, at the view's right edge.
  EXPECT_EQ(at("ZoomLabel").right(), at("ScrollBox1").right());
  EXPECT_EQ(at("ZoomLabel").top(), at("UnitChooser").top());
}

}  // namespace
}  // namespace quiral
