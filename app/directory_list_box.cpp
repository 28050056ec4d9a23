#include "app/directory_list_box.h"

#include <QApplication>
#include <QByteArray>
#include <QStyle>
#include <algorithm>

#include "app/dialogs.h"
#include "library/folder_listing.h"
#include "library/library_browser.h"
#include "platform/text_codec.h"

namespace quiral {

namespace {

constexpr int kPathRole = Qt::UserRole;

QString shownName(const std::string& path) {
  if (path == "/") return QStringLiteral("/");
  const size_t slash = path.find_last_of('/');
  return QString::fromStdString(displayText(path.substr(slash + 1)));
}

}  // namespace

DirectoryListBox::DirectoryListBox(Dialogs& dialogs, QWidget* parent)
    : QListWidget(parent), dialogs_(dialogs) {
  connect(this, &QListWidget::itemActivated, this, &DirectoryListBox::openEntry);
}

void DirectoryListBox::setDirectory(const std::string& folder) {
  // Read the folder before entering it, so a failure leaves everything as it was.
  const std::vector<std::string> subfolders = listSubfolders(folder);
  changeCurrentFolder(folder);
  directory_ = currentFolder();
  fill(directory_, subfolders);
  emit directoryChanged(directory_);
}

std::string DirectoryListBox::folderAt(int row) const {
  const QListWidgetItem* entry = item(row);
  return entry ? entry->data(kPathRole).toByteArray().toStdString() : std::string();
}

void DirectoryListBox::openEntry(QListWidgetItem* entry) {
  if (!entry) return;
  const std::string folder = entry->data(kPathRole).toByteArray().toStdString();
  dialogs_.runGuarded(this, [&] { setDirectory(folder); });
}

void DirectoryListBox::keyboardSearch(const QString& search) {
  if (search.isEmpty() || count() == 0) return;
  // Keys typed in quick succession spell one name; a pause starts a new one.
  const bool goingOn =
      typing_.isValid() && typing_.elapsed() < QApplication::keyboardInputInterval();
  typed_ = goingOn ? typed_ + search : search;
  typing_.start();
  // A new name starts after the current entry, so the same letter steps through the folders.
  const int start = goingOn ? std::max(0, currentRow()) : currentRow() + 1;
  for (int i = 0; i < count(); ++i) {
    const int row = (start + i) % count();
    if (item(row)->text().trimmed().startsWith(typed_, Qt::CaseInsensitive)) {
      setCurrentRow(row);
      return;
    }
  }
}

void DirectoryListBox::fill(const std::string& folder, const std::vector<std::string>& subfolders) {
  clear();
  const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
  const std::vector<std::string> chain = folderChain(folder);
  auto add = [&](const std::string& path, int depth, const QIcon& icon) {
    auto* entry = new QListWidgetItem(icon, QString(depth * 2, QLatin1Char(' ')) + shownName(path));
    entry->setData(kPathRole, QByteArray::fromStdString(path));
    entry->setToolTip(QString::fromStdString(displayText(path)));
    addItem(entry);
  };
  for (size_t i = 0; i < chain.size(); ++i) add(chain[i], int(i), openIcon);
  for (const std::string& name : subfolders)
    add(joinPath(folder, name), int(chain.size()), closedIcon);
  setCurrentRow(int(chain.size()) - 1);
}

}  // namespace quiral
