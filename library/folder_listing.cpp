#include "library/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "library/library_browser.h"
#include "library/text_words.h"
#include "platform/error.h"

namespace quiral {

bool lessIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(upperAscii(a[i]));
    const auto cb = static_cast<unsigned char>(upperAscii(b[i]));
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool matchesLibraryMask(std::string_view name) {
  return (name.size() > 4 && equalsUpper(name.substr(name.size() - 4), ".LIB")) ||
         (name.size() > 10 && equalsUpper(name.substr(name.size() - 10), ".KICAD_SYM"));
}

namespace {

enum class EntryKind { Folder, RegularFile, Any };

// Follows links, so a link to a folder is a folder, as the shell shows it.
bool isKind(const std::string& path, EntryKind kind) {
  if (kind == EntryKind::Any) return true;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  return kind == EntryKind::Folder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode);
}

template <typename Keep>
std::vector<std::string> listEntries(const std::string& folder, EntryKind kind, Keep keep) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) throwFileError(folder);
  std::vector<std::string> names;
  errno = 0;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string name(entry->d_name);
    if (!name.empty() && name[0] != '.' && keep(name) && isKind(joinPath(folder, name), kind))
      names.push_back(std::move(name));
    errno = 0;
  }
  if (errno != 0) throwFileError(folder);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return lessIgnoringAsciiCase(a, b); });
  return names;
}

}  // namespace

std::vector<std::string> listLibraryFiles(const std::string& folder) {
  return listEntries(folder, EntryKind::RegularFile, matchesLibraryMask);
}

std::vector<std::string> listLibraryNames(const std::string& folder) {
  return listEntries(folder, EntryKind::Any, matchesLibraryMask);
}

std::vector<std::string> listSubfolders(const std::string& folder) {
  return listEntries(folder, EntryKind::Folder, [](const std::string&) { return true; });
}

std::string currentFolder() {
  std::unique_ptr<char, void (*)(void*)> path(::getcwd(nullptr, 0), ::free);
  if (!path) throwFileError(".");
  return path.get();
}

void changeCurrentFolder(const std::string& folder) {
  if (::chdir(folder.c_str()) != 0) throwFileError(folder);
}

bool folderExists(const std::string& folder) {
  return isKind(folder, EntryKind::Folder);
}

std::vector<std::string> folderChain(const std::string& folder) {
  std::vector<std::string> chain{"/"};
  size_t pos = 0;
  while (pos < folder.size()) {
    size_t start = folder.find_first_not_of('/', pos);
    if (start == std::string::npos) break;
    size_t end = folder.find('/', start);
    if (end == std::string::npos) end = folder.size();
    chain.push_back(joinPath(chain.back(), folder.substr(start, end - start)));
    pos = end;
  }
  return chain;
}

void FileList::showFolder(const std::string& folder) {
  ++listingNumber_;
  folder_ = folder;
  entries_.clear();
  selected_ = -1;
  entries_ = listLibraryFiles(folder);
}

std::string FileList::pathOf(size_t index) const {
  return joinPath(folder_, entries_.at(index));
}

std::optional<std::string> FileList::selectedEntry() const {
  if (selected_ < 0) return std::nullopt;
  return entries_[size_t(selected_)];
}

}  // namespace quiral
