// The main window as a user drives it: browsing folders, choosing libraries and components, and the
// error box. Widgets are found by their control names.
#include "app/main_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <cerrno>
#include <memory>

#include "app/bitmap_image.h"
#include "app/directory_list_box.h"
#include "app/folder_path_field.h"
#include "app/symbol_canvas.h"
#include "library/folder_listing.h"
#include "render/renderer.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

using testing::CurrentFolderGuard;
using testing::ErrorCatcher;
using testing::hasInk;
using testing::platformText;
using testing::writeFile;

// Two components whose drawings differ in size, CR LF line ends as KiCad on Windows writes them.
const char* const kTwoParts =
    "EESchema-LIBRARY Version 2.3\r\n"
    "#encoding utf-8\r\n"
    "DEF R R 0 0 N Y 1 F N\r\n"
    "F0 \"R\" 80 0 50 V V C CNN\r\n"
    "DRAW\r\n"
    "S -40 -100 40 100 0 1 10 N\r\n"
    "X ~ 1 0 150 50 D 50 50 1 1 P\r\n"
    "ENDDEF\r\n"
    "DEF BIGCIRCLE U 0 40 Y Y 1 F N\r\n"
    "DRAW\r\n"
    "C 0 0 600 0 1 0 N\r\n"
    "ENDDEF\r\n"
    "#End Library\r\n";

// Names in UTF-8 and in Windows-1252 (0xB5 is the micro sign there).
const char* const kNamedParts =
    "DEF \xCE\xA9_LOAD U 0 40 Y Y 1 F N\n"
    "S 0 0 100 100 0 1 0 N\n"
    "ENDDEF\n"
    "DEF R\xB5 R 0 0 N Y 1 F N\n"
    "S 0 0 100 100 0 1 0 N\n"
    "ENDDEF\n";

class MainWindowTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    writeFile(root, "libs/two.lib", kTwoParts);
    writeFile(root, "libs/named.LIB", kNamedParts);
    writeFile(root, "libs/nodef.lib", "EESchema-LIBRARY Version 2.3\r\n#End Library\r\n");
    writeFile(root, "libs/notes.txt", "DEF X X 0 0 N Y 1 F N\r\n");
    writeFile(root, "other/gates.lib", "DEF NAND U 0 0 Y Y 1 F N\r\nENDDEF\r\n");
    showWindow(root + "/libs");
  }

  QPlainTextEdit* memo() { return widget<QPlainTextEdit>("TextListBox1"); }
  void openFolder(const QString& folder) {
    widget<DirectoryListBox>("DLB1")->setDirectory(folder.toStdString());
  }
};

TEST_F(MainWindowTest, ListsLibraryFilesOfTheFolderInAnyCaseSortedIgnoringCase) {
  EXPECT_EQ(texts(files()), (QStringList{"named.LIB", "nodef.lib", "two.lib"}));
  EXPECT_EQ(window->folderShown(), (root + "/libs").toStdString());
}

TEST_F(MainWindowTest, ChoosingAFileListsItsComponentsAndShowsTheFirst) {
  chooseFile("two.lib");
  EXPECT_EQ(texts(components()), (QStringList{"R", "BIGCIRCLE"}));
  EXPECT_EQ(components()->currentRow(), 0);
  EXPECT_EQ(memo()->toPlainText(),
            "DEF R R 0 0 N Y 1 F N\nF0 \"R\" 80 0 50 V V C CNN\nDRAW\n"
            "S -40 -100 40 100 0 1 10 N\nX ~ 1 0 150 50 D 50 50 1 1 P\nENDDEF");
  const QImage shown = view();
  EXPECT_TRUE(hasInk(shown));
  // A small symbol opens at the pixel view's scale, drawn whole inside the view.
  EXPECT_EQ(window->zoom().percent(), 100);
  EXPECT_EQ(widget<QWidget>("Image2")->size().expandedTo(shown.size()),
            widget<QWidget>("Image2")->size());
}

