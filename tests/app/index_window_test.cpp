// The catalog index window: its controls, a build over the main window's file list, and the
// controls bound to the current rows.
#include "app/index_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cerrno>

#include "app/directory_list_box.h"
#include "app/main_window.h"
#include "app/program_start.h"
#include "render/renderer.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

using testing::writeFile;

class IndexWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    root = QDir(dir.path()).canonicalPath();
    writeFile(root, "gates.lib",
              "DEF 74LS00 U 0 40 Y Y 4 L N\nALIAS 74HC00 74hct00\nF0 \"U\" 0 0 50 H V C CNN\n"
              "ENDDEF\n");
    writeFile(root, "Device.lib", "DEF R R 0 0 N Y 1 F N\nENDDEF\n");
    mainWindow = std::make_unique<TForm1>(session, dialogs);
    mainWindow->setDefaultFolderCandidates({});
    mainWindow->findChild<DirectoryListBox*>("DLB1")->setDirectory(root.toStdString());
    form2 = createIndexWindow(*mainWindow);
  }

  template <typename W>
  W* control(const char* name) {
    W* found = form2->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QString text(const char* name) {
    if (auto* edit = form2->findChild<QLineEdit*>(name)) return edit->text();
    return control<QLabel>(name)->text();
  }
  QTableView* grid() { return control<QTableView>("DBGrid2"); }
  QString gridCell(int row, int column) {
    return grid()->model()->index(row, column).data().toString();
  }
  void clickCell(int row) {
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                      grid()->visualRect(grid()->model()->index(row, 0)).center());
  }
  void build() { QTest::mouseClick(control<QPushButton>("BitBtn1"), Qt::LeftButton); }

  testing::CurrentFolderGuard folderGuard;
  QTemporaryDir dir;
  QString root;
  testing::TestDialogs dialogs;
  Session session;
  std::unique_ptr<TForm1> mainWindow;
  std::unique_ptr<TForm2> form2;
};

TEST_F(IndexWindowTest, ControlsAreWholeAndReadFromTopToBottom) {
  EXPECT_EQ(form2->windowTitle(), "Form2");
  EXPECT_TRUE(form2->isHidden());
  form2->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form2.get()));
  const auto at = [&](const char* name) { return control<QWidget>(name)->geometry(); };
  // Every control the user works with is shown whole, and none lies on another.
  const char* const shown[] = {"BitBtn1", "Edit1",   "BitBtn2", "DBGrid2",
                               "DBEdit2", "DBEdit3", "DBMemo1", "DBEdit1"};
  for (const char* name : shown) {
    EXPECT_TRUE(control<QWidget>(name)->isVisible()) << name;
    EXPECT_TRUE(form2->rect().contains(at(name))) << name << " is cut off";
    for (const char* other : shown) {
      if (other != name) {
        EXPECT_FALSE(at(name).intersects(at(other))) << name << " on " << other;
      }
    }
  }
  // The build button, then the counts, then the search box with its button, then the grid with
  // the block's fields on its right and the alias line below it.
  EXPECT_LT(at("BitBtn1").bottom(), at("Label3").top());
  EXPECT_LT(at("Label3").bottom(), at("Edit1").top());
  EXPECT_LT(at("Edit1").right(), at("BitBtn2").left());
  EXPECT_LT(std::max(at("Edit1").bottom(), at("BitBtn2").bottom()), at("DBGrid2").top());
  EXPECT_LT(at("DBGrid2").right(), std::min(at("DBEdit2").left(), at("DBEdit3").left()));
  EXPECT_LT(std::max(at("DBEdit2").right(), at("DBEdit3").right()), at("DBMemo1").left());
  EXPECT_LT(at("DBEdit2").bottom(), at("DBEdit3").top());
  EXPECT_LT(at("DBGrid2").bottom(), at("DBEdit1").top());
  // Each count stands right of its caption.
  EXPECT_LT(at("Label3").left(), at("Label1").left());
  EXPECT_LT(at("Label2").left(), at("Label4").left());
  // The counts and their captions in one row, each shown whole and none touching the next.
  QRect before;
  for (const char* name : {"Label3", "Label1", "Label2", "Label4"}) {
    EXPECT_GE(at(name).width(), control<QWidget>(name)->sizeHint().width()) << name;
    EXPECT_GT(at(name).left(), before.right()) << name << " touches the label before it";
    before = at(name);
  }

  EXPECT_EQ(text("Label3"), "Modelos:");
  EXPECT_EQ(text("Label2"), "Componentes:");
  EXPECT_EQ(text("Label1"), "0");
  EXPECT_EQ(text("Label4"), "0");
  EXPECT_EQ(control<QPushButton>("BitBtn2")->text(), "Localizar");
  EXPECT_EQ(grid()->model()->headerData(0, Qt::Horizontal).toString(), "alias");
  EXPECT_EQ(grid()->model()->headerData(1, Qt::Horizontal).toString(), "lib");
  EXPECT_TRUE(control<QLineEdit>("DBEdit2")->isReadOnly()) << "no block row to type into";
}

