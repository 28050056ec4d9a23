#pragma once

#include <QComboBox>
#include <string>
#include <vector>

class QStringListModel;

namespace quiral {

// The path field above the folder list: it shows the folder on show, takes a folder typed or
// pasted into it (Enter opens it; a "~" in front is the home folder, a file:// address or a
// library file's path opens its folder), completes the folder names being typed, and offers the
// home folder and the system's KiCad library folders in its list.
class FolderPathField : public QComboBox {
  Q_OBJECT

 public:
  explicit FolderPathField(QWidget* parent = nullptr);

  // The folders the list offers; those that do not exist are left out.
  void setOfferedFolders(const std::vector<std::string>& folders);
  // Shows `folder` as the folder on show, without signalling.
  void showFolder(const std::string& folder);
  // The folder on show, as last given to showFolder.
  const std::string& folder() const { return folder_; }

 signals:
  // The user asked for `folder`, an absolute path (the file system's bytes); `fileName` is the
  // library file named in the text, if any.
  void folderChosen(const std::string& folder, const std::string& fileName);

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void textTyped(const QString& text);
  void openText(const QString& text);

  std::string folder_;
  // An Enter is being handled: the folder typed opens once it is.
  bool opening_ = false;
  QStringListModel* completions_ = nullptr;
};

// What a typed or pasted path stands for: the folder to open and the file named in it (empty when
// the path is a folder). `home` replaces a leading "~"; a relative path is taken from `base`.
struct TypedPath {
  QString folder;
  QString fileName;
};
TypedPath readTypedPath(const QString& text, const QString& home, const QString& base);

}  // namespace quiral