TEST_F(MainWindowTest, ChoosingAnotherComponentReplacesMemoAndDrawing) {
  chooseFile("two.lib");
  const QImage first = view();
  click(components(), 1);
  EXPECT_EQ(memo()->toPlainText(),
            "DEF BIGCIRCLE U 0 40 Y Y 1 F N\nDRAW\nC 0 0 600 0 1 0 N\nENDDEF");
  const QImage second = view();
  EXPECT_TRUE(hasInk(second));
  EXPECT_GT(second.width(), first.width());
  // The keyboard moves the choice just as well.
  QTest::keyClick(components(), Qt::Key_Up);
  EXPECT_TRUE(memo()->toPlainText().startsWith("DEF R R"));
  EXPECT_EQ(view().size(), first.size());
}

TEST_F(MainWindowTest, ALibraryWithoutComponentsKeepsThePreviousDrawing) {
  chooseFile("two.lib");
  const QString block = memo()->toPlainText();
  const QImage drawing = view();
  chooseFile("nodef.lib");
  EXPECT_EQ(components()->count(), 0);
  EXPECT_EQ(memo()->toPlainText(), block);
  EXPECT_EQ(view(), drawing);
}

TEST_F(MainWindowTest, NamesFromTheFileAreShownDecoded) {
  chooseFile("named.LIB");
  EXPECT_EQ(texts(components()),
            (QStringList{QString::fromUtf8("Ω_LOAD"), QString::fromUtf8("Rµ")}));
  click(components(), 1);
  EXPECT_TRUE(memo()->toPlainText().startsWith(QString::fromUtf8("DEF Rµ R")));
}

TEST_F(MainWindowTest, EachMemoLineStaysOneLineOfTheMemo) {
  // A paragraph separator (U+2029) inside a field must not split the line: the caret's line
  // number picks the line that "linha" draws.
  writeFile(root, "libs/sep.lib",
            "DEF SEP U 0 40 Y Y 1 F N\nF1 \"a\xE2\x80\xA9"
            "b\" 0 0 50 H V C CNN\n"
            "S 0 0 100 100 0 1 0 N\nENDDEF\n");
  openFolder(root + "/libs");
  chooseFile("sep.lib");
  ASSERT_EQ(session.browser.memo().size(), 4u);
  EXPECT_EQ(memo()->blockCount(), 4);
}

TEST_F(MainWindowTest, AnUnreadableLibraryShowsTheErrorAndTheWindowKeepsWorking) {
  chooseFile("two.lib");
  ASSERT_TRUE(QFile::remove(root + "/libs/nodef.lib"));
  {
    ErrorCatcher errors(dialogs);
    chooseFile("nodef.lib");  // named, and the last drawing and lines are gone
    // In the window's words, the file named once, then the system's reason.
    const QString reason = platformText(root + "/libs/nodef.lib", ENOENT)
                               .mid(QString(root + "/libs/nodef.lib: ").size());
    EXPECT_EQ(
        errors.messages(),
        QStringList{QString::fromUtf8("A biblioteca nodef.lib não pôde ser lida: ") + reason});
  }
  EXPECT_EQ(components()->count(), 0);
  EXPECT_EQ(memo()->toPlainText(), QString());
  EXPECT_FALSE(hasInk(widget<SymbolCanvas>("Image2")->picture()));
  chooseFile("two.lib");
  EXPECT_EQ(components()->count(), 2);
  click(components(), 1);
  EXPECT_TRUE(memo()->toPlainText().startsWith("DEF BIGCIRCLE"));
}

