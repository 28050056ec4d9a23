#include "app/drive_combo_box.h"

#include <QFile>
#include <QStorageInfo>
#include <algorithm>
#include <filesystem>

#include "platform/text_codec.h"

namespace quiral {

namespace {

// True when `folder` is `root` or lies under it.
bool isUnder(const std::string& folder, const std::string& root) {
  if (root == "/") return !folder.empty() && folder[0] == '/';
  if (folder.compare(0, root.size(), root) != 0) return false;
  return folder.size() == root.size() || folder[root.size()] == '/';
}

}  // namespace

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::activated, this, &DriveComboBox::chooseRow);
}

void DriveComboBox::setDrives(const std::vector<std::string>& mountRoots) {
  drives_ = {"/"};
  for (const std::string& root : mountRoots)
    if (std::find(drives_.begin(), drives_.end(), root) == drives_.end()) drives_.push_back(root);
  const QSignalBlocker quiet(this);
  clear();
  for (const std::string& root : drives_) addItem(QString::fromStdString(displayText(root)));
}

std::string DriveComboBox::driveOf(const std::string& folder) const {
  std::string best = "/";
  for (const std::string& root : drives_)
    if (isUnder(folder, root) && root.size() > best.size()) best = root;
  return best;
}

void DriveComboBox::followFolder(const std::string& folder) {
  const std::string drive = driveOf(folder);
  currentFolders_[drive] = folder;
  const auto it = std::find(drives_.begin(), drives_.end(), drive);
  const QSignalBlocker quiet(this);
  setCurrentIndex(int(it - drives_.begin()));
}

void DriveComboBox::chooseRow(int row) {
  if (row < 0 || size_t(row) >= drives_.size()) return;
  const std::string& drive = drives_[size_t(row)];
  const auto remembered = currentFolders_.find(drive);
  // A remembered folder that has gone since falls back to the volume's root.
  std::error_code error;
  const bool stillThere = remembered != currentFolders_.end() &&
                          std::filesystem::is_directory(remembered->second, error);
  emit driveChosen(stillThere ? remembered->second : drive);
}

std::vector<std::string> mountedVolumes() {
  std::vector<std::string> roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const std::string root = QFile::encodeName(volume.rootPath()).toStdString();
    if (root != "/") roots.push_back(root);
  }
  std::sort(roots.begin(), roots.end());
  roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
  roots.insert(roots.begin(), "/");
  return roots;
}

}  // namespace quiral
