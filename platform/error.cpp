#include "platform/error.h"

#include <cerrno>
#include <cstring>

namespace quiral {

FileError::FileError(int errorNumber, std::string path)
    : QuiralError(std::strerror(errorNumber)), errorNumber_(errorNumber), path_(std::move(path)) {}

void throwFileError(const std::string& path) {
  int err = errno;
  if (err == 0) err = EIO;
  throw FileError(err, path);
}

}  // namespace quiral