TEST_F(MainWindowTest, AComponentThatCannotBeReadShowsTheErrorAndKeepsWhatWasRead) {
  chooseFile("two.lib");
  ASSERT_TRUE(QFile::remove(root + "/libs/two.lib"));
  ASSERT_TRUE(QDir().mkdir(root + "/libs/two.lib"));  // a folder in its place: opens, cannot read
  ErrorCatcher errors(dialogs);
  click(components(), 1);
  EXPECT_EQ(errors.messages(), QStringList{platformText(root + "/libs/two.lib", EISDIR)});
  EXPECT_EQ(memo()->toPlainText(), QString());
  EXPECT_FALSE(hasInk(widget<SymbolCanvas>("Image2")->picture()));
  EXPECT_EQ(components()->count(), 2);
}

TEST_F(MainWindowTest, OpeningAFolderChangesTheCurrentFolderAndClearsTheOldLibrary) {
  chooseFile("two.lib");
  auto* folders = widget<DirectoryListBox>("DLB1");
  // Enter on the parent folder, then a double click on the sibling.
  for (int i = 0; i < folders->count(); ++i)
    if (folders->folderAt(i) == root.toStdString()) folders->setCurrentRow(i);
  QTest::keyClick(folders, Qt::Key_Return);
  ASSERT_EQ(window->folderShown(), root.toStdString());
  int other = -1;
  for (int i = 0; i < folders->count(); ++i)
    if (folders->folderAt(i) == (root + "/other").toStdString()) other = i;
  ASSERT_GE(other, 0) << "the parent's list shows its subfolders";
  const QPoint at = folders->visualItemRect(folders->item(other)).center();
  // A double click: QTest sends only its second half, so the first click comes before it.
  QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(window->folderShown(), root.toStdString()) << "a single click opens nothing";
  QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);

  EXPECT_EQ(currentFolder(), (root + "/other").toStdString());
  EXPECT_EQ(window->folderShown(), currentFolder());
  EXPECT_EQ(texts(files()), QStringList{"gates.lib"});
  // The library of the folder left is no longer on show.
  EXPECT_EQ(texts(components()), QStringList());
  EXPECT_TRUE(session.browser.CurrentLibraryPath().empty());
  EXPECT_FALSE(hasInk(view()));
}

TEST_F(MainWindowTest, AFolderOfferedByThePathFieldIsShownWhenChosen) {
  chooseFile("two.lib");
  auto* field = widget<FolderPathField>("DriveComboBox1");
  EXPECT_EQ(field->currentText(), root + "/libs");
  field->setOfferedFolders({(root + "/other").toStdString(), (root + "/gone").toStdString()});
  ASSERT_EQ(field->count(), 1) << "only folders that exist are offered";
  emit field->activated(0);
  EXPECT_EQ(window->folderShown(), (root + "/other").toStdString());
  EXPECT_EQ(currentFolder(), window->folderShown());
  EXPECT_EQ(field->currentText(), root + "/other");
  EXPECT_EQ(texts(files()), QStringList{"gates.lib"});
}

TEST_F(MainWindowTest, AFolderThatCannotBeOpenedShowsTheErrorAndStays) {
  ASSERT_TRUE(QDir().mkdir(root + "/gone"));
  openFolder(root);
  ASSERT_TRUE(QDir().rmdir(root + "/gone"));
  auto* folders = widget<DirectoryListBox>("DLB1");
  for (int i = 0; i < folders->count(); ++i)
    if (folders->folderAt(i) == (root + "/gone").toStdString()) folders->setCurrentRow(i);
  ErrorCatcher errors(dialogs);
  QTest::keyClick(folders, Qt::Key_Return);
  EXPECT_EQ(errors.messages(), QStringList{platformText(root + "/gone", ENOENT)});
  EXPECT_EQ(window->folderShown(), root.toStdString());
  EXPECT_EQ(currentFolder(), root.toStdString());
}

TEST_F(MainWindowTest, SelectionsMadeByTheProgramRunNothing) {
  chooseFile("two.lib");
  const QString block = memo()->toPlainText();
  session.browser.components().select(1);
  window->mirrorCore();
  EXPECT_EQ(components()->currentRow(), 1);
  EXPECT_EQ(memo()->toPlainText(), block);
}

