// The pieces behind the browsing controls: name order, the library mask, folder reading, the drive
// list and dialog filters.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>

#include "app/default_folder.h"
#include "app/drive_combo_box.h"
#include "app/file_filter.h"
#include "app/folder_listing.h"
#include "platform/error.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

TEST(FolderListing, NamesSortIgnoringAsciiCaseThenByBytes) {
  std::vector<std::string> names{"b.lib", "A.lib",        "a.lib", "_x.lib",
                                 "Z.lib", "\xC3\xA9.lib", "ab.lib"};
  std::sort(names.begin(), names.end(), lessIgnoringAsciiCase);
  // Letters compare as capitals, so '_' (after 'Z') sorts after every letter.
  EXPECT_EQ(names, (std::vector<std::string>{"A.lib", "a.lib", "ab.lib", "b.lib", "Z.lib", "_x.lib",
                                             "\xC3\xA9.lib"}));
  EXPECT_FALSE(lessIgnoringAsciiCase("abc", "abc"));
  EXPECT_TRUE(lessIgnoringAsciiCase("ab", "abc"));
}

TEST(FolderListing, MaskMatchesLibInAnyCaseOnly) {
  EXPECT_TRUE(matchesLibraryMask("x.lib"));
  EXPECT_TRUE(matchesLibraryMask("X.LIB"));
  EXPECT_TRUE(matchesLibraryMask("x.LiB"));
  EXPECT_FALSE(matchesLibraryMask(".lib"));
  EXPECT_FALSE(matchesLibraryMask("x.lib.bak"));
  EXPECT_FALSE(matchesLibraryMask("x.dcm"));
  EXPECT_FALSE(matchesLibraryMask("xlib"));
  EXPECT_TRUE(matchesLibraryMask("Device.kicad_sym"));
  EXPECT_TRUE(matchesLibraryMask("x.KICAD_SYM"));
  EXPECT_FALSE(matchesLibraryMask(".kicad_sym"));
  EXPECT_FALSE(matchesLibraryMask("x.kicad_sym-bak"));
}

TEST(FolderListing, ListsFilesAndFoldersSkippingHiddenOnes) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString root = dir.path();
  testing::writeFile(root, "b.LIB", "");
  testing::writeFile(root, "a.lib", "");
  testing::writeFile(root, ".hidden.lib", "");
  testing::writeFile(root, "notes.txt", "");
  testing::writeFile(root, "folder.lib/inside.lib", "");
  testing::writeFile(root, "Sub/x.txt", "");
  testing::writeFile(root, ".git/x.txt", "");
  const std::string folder = root.toStdString();
  EXPECT_EQ(listLibraryFiles(folder), (std::vector<std::string>{"a.lib", "b.LIB"}));
  EXPECT_EQ(listSubfolders(folder), (std::vector<std::string>{"folder.lib", "Sub"}));
  EXPECT_THROW(listLibraryFiles(folder + "/missing"), FileError);
  EXPECT_THROW(changeCurrentFolder(folder + "/missing"), FileError);
  EXPECT_TRUE(folderExists(folder + "/Sub"));
  EXPECT_FALSE(folderExists(folder + "/notes.txt"));
}

TEST(FolderListing, ChainRunsFromTheRootDown) {
  EXPECT_EQ(folderChain("/"), std::vector<std::string>{"/"});
  EXPECT_EQ(folderChain("/usr/share//kicad/"),
            (std::vector<std::string>{"/", "/usr", "/usr/share", "/usr/share/kicad"}));
}

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
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_TRUE(folders[0].ends_with("/kicad/library"));
  EXPECT_EQ(folders[1], "/usr/share/kicad/library");
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
