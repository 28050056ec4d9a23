#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quiral {

// What the file-browsing controls of the main window list. Paths and names are the file system's
// bytes, unchanged; hidden entries (names starting with '.') are left out, as the browsing
// controls show only ordinary folders and files.

// Orders names ignoring the case of ASCII letters; names equal that way are ordered by their bytes.
bool lessIgnoringAsciiCase(std::string_view a, std::string_view b);

// True when `name` ends in ".lib" or ".kicad_sym" (a modern library) in any letter case, with
// something before the extension.
bool matchesLibraryMask(std::string_view name);

// The library files (regular files, or links to them, matching "*.lib" or "*.kicad_sym") of
// `folder`, sorted with lessIgnoringAsciiCase. Throws FileError when the folder cannot be read.
std::vector<std::string> listLibraryFiles(const std::string& folder);
// Every entry of `folder` whose name a library file would have, whatever it is (a folder, a
// pipe, a dangling link), in the same order: for naming what listLibraryFiles leaves out.
std::vector<std::string> listLibraryNames(const std::string& folder);

// The folders directly inside `folder`, sorted with lessIgnoringAsciiCase. Throws FileError when
// the folder cannot be read.
std::vector<std::string> listSubfolders(const std::string& folder);

// The process's current folder; throws FileError when it cannot be determined.
std::string currentFolder();

// Makes `folder` the process's current folder; throws FileError (with the platform's text) when
// it cannot.
void changeCurrentFolder(const std::string& folder);

bool folderExists(const std::string& folder);

// The chain of folders from the root down to `folder` (an absolute path): "/" then each ancestor,
// ending with `folder` itself.
std::vector<std::string> folderChain(const std::string& folder);

// The file list: the library files of one folder in listing order, and the entry selected (the
// cursor that the catalog index walks). The main window's file list shows it.
class FileList {
 public:
  FileList() = default;
  FileList(std::string folder, std::vector<std::string> entries)
      : folder_(std::move(folder)), entries_(std::move(entries)) {}

  // Lists the library files of `folder` and clears the selection. Throws FileError when the
  // folder cannot be read, leaving the list empty.
  void showFolder(const std::string& folder);

  const std::string& folder() const { return folder_; }
  // Counts the listings: it changes each time a folder is listed, so whoever read the list can
  // tell whether it was listed again since.
  uint64_t listingNumber() const { return listingNumber_; }
  const std::vector<std::string>& entries() const { return entries_; }
  size_t size() const { return entries_.size(); }
  // The path of entry `index`: the folder shown followed by the name.
  std::string pathOf(size_t index) const;

  // -1 when nothing is selected.
  int selectedIndex() const { return selected_; }
  // Selecting an index outside the list clears the selection.
  void select(int index) {
    selected_ = (index >= 0 && size_t(index) < entries_.size()) ? index : -1;
  }
  std::optional<std::string> selectedEntry() const;

 private:
  std::string folder_;
  std::vector<std::string> entries_;
  int selected_ = -1;
  uint64_t listingNumber_ = 0;
};

}  // namespace quiral