TEST_F(MainWindowTest, FirstActivationOpensTheFirstExistingDefaultFolderOnce) {
  TForm1 fresh(session, dialogs);
  fresh.setDefaultFolderCandidates({(root + "/missing").toStdString(),
                                    (root + "/other").toStdString(),
                                    (root + "/libs").toStdString()});
  fresh.show();
  fresh.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&fresh));
  EXPECT_EQ(fresh.folderShown(), (root + "/other").toStdString());
  EXPECT_EQ(currentFolder(), fresh.folderShown());
  EXPECT_EQ(fresh.findChild<QListWidget*>("ListBox1")->count(), 0) << "no library is loaded";

  openFolder(root + "/libs");  // the other window moves the current folder away
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  fresh.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&fresh));
  EXPECT_EQ(fresh.folderShown(), (root + "/other").toStdString()) << "only the first activation";
}

TEST_F(MainWindowTest, AStartLibraryIsChosenAndItsFirstComponentShownAtFirstActivation) {
  Session own;
  TForm1 fresh(own, dialogs);
  fresh.setStartFolder((root + "/libs").toStdString(), "two.lib");
  fresh.show();
  fresh.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&fresh));
  EXPECT_EQ(fresh.folderShown(), (root + "/libs").toStdString());
  EXPECT_EQ(fresh.selectedFileName(), "two.lib");
  const auto* list = fresh.findChild<QListWidget*>("ListBox1");
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_TRUE(hasInk(fresh.findChild<SymbolCanvas*>("Image2")->picture()));

  // A file outside the list's mask is still loaded, as it was asked for by name.
  Session other;
  TForm1 second(other, dialogs);
  second.setStartFolder((root + "/libs").toStdString(), "notes.txt");
  second.FormActivate();
  EXPECT_EQ(second.selectedFileName(), std::nullopt);
  EXPECT_EQ(other.browser.components().entries(), std::vector<std::string>{"X"});
}

TEST_F(MainWindowTest, HiddenLoaderListsWithoutShowing) {
  chooseFile("two.lib");
  const QString block = memo()->toPlainText();
  dialogs.openAnswer = [&](const QString&, const QString& filter) {
    EXPECT_EQ(filter, "Libs (*.lib);;All files (*)");
    return root + "/other/gates.lib";
  };
  widget<QWidget>("FilenameEdit1")->findChild<QAbstractButton*>("browse")->click();
  widget<QPushButton>("B_carregar")->click();
  EXPECT_EQ(texts(components()), QStringList{"NAND"});
  EXPECT_EQ(components()->currentRow(), -1);
  EXPECT_EQ(memo()->toPlainText(), block);
}

TEST_F(MainWindowTest, TestPageButtonsClearAndRedraw) {
  chooseFile("two.lib");
  // The test page draws on the pixel canvas, and the view shows that canvas's view.
  widget<QPushButton>("B_apagar")->click();
  EXPECT_FALSE(hasInk(view()));
  widget<QPushButton>("B_converter")->click();
  EXPECT_TRUE(hasInk(view()));
  EXPECT_EQ(view(), toQImage(session.renderer.ViewImage()));

  // "linha" draws the memo line the caret stands on, over what is there.
  click(components(), 1);
  widget<QPushButton>("B_apagar")->click();
  QTextCursor caret = memo()->textCursor();
  caret.movePosition(QTextCursor::Start);
  memo()->setTextCursor(caret);  // the DEF line draws nothing
  widget<QPushButton>("B_linha")->click();
  EXPECT_FALSE(hasInk(view()));
  caret.movePosition(QTextCursor::Down, QTextCursor::MoveAnchor, 2);
  memo()->setTextCursor(caret);  // the circle
  widget<QPushButton>("B_linha")->click();
  EXPECT_TRUE(hasInk(view()));
}

}  // namespace
}  // namespace quiral
