// The main window's event handlers: each runs one core operation, shows any error, and then shows
// the core's state in the widgets.
#include <QCloseEvent>
#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTextBlock>
#include <algorithm>

#include "app/bitmap_image.h"
#include "app/dialogs.h"
#include "app/directory_list_box.h"
#include "app/filename_edit.h"
#include "app/folder_path_field.h"
#include "app/main_window.h"
#include "app/symbol_canvas.h"
#include "app/user_list_box.h"
#include "app/window_settings.h"
#include "app/window_wording.h"
#include "library/folder_listing.h"
#include "platform/error.h"
#include "platform/text_codec.h"
#include "render/renderer.h"

namespace quiral {

namespace {

QString shown(const std::string& bytes) {
  return QString::fromStdString(displayText(bytes));
}

// One memo line as one text block: characters that the text widget would take as a block break
// are shown as replacement characters, so the caret's block number stays the memo line number.
QString shownAsOneBlock(const std::string& bytes) {
  QString text = shown(bytes);
  for (QChar& c : text) {
    const char16_t u = c.unicode();
    if (u == QChar::ParagraphSeparator || u == 0xFDD0 || u == 0xFDD1)
      c = QChar::ReplacementCharacter;
  }
  return text;
}

}  // namespace

std::string TForm1::folderShown() const {
  return DLB1->directory();
}

std::optional<std::string> TForm1::selectedFileName() const {
  return fileList_.selectedEntry();
}

bool TForm1::runThenMirror(const std::function<void()>& operation) {
  const bool completed = dialogs_.runGuarded(this, operation);
  // What the operation did up to a failure stays, and is shown.
  dialogs_.runGuarded(this, [this] { mirrorCore(); });
  return completed;
}

bool TForm1::readLibrary(const std::string& fileName, const std::function<void()>& operation) {
  failedRead_.clear();
  bool completed = true;
  try {
    operation();
  } catch (...) {
    completed = false;
    // The core's reason names the file by its path: the window names it once, by its name.
    QString reason = QString::fromLocal8Bit(userMessage(std::current_exception()));
    const QString path = QFile::decodeName(joinPath(folderShown(), fileName).c_str());
    if (reason.startsWith(path + QStringLiteral(": "))) reason.remove(0, path.size() + 2);
    failedRead_ =
        tr("A biblioteca %1 não pôde ser lida: %2").arg(shown(fileName), windowWording(reason));
    dialogs_.reportError(this, failedRead_);
  }
  dialogs_.runGuarded(this, [this] { mirrorCore(); });
  return completed;
}

// ----- browsing -----

void TForm1::showFolder(const std::string& folder) {
  DLB1->setDirectory(folder);
}

void TForm1::folderChanged(const std::string& folder) {
  DriveComboBox1->showFolder(folder);
  // Another folder's libraries: the library of the folder left is no longer on show.
  if (folder != fileList_.folder()) failedRead_.clear();
  if (folder != fileList_.folder() && !session_.browser.CurrentLibraryPath().empty()) {
    forgetAlias();
    dialogs_.runGuarded(this, [this] {
      session_.browser.closeLibrary();
      mirrorCore();
    });
  }
  FileListBox1->clear();
  dialogs_.runGuarded(this, [&] { fileList_.showFolder(folder); });
  for (const std::string& name : fileList_.entries()) FileListBox1->addItem(shown(name));
}

void TForm1::setStartFolder(std::string folder, std::string libraryName) {
  defaultFolders_ = {std::move(folder)};
  startLibrary_ = std::move(libraryName);
  startComponent_.clear();
  startChoice_.reset();
  startZoom_ = 0;
  // Shown at once, so the window never shows the folder it was started in first.
  if (!activated_ && folderExists(defaultFolders_.front()))
    dialogs_.runGuarded(this, [this] { showFolder(defaultFolders_.front()); });
}

void TForm1::openTypedPath(const std::string& folder, const std::string& fileName) {
  if (catalogGenerating()) return;
  if (!runThenMirror([&] { showFolder(folder); }) || fileName.empty()) return;
  startLibrary_ = fileName;
  startComponent_.clear();
  openStartLibrary();
}

void TForm1::FormActivate() {
  if (activated_) return;
  activated_ = true;
  for (const std::string& folder : defaultFolders_) {
    if (!folderExists(folder)) continue;
    const bool shown = dialogs_.runGuarded(this, [&] { showFolder(folder); });
    if (shown && !startLibrary_.empty()) openStartLibrary();
    return;
  }
}

// The file is chosen in the list when the list shows it (a name outside the "*.lib" mask is
// still loaded, as the user asked for it by name), then loaded as a click would.
void TForm1::openStartLibrary() {
  const std::vector<std::string>& entries = fileList_.entries();
  for (size_t row = 0; row < entries.size(); ++row) {
    if (entries[row] == startLibrary_) {
      fileList_.select(int(row));
      FileListBox1->setCurrentRow(int(row));
      break;
    }
  }
  readLibrary(startLibrary_, [this] {
    session_.browser.LoadLibrary(folderShown(), startLibrary_);
    if (startComponent_.empty()) return;
    if (session_.browser.components().indexOf(startComponent_) >= 0) {
      session_.browser.chooseComponent(startComponent_);
      return;
    }
    listComponentRows();
    rowsLibrary_ = session_.browser.CurrentLibraryPath();
    shownComponents_ = session_.browser.components().entries();
    chooseAliasNamed(startComponent_);
  });
  restoreStartView();
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

// ----- library and components -----

void TForm1::FileListBox1Click() {
  if (catalogGenerating()) return;
  testPageView_ = false;
  forgetAlias();
  fileList_.select(FileListBox1->currentRow());
  const std::optional<std::string> file = selectedFileName();
  if (!file) {
    runThenMirror([this] { session_.browser.LoadLibrary(folderShown(), std::nullopt); });
    return;
  }
  readLibrary(*file, [&] { session_.browser.LoadLibrary(folderShown(), file); });
  // A folder whose library was opened is a recent one.
  if (settings_ && selectedFileName()) {
    settings_->addRecentFolder(QString::fromStdString(folderShown()));
    mirrorRecentFolders();
  }
}

void TForm1::ListBox1Click() {
  if (catalogGenerating()) return;
  testPageView_ = false;
  // The same component chosen again is drawn at unit A again, at every zoom.
  runThenMirror([this] {
    session_.browser.ShowComponent();
    showUnitsOfComponent();
    renderDrawnBlock();
  });
}

void TForm1::B_carregarClick() {
  if (catalogGenerating()) return;
  const std::string name = QFile::encodeName(FilenameEdit1->text()).toStdString();
  runThenMirror([&] { session_.browser.B_carregarClick(name); });
}

// ----- hidden test page -----

void TForm1::B_converterClick() {
  testPageView_ = true;
  runThenMirror([this] { session_.renderer.RenderComponent(session_.browser.memo()); });
}

void TForm1::B_linhaClick() {
  const int caretLine = TextListBox1->textCursor().blockNumber();
  testPageView_ = true;
  runThenMirror([&] { session_.renderer.B_linhaClick(session_.browser.memo(), caretLine); });
}

void TForm1::B_apagarClick() {
  testPageView_ = true;
  runThenMirror([this] { session_.renderer.ClearCanvas(); });
}

void TForm1::B_tokensClick() {}

// ----- menu -----

void TForm1::setIndexWindow(QDialog* window) {
  indexWindow_ = window;
}

void TForm1::pag22Click() {
  if (indexWindow_) indexWindow_->exec();
}

void TForm1::Sair1Click() {
  close();
}

void TForm1::mirrorFileList() {
  FileListBox1->setCurrentRow(fileList_.selectedIndex());
}

void TForm1::chooseIndexedComponent(const std::string& library, const std::string& component) {
  if (catalogGenerating()) return;
  const std::vector<std::string>& entries = fileList_.entries();
  const auto found = std::find(entries.begin(), entries.end(), library);
  if (found == entries.end()) return;
  fileList_.select(int(found - entries.begin()));
  mirrorFileList();
  forgetAlias();
  readLibrary(library, [&] {
    session_.browser.LoadLibrary(folderShown(), library);
    if (session_.browser.components().indexOf(component) >= 0) {
      session_.browser.chooseComponent(component);
      return;
    }
    // A name the index found among the aliases.
    listComponentRows();
    rowsLibrary_ = session_.browser.CurrentLibraryPath();
    shownComponents_ = session_.browser.components().entries();
    chooseAliasNamed(component);
  });
}

void TForm1::closeEvent(QCloseEvent* event) {
  rememberPlace();
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit closed();
}

// ----- showing the core's state -----

void TForm1::mirrorCore() {
  mirrorComponents();
  mirrorMemo();
  mirrorView();
  mirrorInfoTabs();
}

void TForm1::mirrorComponents() {
  const ComponentList& components = session_.browser.components();
  if (components.entries() != shownComponents_ ||
      session_.browser.CurrentLibraryPath() != rowsLibrary_) {
    shownComponents_ = components.entries();
    rowsLibrary_ = session_.browser.CurrentLibraryPath();
    listComponentRows();
  }
  // Setting the row from here is the program's choice: it runs nothing.
  ListBox1->setCurrentRow(shownRow());
}

void TForm1::mirrorMemo() {
  const std::vector<std::string>& memo = session_.browser.memo();
  if (memo == shownMemo_) return;
  shownMemo_ = memo;
  showUnitsOfComponent();
  QStringList lines;
  lines.reserve(qsizetype(memo.size()));
  for (const std::string& line : memo) lines << shownAsOneBlock(line);
  TextListBox1->setPlainText(lines.join(QLatin1Char('\n')));
}

void TForm1::mirrorView() {
  const Renderer& renderer = session_.renderer;
  Label1->setText(shown(renderer.label1Caption()));
  Label1->adjustSize();
  if (testPageView_) {
    Image2->showImage(toQImage(renderer.ViewImage()), ScrollBox1->viewport()->size());
    return;
  }
  showVectorView();
}

}  // namespace quiral
