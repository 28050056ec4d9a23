// The window's symbol search: typing, the results as they arrive, moving through them and
// choosing one, Esc and the shortcuts.
#include "app/symbol_search_box.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "app/directory_list_box.h"
#include "app/main_window.h"
#include "app/symbol_canvas.h"
#include "render/renderer.h"
#include "tests/app/test_fixtures.h"
#include "tests/search/search_fixture.h"

namespace quiral {
namespace {

class SymbolSearchBoxTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    testing::writeFile(root, "libs/Parts.lib", testing::kPartsLib);
    testing::writeFile(root, "libs/Parts.dcm", testing::kPartsDcm);
    testing::writeFile(root, "libs/Optoelectronics.lib", testing::kOptoLib);
    testing::writeFile(root, "libs/Optoelectronics.dcm", testing::kOptoDcm);
    setenv("XDG_CACHE_HOME", (root + "/cache").toLocal8Bit().constData(), 1);
    window = std::make_unique<TForm1>(session, dialogs);
    window->setStartFolder((root + "/libs").toStdString());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    field = window->findChild<QLineEdit*>("SymbolSearchField");
    results = window->findChild<QTreeWidget*>("SymbolSearchResults");
    box = window->findChild<SymbolSearchBox*>();
    ASSERT_TRUE(field && results && box);
  }
  void TearDown() override { unsetenv("XDG_CACHE_HOME"); }

  // Types `text` into the empty field and waits for its results.
  void type(const QString& text) {
    field->clear();
    QTest::keyClicks(field, text);
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->shownQuery() == text; }, 10000))
        << text.toStdString();
  }
  QStringList column(int c) const {
    QStringList out;
    for (int i = 0; i < results->topLevelItemCount(); ++i) out << results->topLevelItem(i)->text(c);
    return out;
  }

  QLineEdit* field = nullptr;
  QTreeWidget* results = nullptr;
  SymbolSearchBox* box = nullptr;
};

TEST_F(SymbolSearchBoxTest, TypeMoveThroughTheResultsAndChoose) {
  // The field stands right above the component list; the results cover the list.
  const QWidget* list = components();
  EXPECT_EQ(field->geometry().bottom() + 1, list->geometry().top());
  EXPECT_EQ(field->geometry().left(), list->geometry().left());
  EXPECT_FALSE(results->isVisible());

  type("opto");
  EXPECT_TRUE(results->isVisible());
  EXPECT_EQ(results->geometry(), list->geometry());
  // The file list's order puts Optoelectronics.lib first: K8170 before PC817.
  EXPECT_EQ(column(1).join(' '),
            "OPTO OPTO_SENSOR MOC_OPTO K8170 PC817 PC817_Long H11L1 CNY70 XYZ1");
  EXPECT_EQ(column(0).first(), "Optoelectronics");
  // Results of the text typed last stay, whatever arrives after.
  QTest::qWait(200);
  EXPECT_EQ(box->shownQuery(), "opto");
  // Another folder: the same text is searched there.
  window->findChild<DirectoryListBox*>("DLB1")->setDirectory(root.toStdString());
  ASSERT_TRUE(QTest::qWaitFor([&] { return box->shownQuery() == "opto"; }, 10000));
  EXPECT_EQ(results->topLevelItemCount(), 0);
  window->findChild<DirectoryListBox*>("DLB1")->setDirectory((root + "/libs").toStdString());

  // Moving to an alias draws its symbol: its library is opened and the symbol chosen.
  type("mc1458");
  ASSERT_EQ(column(2), QStringList{"Dual op amp, DIP-8"});
  results->setFocus();
  results->setCurrentItem(results->topLevelItem(0));
  EXPECT_EQ(window->selectedFileName(), "Parts.lib");
  ASSERT_NE(components()->currentItem(), nullptr);
  // The alias's own row of the list, after its symbol's.
  EXPECT_EQ(components()->currentItem()->text().trimmed(), "MC1458");
  EXPECT_EQ(components()->currentItem()->toolTip(), "Alias de LM358");
  EXPECT_TRUE(testing::hasInk(window->findChild<SymbolCanvas*>("Image2")->picture()));

  // Enter chooses: the name of a hidden value is found with its tilde, and the field empties.
  type("logo open");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(components()->currentItem()->text(), "~Logo_Open_Hardware_Large");
  EXPECT_TRUE(field->text().isEmpty());
  EXPECT_FALSE(results->isVisible());
}

TEST_F(SymbolSearchBoxTest, ShortcutsFocusTheFieldAndEscClearsIt) {
  // From another tab too: the component list's tab comes to the front.
  auto* tabs = window->findChild<QTabWidget*>("TabControl1");
  tabs->setCurrentIndex(1);
  QWidget* memo = window->findChild<QWidget*>("TextListBox1");
  memo->setFocus();
  QTest::keyClick(memo, Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_TRUE(field->hasFocus());
  components()->setFocus();
  QTest::keyClick(components(), Qt::Key_Slash);
  EXPECT_TRUE(field->hasFocus());
  // In the field the slash is text (a separator), not a shortcut.
  type("usb/c");
  EXPECT_EQ(column(1), QStringList{"USB_C_Receptacle"});
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_TRUE(field->text().isEmpty());
  EXPECT_FALSE(results->isVisible());
  // The index's Ctrl+F stays the index's.
  QSignalSpy index(window.get(), &TForm1::indexSearchRequested);
  QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(index.count(), 1);
}

}  // namespace
}  // namespace quiral
