// The component list with aliases and the "Propriedades" and "Pinos" tabs, as a user meets them
// on a legacy library with its documentation file and on a modern one with a derived symbol.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include "app/directory_list_box.h"
#include "app/main_window.h"
#include "app/pin_table_tab.h"
#include "app/properties_tab.h"
#include "app/symbol_canvas.h"
#include "app/window_settings.h"
#include "render/renderer.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

class SymbolBrowserTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    const QString data = QStringLiteral(QUIRAL_TEST_DATA_DIR);
    for (const QString& name : {QStringLiteral("74xx_gates.lib"), QStringLiteral("74xx_gates.dcm")})
      ASSERT_TRUE(QFile::copy(data + "/../../examples/" + name, root + "/" + name));
    ASSERT_TRUE(QFile::copy(data + "/library/gates.kicad_sym", root + "/gates.kicad_sym"));
    showWindow(root);
  }
  void openFile(const QString& name) { chooseFile(name); }
  QString property(const char* caption) {
    return window->findChild<PropertiesTab*>()->valueOf(QString::fromUtf8(caption));
  }
  void openTab(int index) { widget<QTabWidget>("TabControl1")->setCurrentIndex(index); }
};

TEST_F(SymbolBrowserTest, AnAliasFollowsItsSymbolAndShowsItsOwnNameAndDescription) {
  openFile("74xx_gates.lib");
  QListWidget* list = components();
  ASSERT_GE(list->count(), 4);
  EXPECT_EQ(list->item(0)->text(), "74LS00");
  EXPECT_EQ(list->item(1)->text().trimmed(), "74HC00");
  EXPECT_TRUE(list->item(1)->font().italic());
  EXPECT_FALSE(list->item(0)->font().italic());
  EXPECT_EQ(list->item(2)->text().trimmed(), "74HCT00");
  EXPECT_EQ(list->item(3)->text(), "74LS08");
  const QImage symbol = view();

  click(list, 1);
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_EQ(session.browser.components().selectedEntry(), "74LS00");
  EXPECT_NE(view(), symbol);  // the value reads 74HC00
  openTab(3);
  EXPECT_EQ(property("Nome"), "74HC00");
  EXPECT_EQ(property("Alias de"), "74LS00");
  EXPECT_EQ(property("Descrição"), "Quad 2-input NAND gate, high-speed CMOS");
  EXPECT_EQ(property("Unidades"), "5 (A, B, C, D, E)");
  EXPECT_EQ(property("Filtros de footprint"), "DIP*W7.62mm* SOIC*3.9x8.7mm*");
  // The symbol itself: its own description and a datasheet that links to the web.
  click(list, 0);
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_EQ(view(), symbol);
  EXPECT_EQ(property("Alias de"), "");
  EXPECT_EQ(property("Descrição"), "Quad 2-input NAND gate");
  EXPECT_TRUE(property("Folha de dados").contains("href=\"http://www.ti.com/lit/gpn/sn74ls00\""));
  EXPECT_EQ(datasheetLink("~"), "");
  EXPECT_EQ(datasheetLink(root + "/74xx_gates.dcm"),
            QUrl::fromLocalFile(root + "/74xx_gates.dcm").toString());

  // A modern library's derived symbol is listed and shown the same way.
  openFile("gates.kicad_sym");
  ASSERT_EQ(components()->count(), 3);
  EXPECT_EQ(components()->item(1)->text().trimmed(), "NAND_B");
  click(components(), 1);
  EXPECT_EQ(property("Nome"), "NAND_B");
  EXPECT_EQ(property("Alias de"), "NAND");
  EXPECT_EQ(property("Descrição"), "the same gate, small");
}

TEST_F(SymbolBrowserTest, ThePinTableSortsFiltersAndCopiesRows) {
  openFile("74xx_gates.lib");
  openTab(4);
  auto* tab = window->findChild<PinTableTab*>();
  QTableView* table = tab->table();
  ASSERT_EQ(table->model()->rowCount(), 14);
  EXPECT_EQ(table->model()->index(0, 1).data().toString(), "VCC");  // the block's order first
  table->sortByColumn(0, Qt::AscendingOrder);
  QStringList numbers;
  for (int r = 0; r < 4; ++r) numbers << table->model()->index(r, 0).data().toString();
  EXPECT_EQ(numbers, (QStringList{"1", "2", "3", "4"}));  // as numbers: 10 comes later
  table->sortByColumn(6, Qt::AscendingOrder);             // x, negative first
  EXPECT_TRUE(table->model()->index(0, 6).data().toString().startsWith('-'));

  QTest::keyClicks(tab->filterField(), "power");
  ASSERT_EQ(table->model()->rowCount(), 2);  // VCC and GND
  table->selectAll();
  QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  const QString copied = QApplication::clipboard()->text();
  EXPECT_EQ(copied.count('\n'), 2);
  EXPECT_TRUE(copied.contains("14\tVCC\tpower input\tline\t5\t0\t0\t400\tdown\t150\n"));

  // Another component fills the open tab anew; the filter stays.
  click(components(), 3);
  EXPECT_EQ(table->model()->rowCount(), 2);
  tab->filterField()->clear();
  EXPECT_EQ(table->model()->rowCount(), 14);
}

TEST_F(SymbolBrowserTest, TheNextStartReturnsToTheSizeFolderLibraryAndAliasOfTheLast) {
  QSettings settings(dir.filePath("settings.ini"), QSettings::IniFormat);
  WindowSettings remembered(settings);
  window->rememberWith(&remembered, true);
  window->resize(1111, 777);
  openFile("74xx_gates.lib");
  click(components(), 2);                                           // the alias 74HCT00
  window->findChild<QComboBox*>("CB_unidade")->setCurrentIndex(2);  // unit C
  window->zoomIn();
  window->zoomIn();
  const int zoom = window->zoom().percent();
  window->close();
  EXPECT_EQ(remembered.recentFolders(), QStringList{root});

  Session again;
  TForm1 next(again, dialogs);
  next.rememberWith(&remembered, true);
  next.show();
  next.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&next));
  EXPECT_EQ(next.size(), QSize(1111, 777));
  EXPECT_EQ(next.folderShown(), root.toStdString());
  EXPECT_EQ(next.selectedFileName(), "74xx_gates.lib");
  EXPECT_EQ(next.findChild<QListWidget*>("ListBox1")->currentRow(), 2);
  EXPECT_EQ(next.findChild<QComboBox*>("CB_unidade")->currentIndex(), 2);
  EXPECT_EQ(next.zoom().percent(), zoom);
  EXPECT_NE(zoom, 100);
  auto* recent = next.findChild<QMenu*>("Recentes1");
  ASSERT_NE(recent, nullptr);
  EXPECT_EQ(recent->actions().size(), 1);

  // Started with a folder of its own, the window leaves the remembered place alone.
  Session third;
  TForm1 started(third, dialogs);
  started.setDefaultFolderCandidates({});
  started.rememberWith(&remembered, false);
  started.show();
  started.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&started));
  EXPECT_FALSE(started.selectedFileName());
}

}  // namespace
}  // namespace quiral
