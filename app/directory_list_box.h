#pragma once

#include <QElapsedTimer>
#include <QListWidget>
#include <string>

namespace quiral {

class Dialogs;

// The folder list: the folder shown, its ancestors above it and its subfolders below. Opening an
// entry (double click or Enter) shows that folder. The folder shown is always the process's
// current folder, so files named without a folder are found in it.
class DirectoryListBox : public QListWidget {
  Q_OBJECT

 public:
  // A folder that cannot be opened is reported through `dialogs`, which must outlive the list.
  explicit DirectoryListBox(Dialogs& dialogs, QWidget* parent = nullptr);

  // The folder shown; empty before the first setDirectory.
  const std::string& directory() const { return directory_; }
  // Shows `folder` and makes it the process's current folder. Throws FileError when the folder
  // cannot be entered or read; the list and the current folder then stay as they were.
  void setDirectory(const std::string& folder);
  // The folder an entry stands for.
  std::string folderAt(int row) const;
  // Typing moves to the next folder whose name begins with what was typed (letter case ignored;
  // the entries' indentation is not part of their names).
  void keyboardSearch(const QString& search) override;

 signals:
  // A new folder is shown.
  void directoryChanged(const std::string& folder);

 private:
  Dialogs& dialogs_;
  void openEntry(QListWidgetItem* item);
  void fill(const std::string& folder, const std::vector<std::string>& subfolders);

  std::string directory_;
  QString typed_;
  QElapsedTimer typing_;
};

}  // namespace quiral
