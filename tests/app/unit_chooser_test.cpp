// The unit chooser and De Morgan switch below the symbol view, as a user drives them.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QTest>

#include "app/directory_list_box.h"
#include "app/main_window.h"
#include "app/symbol_canvas.h"
#include "render/renderer.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

const char* const kParts =
    "DEF NAND U 0 40 Y Y 3 L N\n"
    "DRAW\n"
    "S -100 -100 100 100 0 1 10 N\n"
    "C 0 0 50 0 2 10 N\n"
    "X A 1 -300 0 200 R 50 50 1 0 I\n"
    "X B 2 300 0 200 L 50 50 2 0 I\n"
    "X VCC 3 0 300 200 D 50 50 3 0 W\n"
    "ENDDRAW\n"
    "ENDDEF\n"
    "DEF R R 0 0 N Y 1 F N\n"
    "S -40 -100 40 100 0 1 10 N\n"
    "ENDDEF\n";

class UnitChooserTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    testing::writeFile(root, "parts.lib", kParts);
    showWindow(root);
    choose("FileListBox1", 0);
    units = widget<QComboBox>("CB_unidade");
    deMorgan = widget<QCheckBox>("CB_demorgan");
    ASSERT_TRUE(units && deMorgan);
  }

  QComboBox* units = nullptr;
  QCheckBox* deMorgan = nullptr;
};

TEST_F(UnitChooserTest, ManyUnitsAreChosenByTheChooserTheSwitchAndPageKeys) {
  EXPECT_TRUE(units->isVisible());
  // Below the symbol view, inside the window, covering nothing of the view.
  const QWidget* client = window->centralWidget();
  const auto placeOf = [&](const char* name) {
    const QWidget* w = client->findChild<QWidget*>(name);
    return QRect(w->mapTo(client, QPoint(0, 0)), w->size());
  };
  EXPECT_TRUE(client->rect().contains(placeOf("UnitChooser")));
  EXPECT_FALSE(placeOf("UnitChooser").intersects(placeOf("ScrollBox1")));
  EXPECT_FALSE(placeOf("UnitChooser").intersects(placeOf("TabControl1")));
  EXPECT_TRUE(units->isEnabled());
  ASSERT_EQ(units->count(), 3);
  EXPECT_EQ(units->itemText(2), "C");
  EXPECT_EQ(units->currentIndex(), 0);
  EXPECT_TRUE(deMorgan->isEnabled());
  EXPECT_FALSE(deMorgan->isChecked());
  const QImage unitA = view();

  units->setCurrentIndex(1);
  const QImage unitB = view();
  EXPECT_NE(unitA, unitB);
  deMorgan->setChecked(true);
  EXPECT_NE(view(), unitB);  // the De Morgan body adds its circle

  // Page Down on the symbol view steps to unit C and stops there; Page Up goes back.
  auto* scroll = window->findChild<QScrollArea*>("ScrollBox1");
  scroll->setFocus();
  QTest::keyClick(scroll, Qt::Key_PageDown);
  EXPECT_EQ(units->currentIndex(), 2);
  QTest::keyClick(scroll, Qt::Key_PageDown);
  EXPECT_EQ(units->currentIndex(), 2);
  QTest::keyClick(scroll, Qt::Key_PageUp);
  EXPECT_EQ(units->currentIndex(), 1);

  // The zoom draws the chosen unit too.
  QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier);
  const QImage zoomedB = view();
  units->setCurrentIndex(0);
  EXPECT_NE(view(), zoomedB);
  // Choosing the component again while zoomed draws unit A, body style 1, as the chooser says.
  deMorgan->setChecked(false);
  const QImage zoomedA = view();
  units->setCurrentIndex(1);
  choose("ListBox1", 0);
  EXPECT_EQ(units->currentIndex(), 0);
  EXPECT_EQ(view(), zoomedA);
  QTest::keyClick(window.get(), Qt::Key_0, Qt::ControlModifier);

  // The component list keeps its own paging keys: Page Down moves to its last entry.
  auto* list = window->findChild<QListWidget*>("ListBox1");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_PageDown);
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_EQ(units->count(), 1);
  choose("ListBox1", 0);
  units->setCurrentIndex(1);

  // Choosing the component again starts over at unit A, body style 1, with unit A's picture.
  choose("ListBox1", 0);
  EXPECT_EQ(units->currentIndex(), 0);
  EXPECT_FALSE(deMorgan->isChecked());
  EXPECT_EQ(view(), unitA);
}

TEST_F(UnitChooserTest, AOneUnitSymbolOffersNothingToChoose) {
  choose("ListBox1", 1);
  EXPECT_FALSE(units->isEnabled());
  EXPECT_EQ(units->count(), 1);
  EXPECT_EQ(units->currentText(), "A");
  EXPECT_FALSE(deMorgan->isEnabled());
  const QImage before = view();
  auto* scroll = window->findChild<QScrollArea*>("ScrollBox1");
  scroll->setFocus();
  QTest::keyClick(scroll, Qt::Key_PageDown);
  EXPECT_EQ(units->currentIndex(), 0);
  EXPECT_EQ(view(), before);
}

}  // namespace
}  // namespace quiral
