#include "site/site_folder.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <set>

#include "platform/error.h"
#include "platform/file_io.h"

namespace quiral {

namespace {

namespace fs = std::filesystem;

constexpr const char* kMarkerHeading = "Quiral web catalog";
constexpr size_t kLargestMarker = size_t(64) << 20;

std::string folderOf(const std::string& path) {
  const fs::path parent = fs::path(path).parent_path();
  return parent.empty() ? "." : parent.string();
}

std::string baseNameOf(const std::string& path) {
  std::string name = fs::path(path).filename().string();
  return name.empty() ? "site" : name;
}

// A new private folder beside `path` (mkdtemp), named after it.
std::string newFolderBeside(const std::string& path, const char* what) {
  std::string pattern = folderOf(path) + "/." + baseNameOf(path) + "." + what + "-XXXXXX";
  if (!::mkdtemp(pattern.data())) throwFileError(path);
  return pattern;
}

// Removes `files` (relative to `root`), then the folders they leave empty, deepest first, then
// `root` itself when it is empty. Whatever else lies there stays.
void removeListed(const std::string& root, const std::vector<std::string>& files) {
  std::set<std::string, std::greater<>> folders;
  for (const std::string& file : files) {
    ::unlink((root + "/" + file).c_str());
    for (fs::path p = fs::path(file).parent_path(); !p.empty(); p = p.parent_path())
      folders.insert(p.string());
  }
  for (const std::string& folder : folders) ::rmdir((root + "/" + folder).c_str());
  ::rmdir(root.c_str());
}

// renameat2's exchange: both names stay, their folders trade places at once.
bool exchange(const std::string& a, const std::string& b) {
  return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
}

}  // namespace

std::vector<std::string> siteMarkerFiles(std::string_view markerText, bool& isMarker) {
  std::vector<std::string> files;
  size_t start = 0;
  isMarker = false;
  while (start < markerText.size()) {
    size_t end = markerText.find('\n', start);
    if (end == std::string_view::npos) end = markerText.size();
    const std::string_view line = markerText.substr(start, end - start);
    if (start == 0) {
      isMarker = line == kMarkerHeading;
      if (!isMarker) return {};
    } else if (!line.empty()) {
      files.emplace_back(line);
    }
    start = end + 1;
  }
  return files;
}

SiteFolder::SiteFolder(const std::string& target) : target_(target), real_(target) {
  if (target.empty()) throw QuiralError("the site needs a folder to be written into");
  checkTarget();
  temporary_ = newFolderBeside(real_, "new");
  // mkdtemp's folder is private; a site is meant to be read by others (a web server).
  struct stat old {};
  const mode_t mode =
      targetExists_ && ::stat(real_.c_str(), &old) == 0 ? old.st_mode & 07777 : 0755;
  ::chmod(temporary_.c_str(), mode);
}

SiteFolder::~SiteFolder() {
  if (committed_ || temporary_.empty()) return;
  std::error_code ignored;
  fs::remove_all(temporary_, ignored);  // the folder is the run's own, made by mkdtemp
}

void SiteFolder::checkTarget() {
  std::error_code error;
  const fs::file_status link = fs::symlink_status(target_, error);
  if (!fs::exists(link)) {
    if (!fs::is_directory(folderOf(target_)))
      throw QuiralError(target_ + ": the folder to hold it does not exist");
    return;
  }
  if (fs::is_symlink(link)) real_ = fs::canonical(target_, error).string();
  if (error || !fs::is_directory(real_))
    throw QuiralError(target_ + ": is no folder; a site is written into a folder of its own");
  targetExists_ = true;
  const std::string marker = real_ + "/" + kSiteMarker;
  std::set<std::string> ours;
  bool isMarker = false;
  if (fs::is_regular_file(marker)) {
    const std::vector<std::string> listed =
        siteMarkerFiles(readWholeFile(marker, kLargestMarker), isMarker);
    ours.insert(listed.begin(), listed.end());
  }
  for (auto it = fs::recursive_directory_iterator(real_, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_directory() && !it->is_symlink()) continue;
    const std::string relative = fs::relative(it->path(), real_).string();
    if (relative == kSiteMarker && isMarker) continue;
    if (!isMarker)
      throw QuiralError(target_ +
                        ": the folder holds files that are no site of this program; choose an "
                        "empty folder or a new name");
    if (!ours.count(relative) || !it->is_regular_file())
      throw QuiralError(target_ + ": holds \"" + relative +
                        "\", which this program did not write; move it away or choose another "
                        "folder");
    // Only files found here are ever removed, whatever else a marker may name.
    oldFiles_.push_back(relative);
  }
  if (error) throw FileError(error.value(), target_);
  oldFiles_.push_back(kSiteMarker);
}

std::string SiteFolder::pathOf(const std::string& relative) const {
  return temporary_ + "/" + relative;
}

void SiteFolder::makeFolder(const std::string& relative) {
  if (::mkdir(pathOf(relative).c_str(), 0777) != 0 && errno != EEXIST)
    throwFileError(target_ + "/" + relative);
  folders_.push_back(relative);
}

void SiteFolder::write(const std::string& relative, std::string_view bytes) {
  // The folder is private until commit(): its files need no atomic replacement of their own.
  try {
    writeWholeFile(pathOf(relative), bytes);
  } catch (const FileError& e) {
    throw FileError(e.errorNumber(), target_ + "/" + relative);
  }
  files_.push_back(relative);
  bytes_ += bytes.size();
}

void SiteFolder::commit() {
  std::string marker = std::string(kMarkerHeading) + "\n";
  for (const std::string& file : files_) marker += file + "\n";
  write(kSiteMarker, marker);
  files_.pop_back();
  // The site is on disk before it takes the target's place.
  const int folder = ::open(temporary_.c_str(), O_RDONLY | O_DIRECTORY);
  if (folder >= 0) {
    ::syncfs(folder);
    ::close(folder);
  }
  swapIn();
  committed_ = true;
}

void SiteFolder::swapIn() {
  if (!targetExists_) {
    if (::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, real_.c_str(), RENAME_NOREPLACE) != 0)
      throwFileError(target_);
    return;
  }
  if (exchange(temporary_, real_)) {
    removeListed(temporary_, oldFiles_);
    return;
  }
  // A file system without the exchange: the old site steps aside (onto an empty folder of its
  // own) and comes back if the new one cannot take its place.
  const std::string aside = newFolderBeside(real_, "old");
  if (::rename(real_.c_str(), aside.c_str()) != 0) {
    ::rmdir(aside.c_str());
    throwFileError(target_);
  }
  if (::rename(temporary_.c_str(), real_.c_str()) != 0) {
    const int error = errno;
    ::rename(aside.c_str(), real_.c_str());
    throw FileError(error, target_);
  }
  removeListed(aside, oldFiles_);
}

}  // namespace quiral