TEST_F(IndexWindowTest, BuildWalksTheFileListAndBindsTheControlsToTheCurrentRows) {
  build();
  EXPECT_EQ(text("Label1"), "2");
  EXPECT_EQ(text("Label4"), "4");
  EXPECT_TRUE(control<QPushButton>("BitBtn1")->isEnabled());
  // The main window's file list is left as it was, and nothing is loaded.
  EXPECT_EQ(mainWindow->findChild<QListWidget*>("FileListBox1")->currentRow(), -1);
  EXPECT_TRUE(session.browser.CurrentLibraryPath().empty());

  ASSERT_EQ(grid()->model()->rowCount(), 4);
  EXPECT_EQ(gridCell(0, 0), "74HC00");
  EXPECT_EQ(gridCell(1, 0), "74hct00");
  EXPECT_EQ(gridCell(3, 1), "Device.lib");
  EXPECT_EQ(grid()->currentIndex().row(), 0);
  // The highlighted name's block is the one shown.
  EXPECT_EQ(text("DBEdit2"), "74LS00");
  EXPECT_EQ(text("DBEdit1"), "ALIAS 74HC00 74hct00");
  // The arrow keys move the highlight and the block with it.
  grid()->setFocus();
  QTest::keyClick(grid(), Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(grid()->currentIndex().row(), 3);
  EXPECT_EQ(text("DBEdit2"), "R");
  EXPECT_EQ(text("DBEdit3"), "") << "Elementos is left empty";
  EXPECT_EQ(control<QPlainTextEdit>("DBMemo1")->toPlainText(), "DEF R R 0 0 N Y 1 F N\nENDDEF");
  QTest::keyClick(grid(), Qt::Key_Up);
  EXPECT_EQ(text("DBEdit2"), "74LS00");

  clickCell(1);
  EXPECT_EQ(text("DBEdit2"), "74LS00");
  EXPECT_EQ(text("DBEdit1"), "ALIAS 74HC00 74hct00");
  // The library column shows whole names; a larger window gives its room to the grid and memo.
  EXPECT_GE(grid()->columnWidth(1),
            grid()->fontMetrics().horizontalAdvance(QStringLiteral("Device.lib")));
  form2->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form2.get()));
  const QSize gridBefore = grid()->size(), memoBefore = control<QPlainTextEdit>("DBMemo1")->size();
  form2->resize(form2->size() + QSize(200, 100));
  form2->layout()->activate();
  EXPECT_EQ(grid()->size(), gridBefore + QSize(80, 100));
  EXPECT_EQ(control<QPlainTextEdit>("DBMemo1")->size(), memoBefore + QSize(120, 100));

  control<QLineEdit>("Edit1")->setText("r");
  QTest::mouseClick(control<QPushButton>("BitBtn2"), Qt::LeftButton);
  EXPECT_EQ(grid()->currentIndex().row(), 3);
  EXPECT_EQ(text("DBEdit2"), "R");

  // A title click sorts on that column; the current name stays current.
  QTest::mouseClick(grid()->horizontalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(grid()->horizontalHeader()->sectionViewportPosition(1) + 5, 5));
  EXPECT_EQ(gridCell(0, 0), "R");
  EXPECT_EQ(grid()->currentIndex().row(), 0);
}

TEST_F(IndexWindowTest, TypingChangesOnlyTheCurrentBlockRow) {
  build();
  clickCell(3);  // R
  QTest::keyClicks(control<QLineEdit>("DBEdit2"), "X");
  QTest::keyClicks(control<QLineEdit>("DBEdit3"), "12a");
  auto* memo = control<QPlainTextEdit>("DBMemo1");
  memo->moveCursor(QTextCursor::End);
  QTest::keyClick(memo, Qt::Key_Return);
  QTest::keyClicks(memo, "# note");
  const MemoryTable& comp = form2->index().RxMD_comp();
  EXPECT_EQ(comp.text(0, CompField::Principal), "RX");
  EXPECT_EQ(comp.integer(0, CompField::Elementos), 12);
  EXPECT_EQ(comp.text(0, CompField::Comandos), "DEF R R 0 0 N Y 1 F N\rENDDEF\r# note\r");
  EXPECT_EQ(gridCell(3, 0), "R") << "the name rows are untouched";
  clickCell(1);
  clickCell(3);
  EXPECT_EQ(text("DBEdit2"), "RX");
  EXPECT_EQ(text("DBEdit3"), "12");
}

