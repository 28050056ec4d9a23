#include "platform/file_stamp.h"

#include <sys/stat.h>

#include "platform/error.h"

namespace quiral {

namespace {

FileStamp stampOf(const struct stat& info) {
  return {int64_t(info.st_size),
          int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + int64_t(info.st_mtim.tv_nsec)};
}

}  // namespace

FileStamp fileStamp(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) throwFileError(path);
  return stampOf(info);
}

std::optional<FileStamp> regularFileStamp(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return stampOf(info);
}

}  // namespace quiral
