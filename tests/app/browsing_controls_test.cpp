// The pieces behind the browsing controls: the drive list and dialog filters.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <algorithm>
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
  // Then the folders where a KiCad installed from the system's packages keeps its libraries,
  // legacy and modern: whichever exists on this machine is among the places tried.
  const std::vector<std::string> folders = defaultLibraryFolders();
  ASSERT_FALSE(folders.empty());
  const std::string programFolder =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  EXPECT_EQ(folders.front(), libraryFolderOnVolumeOf(programFolder))
      << "the program's volume first";
  for (const std::string& folder : folders) EXPECT_TRUE(folder.starts_with('/')) << folder;
  for (const char* installed : {"/usr/share/kicad/library", "/usr/share/kicad/symbols"}) {
    if (std::filesystem::is_directory(installed)) {
      EXPECT_NE(std::find(folders.begin(), folders.end(), installed), folders.end()) << installed;
    }
  }
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