TEST_F(IndexWindowTest, AFailedBuildShowsTheErrorAndWhatWasRead) {
  ASSERT_TRUE(QFile::remove(root + "/gates.lib"));
  testing::ErrorCatcher errors(dialogs);
  build();
  EXPECT_EQ(errors.messages(), QStringList{testing::platformText(root + "/gates.lib", ENOENT)});
  EXPECT_EQ(text("Label1"), "1");
  EXPECT_EQ(grid()->model()->rowCount(), 1);
  EXPECT_TRUE(control<QPushButton>("BitBtn1")->isEnabled());
  EXPECT_EQ(mainWindow->findChild<QListWidget*>("FileListBox1")->currentRow(), -1);
}

TEST_F(IndexWindowTest, CtrlFSearchesTheFolderAndEnterChoosesTheNameInTheMainWindow) {
  auto* search = mainWindow->findChild<QAction*>("Localizar1");
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(search->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
  search->trigger();  // built for the folder listed, and shown
  EXPECT_TRUE(form2->isVisible());
  EXPECT_EQ(text("Label4"), "4");
  control<QLineEdit>("Edit1")->setText("74hct");
  QTest::mouseClick(control<QPushButton>("BitBtn2"), Qt::LeftButton);
  QTest::keyClick(grid(), Qt::Key_Return);  // the alias's library and block
  EXPECT_FALSE(form2->isVisible());
  EXPECT_EQ(session.browser.CurrentLibraryPath(), (root + "/gates.lib").toStdString());
  EXPECT_EQ(session.browser.memo().front(), "DEF 74LS00 U 0 40 Y Y 4 L N");
  EXPECT_EQ(mainWindow->findChild<QListWidget*>("FileListBox1")->currentRow(), 1);
  EXPECT_EQ(mainWindow->findChild<QListWidget*>("ListBox1")->currentRow(), 0);

  writeFile(root, "more.lib", "DEF Q Q 0 0 N Y 1 F N\nENDDEF\n");
  search->trigger();  // the same listing: the build stays
  EXPECT_EQ(text("Label4"), "4");
  mainWindow->findChild<DirectoryListBox*>("DLB1")->setDirectory(root.toStdString());
  search->trigger();  // listed again: built again
  EXPECT_EQ(text("Label4"), "5");
  // A double click: QTest sends only its second half, so the first click comes before it.
  const QPoint q = grid()->visualRect(grid()->model()->index(3, 0)).center();
  QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, q);
  QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, q);
  EXPECT_FALSE(form2->isVisible());
  EXPECT_EQ(session.browser.memo().front(), "DEF Q Q 0 0 N Y 1 F N");
}

TEST(IndexWindowStart, MadeHiddenAtStartShownModallyByTheHiddenEntryAndKeepsItsBuild) {
  testing::CurrentFolderGuard folderGuard;
  QTemporaryDir dir;
  writeFile(dir.path(), "one.lib", "DEF ONE U 0 0 Y Y 1 F N\nENDDEF\n");
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  std::unique_ptr<ProgramObjects> objects = createProgramObjects();
  ASSERT_TRUE(objects->Form2);
  TForm2& form2 = *objects->Form2;
  EXPECT_TRUE(form2.isHidden());
  form2.BitBtn1Click();

  QWidget* shownModal = nullptr;
  QTimer::singleShot(0, &form2, [&] {
    shownModal = QApplication::activeModalWidget();
    form2.close();
  });
  QAction* entry = objects->Form1->findChild<QAction*>("pag22");
  ASSERT_NE(entry, nullptr);
  EXPECT_FALSE(entry->isVisible());
  entry->trigger();
  EXPECT_EQ(shownModal, &form2);
  EXPECT_TRUE(form2.isHidden());
  EXPECT_EQ(form2.findChild<QLabel*>("Label1")->text(), "1");
  EXPECT_EQ(form2.index().nameCount(), 1u);
}

}  // namespace
}  // namespace quiral
