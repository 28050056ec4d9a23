// The browser window as a user works it: a path typed or pasted, another folder, the view's
// copy and export, a library that cannot be read, and the keyboard's way through the window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <tuple>

#include "app/directory_list_box.h"
#include "app/folder_path_field.h"
#include "app/main_window.h"
#include "app/symbol_canvas.h"
#include "render/renderer.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

class BrowserWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = QDir(dir.path()).canonicalPath();
    const QString examples = QStringLiteral(QUIRAL_TEST_DATA_DIR) + "/../../examples/";
    for (const char* name : {"74xx_gates.lib", "74xx_gates.dcm"})
      ASSERT_TRUE(QFile::copy(examples + name, root + "/" + name));
    QDir(root).mkpath("other/deeper");
    window.setDefaultFolderCandidates({});
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  // Types `text` into the path field and presses Enter.
  void typePath(const QString& text) {
    auto* field = window.findChild<FolderPathField*>("DriveComboBox1");
    field->lineEdit()->selectAll();
    QTest::keyClicks(field->lineEdit(), text);
    QTest::keyClick(field->lineEdit(), Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  QListWidget* list(const char* name) { return window.findChild<QListWidget*>(name); }
  QAction* action(const char* name) { return window.findChild<QAction*>(name); }

  testing::CurrentFolderGuard folderGuard;
  QTemporaryDir dir;
  QString root;
  testing::TestDialogs dialogs;
  testing::ErrorCatcher errors{dialogs};
  Session session;
  TForm1 window{session, dialogs};
};

TEST_F(BrowserWindowTest, APathTypedOpensItsFolderOrLibraryAndAnotherFolderClearsTheOldOne) {
  {
    // Given a start folder, a window shows it before it is ever shown itself.
    Session another;
    TForm1 started(another, dialogs);
    started.setStartFolder((root + "/other").toStdString());
    EXPECT_EQ(started.folderShown(), (root + "/other").toStdString());
  }
  // A home folder, an address and a file as they are pasted.
  for (const auto& [typed, folder, file] :
       {std::tuple<QString, QString, QString>{"~/other/ \n", root + "/other", ""},
        {"file://" + root + "/74xx_gates.lib", root, "74xx_gates.lib"},
        {"other/../74xx_gates.lib", root, "74xx_gates.lib"}}) {
    const TypedPath read = readTypedPath(typed, root, root);
    EXPECT_EQ(QStringList({read.folder, read.fileName}), QStringList({folder, file}))
        << typed.toStdString();
  }
  typePath(root + "/74xx_gates.lib");
  EXPECT_EQ(window.folderShown(), root.toStdString());
  EXPECT_EQ(window.selectedFileName(), "74xx_gates.lib");
  EXPECT_GT(list("ListBox1")->count(), 3);
  EXPECT_TRUE(window.findChild<SymbolCanvas*>("Image2")->hasPicture());

  // A folder that is not there is refused; the field shows the folder on show again.
  typePath(root + "/missing");
  EXPECT_EQ(errors.messages().size(), 1);
  EXPECT_EQ(window.findChild<FolderPathField*>("DriveComboBox1")->currentText(), root);

  typePath(root + "/other");
  EXPECT_EQ(window.folderShown(), (root + "/other").toStdString());
  EXPECT_EQ(list("ListBox1")->count(), 0);
  EXPECT_FALSE(window.findChild<SymbolCanvas*>("Image2")->hasPicture());

  // Typing in the folder list finds a folder by its name.
  auto* folders = window.findChild<DirectoryListBox*>("DLB1");
  folders->setFocus();
  QTest::keyClicks(folders, "dee");
  EXPECT_EQ(folders->currentItem()->text().trimmed(), "deeper");
}

TEST_F(BrowserWindowTest, TheViewCopiesAndExportsItsDrawingAndTheListCopiesTheName) {
  typePath(root + "/74xx_gates.lib");
  action("CopiarImagem1")->trigger();
  const QMimeData* copied = QApplication::clipboard()->mimeData();
  EXPECT_TRUE(copied->hasImage());
  EXPECT_TRUE(copied->data("image/png").startsWith("\x89PNG"));
  EXPECT_TRUE(copied->data("image/svg+xml").contains("<svg"));

  list("ListBox1")->setFocus();
  QTest::keyClick(list("ListBox1"), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "74LS00");

  QStringList answers{root + "/out.pdf", root + "/out.png", root + "/out", root + "/out.txt"};
  QStringList startedIn;
  dialogs.saveAnswer = [&](const QString& start, auto&&...) {
    startedIn << start;
    return answers.takeFirst();
  };
  dialogs.numberAnswer = [](double) { return 2.0; };
  for (int i = 0; i < 4; ++i) action("Exportar1")->trigger();
  EXPECT_EQ(startedIn.value(0), root + "/74LS00.svg");
  EXPECT_EQ(dialogs.numbersOffered, QList<double>{1.0});  // the PNG's scale: the view's zoom
  EXPECT_NEAR(QImage(root + "/out.png").width(),
              2 * window.findChild<SymbolCanvas*>("Image2")->picture().width(), 30);
  const std::pair<const char*, QByteArray> written[] = {
      {"out.pdf", "%PDF"}, {"out.png", "\x89PNG"}, {"out.svg", "<svg"}};
  for (const auto& [name, start] : written) {
    QFile file(root + "/" + name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    EXPECT_TRUE(file.readAll().startsWith(start)) << name;
  }
  ASSERT_EQ(errors.messages().size(), 1);
  EXPECT_TRUE(errors.messages()[0].contains(".svg, .pdf ou .png"));
  EXPECT_FALSE(QFile::exists(root + "/out.txt"));
}

TEST_F(BrowserWindowTest, ALibraryThatCannotBeReadIsNamedInTheWindowsWords) {
  testing::writeFile(root, "broken.kicad_sym", "(kicad_symbol_lib (symbol \"X\"");
  typePath(root + "/broken.kicad_sym");
  ASSERT_EQ(errors.messages().size(), 1);
  const QString said = errors.messages()[0];
  EXPECT_TRUE(said.startsWith("A biblioteca broken.kicad_sym não pôde ser lida: linha 1, coluna"))
      << said.toStdString();
  EXPECT_TRUE(said.endsWith("lista aberta na linha 1, coluna 19")) << said.toStdString();
  // What would use the library says what failed, not that none was chosen.
  action("CompararCom1")->trigger();
  EXPECT_EQ(errors.messages().value(1), said);
}

TEST_F(BrowserWindowTest, TabFollowsTheReadingOrderAndTheMenusShowTheirKeys) {
  // A symbol of five units, so that the unit box takes the focus.
  window.findChild<DirectoryListBox*>("DLB1")->setDirectory(root.toStdString());
  window.chooseIndexedComponent("74xx_gates.lib", "74LS00");
  window.findChild<FolderPathField*>("DriveComboBox1")->setFocus();
  const QStringList expected{"DriveComboBox1",      "b_report",          "DLB1",     "FileListBox1",
                             "qt_tabwidget_tabbar", "SymbolSearchField", "ListBox1", "ScrollBox1",
                             "CB_unidade"};
  QStringList visited;  // the controls named above, in the order Tab reaches them
  for (int i = 0; i < 14; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab)) {
    QWidget* focus = QApplication::focusWidget();
    while (focus && !expected.contains(focus->objectName())) focus = focus->parentWidget();
    if (focus && !visited.contains(focus->objectName())) visited << focus->objectName();
  }
  EXPECT_EQ(visited, expected);

  // Ctrl+F has a menu entry that shows it, and no menu has two entries with one accelerator.
  EXPECT_EQ(action("Localizar1")->shortcut(), QKeySequence(QKeySequence::Find));
  EXPECT_TRUE(window.findChild<QMenu*>("LocalizarMenu1")->actions().contains(action("Localizar1")));
  for (const QList<QAction*>& entries :
       {window.menuBar()->actions(), window.findChild<QMenu*>("Catlogos1")->actions(),
        window.findChild<QMenu*>("LocalizarMenu1")->actions(),
        window.findChild<QMenu*>("ViewMenu")->actions()}) {
    QSet<QChar> keys;
    for (const QAction* entry : entries) {
      const qsizetype amp = entry->text().indexOf('&');
      if (!entry->isVisible() || amp < 0) continue;
      const QChar key = entry->text().at(amp + 1).toLower();
      EXPECT_FALSE(keys.contains(key)) << entry->text().toStdString();
      keys << key;
    }
  }
}

}  // namespace
}  // namespace quiral
