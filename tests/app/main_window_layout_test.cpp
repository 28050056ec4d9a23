// The main window's controls: names, captions, places and what is hidden.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/main_window.h"
#include "app/program_start.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

struct Placed {
  const char* name;
  QRect geometry;
};

TEST(MainWindowLayout, ControlsSitWhereTheLayoutPutsThem) {
  testing::CurrentFolderGuard folderGuard;
  std::unique_ptr<ProgramObjects> objects = createProgramObjects();
  TForm1& window = *objects->Form1;
  EXPECT_EQ(
      window.windowTitle(),
      QString::fromUtf8("Quiral 0.81 (20070727d) - Visualizador/Catálogo de componentes p/KiCad"));
  EXPECT_EQ(window.pos(), QPoint(136, 108));
  EXPECT_EQ(window.font().pointSize(), 8);

  const Placed placed[] = {
      {"DriveComboBox1", {8, 12, 211, 19}},   {"DLB1", {8, 39, 145, 119}},
      {"FileListBox1", {160, 38, 145, 120}},  {"b_report", {227, 10, 77, 25}},
      {"TabControl1", {8, 164, 297, 368}},    {"ListBox1", {9, 3, 269, 328}},
      {"TextListBox1", {3, 8, 281, 327}},     {"ScrollBox1", {336, 8, 497, 505}},
      {"image1", {311, 22, 2000, 2000}},      {"B_carregar", {265, 196, 75, 25}},
      {"FilenameEdit1", {140, 222, 201, 21}},
  };
  for (const Placed& p : placed) {
    const QWidget* w = window.findChild<QWidget*>(QString::fromLatin1(p.name));
    ASSERT_NE(w, nullptr) << p.name;
    EXPECT_EQ(w->geometry(), p.geometry) << p.name;
  }
  // The client area holds every control.
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_GE(window.centralWidget()->height(), 164 + 368);
  EXPECT_GE(window.centralWidget()->width(), 336 + 497);

  for (const char* hidden : {"image1", "Label1", "B_carregar", "FilenameEdit1"})
    EXPECT_TRUE(window.findChild<QWidget*>(hidden)->isHidden()) << hidden;
  EXPECT_EQ(window.findChild<QPushButton*>("b_report")->text(), QString::fromUtf8("Catálogo"));
  EXPECT_EQ(window.findChild<QPushButton*>("B_carregar")->text(), "Carregar");
  EXPECT_EQ(window.findChild<QWidget*>("Image2")->size(), QSize(2000, 2000));
}

TEST(MainWindowLayout, TabsMemoAndTestPage) {
  testing::CurrentFolderGuard folderGuard;
  Session session;
  TForm1 window(session);
  auto* tabs = window.findChild<QTabWidget*>("TabControl1");
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabText(0), QString::fromUtf8("Conteúdo"));
  EXPECT_EQ(tabs->tabText(1), "Comandos");
  EXPECT_EQ(tabs->tabText(2), "testes");
  EXPECT_TRUE(tabs->isTabVisible(0));
  EXPECT_FALSE(tabs->isTabVisible(2));
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(tabs->widget(2)->objectName(), "TabSheet3");

  auto* memo = window.findChild<QPlainTextEdit*>("TextListBox1");
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

  const QStringList buttons{"Converter", "linha", "apagar", "Tokens"};
  QStringList found;
  for (const QPushButton* b : tabs->widget(2)->findChildren<QPushButton*>()) found << b->text();
  EXPECT_EQ(found, buttons);
}

TEST(MainWindowLayout, MenuBar) {
  testing::CurrentFolderGuard folderGuard;
  Session session;
  TForm1 window(session);
  const QList<QAction*> top = window.menuBar()->actions();
  ASSERT_EQ(top.size(), 3);
  EXPECT_EQ(top[0]->objectName(), "Sair1");
  EXPECT_EQ(top[0]->text(), "Sair");
  EXPECT_EQ(top[1]->text(), QString::fromUtf8("Catálogos"));
  EXPECT_EQ(top[1]->menu()->objectName(), "Catlogos1");
  EXPECT_EQ(top[2]->text(), "pag2");
  EXPECT_FALSE(top[2]->isVisible());

  const QList<QAction*> catalogs = top[1]->menu()->actions();
  ASSERT_EQ(catalogs.size(), 2);
  EXPECT_EQ(catalogs[0]->objectName(), "Desenhos1");
  EXPECT_EQ(catalogs[0]->text(), "Desenhos");
  EXPECT_EQ(catalogs[1]->objectName(), "Lista1");
  EXPECT_EQ(catalogs[1]->text(), "Lista");
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

}  // namespace
}  // namespace quiral
