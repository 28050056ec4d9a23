#pragma once

#include <QComboBox>
#include <map>
#include <string>
#include <vector>

namespace quiral {

// The drive list: the mounted volumes, "/" first. Each volume remembers the last folder shown on
// it, so choosing a volume returns to that folder, as choosing a drive returns to its current
// folder.
class DriveComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveComboBox(QWidget* parent = nullptr);

  // Replaces the listed volumes by `mountRoots` ("/" is always listed, first).
  void setDrives(const std::vector<std::string>& mountRoots);
  const std::vector<std::string>& drives() const { return drives_; }
  // Shows the volume that holds `folder` as the chosen one, without signalling, and remembers
  // `folder` as that volume's current folder.
  void followFolder(const std::string& folder);
  // The volume (mount root) that holds `folder`: the longest listed root it lies under.
  std::string driveOf(const std::string& folder) const;

 signals:
  // The user chose a volume; `folder` is the folder to show for it.
  void driveChosen(const std::string& folder);

 private:
  void chooseRow(int row);

  std::vector<std::string> drives_;
  std::map<std::string, std::string> currentFolders_;
};

// The mounted volumes of this machine: real file systems and network shares, not the kernel's
// pseudo file systems; "/" first, the rest sorted.
std::vector<std::string> mountedVolumes();

}  // namespace quiral
