#include "platform/file_stamp.h"

#include <sys/stat.h>

#include "platform/error.h"

namespace quiral {

FileStamp fileStamp(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) throwFileError(path);
  return {int64_t(info.st_size),
          int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + int64_t(info.st_mtim.tv_nsec)};
}

}  // namespace quiral
