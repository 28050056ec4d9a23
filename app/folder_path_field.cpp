#include "app/folder_path_field.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QUrl>

#include "platform/text_codec.h"

namespace quiral {

namespace {

QString shownPath(const std::string& path) {
  return QString::fromStdString(displayText(path));
}

// More folder names than anyone reads through in a completion list.
constexpr int kMostCompletions = 400;

}  // namespace

TypedPath readTypedPath(const QString& text, const QString& home, const QString& base) {
  QString path = text.trimmed();
  if (path.startsWith(QLatin1String("file://"))) path = QUrl(path).toLocalFile();
  if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/"))) path = home + path.mid(1);
  if (path.isEmpty()) return {};
  const QFileInfo info(QDir(base), path);
  if (info.isFile()) return {QDir::cleanPath(info.absolutePath()), info.fileName()};
  return {QDir::cleanPath(info.absoluteFilePath()), QString()};
}

FolderPathField::FolderPathField(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setToolTip(tr("Pasta: digite ou cole um caminho e tecle Enter"));
  completions_ = new QStringListModel(this);
  auto* completer = new QCompleter(completions_, this);
  // File names are told apart by letter case, as the folder list shows them.
  completer->setCaseSensitivity(Qt::CaseSensitive);
  completer->setCompletionMode(QCompleter::PopupCompletion);
  setCompleter(completer);
  connect(lineEdit(), &QLineEdit::textEdited, this, &FolderPathField::textTyped);
  connect(this, &QComboBox::activated, this, [this](int row) { openText(itemText(row)); });
  // Enter on an offered folder's text is the combo box's activation already.
  connect(lineEdit(), &QLineEdit::returnPressed, this, [this] {
    if (findText(currentText(), Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0) return;
    // Opened once the key is handled: the completion list still completes the text after Enter
    // (and may hand the key on twice), and the field is to show the folder opened.
    if (opening_) return;
    opening_ = true;
    QMetaObject::invokeMethod(
        this,
        [this, text = currentText()] {
          opening_ = false;
          openText(text);
        },
        Qt::QueuedConnection);
  });
}

void FolderPathField::setOfferedFolders(const std::vector<std::string>& folders) {
  const QSignalBlocker quiet(this);
  clear();
  for (const std::string& folder : folders) {
    const QString shown = shownPath(folder);
    if (QFileInfo(shown).isDir() && findText(shown) < 0) addItem(shown);
  }
  setEditText(shownPath(folder_));
}

void FolderPathField::showFolder(const std::string& folder) {
  folder_ = folder;
  const QSignalBlocker quiet(this);
  setEditText(shownPath(folder));
  setCurrentIndex(findText(shownPath(folder)));
  setEditText(shownPath(folder));
}

void FolderPathField::textTyped(const QString& text) {
  // The subfolders of the folder being typed, by their whole paths.
  const QString expanded = readTypedPath(text, QDir::homePath(), shownPath(folder_)).folder;
  const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
  if (slash < 0 || expanded.isEmpty()) return;
  const QString typedParent = text.left(slash + 1);
  const QString parent =
      text.endsWith(QLatin1Char('/')) ? expanded : QFileInfo(expanded).absolutePath();
  QStringList paths;
  const QStringList names = QDir(parent).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& name : names.mid(0, kMostCompletions)) paths << typedParent + name;
  if (paths != completions_->stringList()) completions_->setStringList(paths);
}

void FolderPathField::openText(const QString& text) {
  // The folder on show itself: nothing to open (a completion popup may hand on Enter twice).
  if (text == shownPath(folder_)) return;
  const TypedPath typed = readTypedPath(text, QDir::homePath(), shownPath(folder_));
  if (typed.folder.isEmpty()) {
    showFolder(folder_);
    return;
  }
  emit folderChosen(QFile::encodeName(typed.folder).toStdString(),
                    QFile::encodeName(typed.fileName).toStdString());
  // Whatever was opened (or refused), the field shows the folder on show.
  showFolder(folder_);
}

void FolderPathField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    showFolder(folder_);
    return;
  }
  QComboBox::keyPressEvent(event);
}

void FolderPathField::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  // A path left half typed is not the folder on show.
  if (!lineEdit()->completer()->popup()->isVisible()) showFolder(folder_);
}

}  // namespace quiral
