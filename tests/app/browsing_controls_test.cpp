// The pieces behind the browsing controls: the drive list and dialog filters.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <filesystem>

#include "app/default_folder.h"
#include "app/drive_combo_box.h"
#include "app/file_filter.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

TEST(DriveList, RootFirstAndEachVolumeRemembersItsFolder) {
  DriveComboBox drives;
  drives.setDrives({"/mnt/usb", "/", "/mnt/usb2"});
  EXPECT_EQ(drives.drives(), (std::vector<std::string>{"/", "/mnt/usb", "/mnt/usb2"}));
  EXPECT_EQ(drives.driveOf("/mnt/usb2/libs"), "/mnt/usb2");
  EXPECT_EQ(drives.driveOf("/mnt/usbx"), "/");

  QSignalSpy chosen(&drives, &DriveComboBox::driveChosen);
  drives.followFolder("/mnt/usb/kicad");
  drives.followFolder("/home/me");
  EXPECT_EQ(chosen.count(), 0) << "following a folder is not a choice";
  EXPECT_EQ(drives.currentIndex(), 0);
  emit drives.activated(2);
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0][0].value<std::string>(), "/mnt/usb2");
}

TEST(DriveList, ARememberedFolderThatWentAwayFallsBackToTheVolumeRoot) {
  QTemporaryDir volume;
  ASSERT_TRUE(volume.isValid());
  const std::string root = volume.path().toStdString();
  const std::string libs = root + "/libs";
  ASSERT_TRUE(std::filesystem::create_directory(libs));
  DriveComboBox drives;
  drives.setDrives({"/", root});
  drives.followFolder(libs);
  QSignalSpy chosen(&drives, &DriveComboBox::driveChosen);
  emit drives.activated(1);
  std::filesystem::remove(libs);
  emit drives.activated(1);
  ASSERT_EQ(chosen.count(), 2);
  EXPECT_EQ(chosen[0][0].value<std::string>(), libs);
  EXPECT_EQ(chosen[1][0].value<std::string>(), root);
}

TEST(DriveList, MountedVolumesStartAtTheRoot) {
  const std::vector<std::string> volumes = mountedVolumes();
  ASSERT_FALSE(volumes.empty());
  EXPECT_EQ(volumes.front(), "/");
  EXPECT_EQ(std::count(volumes.begin(), volumes.end(), "/"), 1);
}

TEST(DefaultFolder, KicadLibraryOnTheProgramsVolumeThenTheInstallFolder) {
  EXPECT_EQ(libraryFolderOnVolumeOf("/"), "/kicad/library");
  // A program on another volume looks on that volume, whatever the current folder is.
  EXPECT_EQ(libraryFolderOnVolumeOf("/proc/self"), "/proc/kicad/library");
  const std::vector<std::string> folders = defaultLibraryFolders();
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_TRUE(folders[0].ends_with("/kicad/library"));
  EXPECT_EQ(folders[1], "/usr/share/kicad/library");
  EXPECT_EQ(folders[2], "/usr/share/kicad/symbols");
}

TEST(FileFilter, PipeFiltersBecomeQtFilters) {
  EXPECT_EQ(qtFileFilter("Libs|*.lib|All files (*.*)|*.*"), "Libs (*.lib);;All files (*)");
  EXPECT_EQ(qtFileFilter(QString::fromUtf8("Relatórios (*.QRP)|*.QRP")),
            QString::fromUtf8("Relatórios (*.QRP)"));
  EXPECT_EQ(qtFileFilter("Arquivos PDF(*.pdf)|*.pdf"), "Arquivos PDF (*.pdf)");
  EXPECT_EQ(qtFileFilter("Both|*.lib;*.dcm|Dangling"), "Both (*.lib *.dcm)");
  EXPECT_EQ(qtFileFilter(""), "");
}

}  // namespace
}  // namespace quiral
