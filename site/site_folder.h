#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quiral {

// The file every site written by the program holds: its first line says what it is, the others
// name every file of the site (relative paths), so that a later run knows which files it may
// replace and that nothing else is there.
constexpr const char* kSiteMarker = ".quiral-site";

// The folder a web catalog is written into. Everything goes to a new folder beside the target;
// commit() swaps it into the target's place whole, so a reader (or a failed or cancelled run)
// sees either the old site or the whole new one. A target that is a file, or a folder holding
// anything the program did not write (no marker, or a file the marker does not name), is
// refused before anything is written: a user's files are never replaced or deleted.
class SiteFolder {
 public:
  // Throws QuiralError (FileError for a system failure) naming `target` when it is refused or
  // the new folder cannot be made beside it.
  explicit SiteFolder(const std::string& target);
  // Without commit(), removes the new folder and everything in it; the target stays as it was.
  ~SiteFolder();
  SiteFolder(const SiteFolder&) = delete;
  SiteFolder& operator=(const SiteFolder&) = delete;

  // Writes a file of the site at a relative path whose folders were made with makeFolder().
  // Throws FileError naming the target's file.
  void write(const std::string& relative, std::string_view bytes);
  void makeFolder(const std::string& relative);

  uint64_t bytesWritten() const { return bytes_; }
  size_t fileCount() const { return files_.size(); }
  const std::string& target() const { return target_; }

  // Writes the marker, puts the new site in the target's place and removes the old site's files
  // (only those its marker names, and the folders they leave empty). Throws FileError.
  void commit();

 private:
  void checkTarget();
  void swapIn();
  std::string pathOf(const std::string& relative) const;

  std::string target_;     // as the user named it
  std::string real_;       // where it is written, links followed
  std::string temporary_;  // the new site until commit()
  bool targetExists_ = false;
  std::vector<std::string> oldFiles_;  // the old site's files found in the target
  std::vector<std::string> files_;
  std::vector<std::string> folders_;
  uint64_t bytes_ = 0;
  bool committed_ = false;
};

// The files a site's marker names; empty when `markerText` is no marker of a site.
std::vector<std::string> siteMarkerFiles(std::string_view markerText, bool& isMarker);

}  // namespace quiral
