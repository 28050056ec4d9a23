#pragma once

#include <string>

namespace quiral {

// A private folder for the temporary files of one document, made in the system's temporary
// folder and removed with everything in it when the object goes, whether the document was
// completed or not. The current folder is left alone: it is usually a library folder and may
// be read-only or shared with another export.
class SpoolFolder {
 public:
  SpoolFolder();  // throws FileError when the folder cannot be made
  ~SpoolFolder();
  SpoolFolder(const SpoolFolder&) = delete;
  SpoolFolder& operator=(const SpoolFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace quiral
