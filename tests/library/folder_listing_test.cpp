// The folder listing behind the file list: name order, the library mask, folder reading and the
// file list's selection.
#include "library/folder_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/error.h"
#include "test_files.h"

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

TEST(FolderListing, MaskMatchesLibAndKicadSymInAnyCaseOnly) {
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
  testing::TempDir dir;
  for (const char* name : {"b.LIB", "a.lib", ".hidden.lib", "notes.txt"}) {
    testing::writeBytes(dir.file(name), "");
  }
  for (const char* name : {"folder.lib", "Sub", ".git"}) {
    std::filesystem::create_directory(dir.path() / name);
  }
  const std::string folder = dir.path().string();
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

TEST(FileList, ListsAFolderAndKeepsASelectionInsideIt) {
  testing::TempDir dir;
  testing::writeBytes(dir.file("b.lib"), "");
  testing::writeBytes(dir.file("A.lib"), "");
  FileList files;
  files.showFolder(dir.path().string());
  EXPECT_EQ(files.entries(), (std::vector<std::string>{"A.lib", "b.lib"}));
  EXPECT_EQ(files.pathOf(1), dir.file("b.lib"));
  files.select(1);
  EXPECT_EQ(files.selectedEntry(), "b.lib");
  files.select(2);
  EXPECT_EQ(files.selectedIndex(), -1);
  files.select(0);
  EXPECT_THROW(files.showFolder(dir.file("missing")), FileError);
  EXPECT_TRUE(files.entries().empty());
  EXPECT_FALSE(files.selectedEntry());
}

}  // namespace
}  // namespace quiral
