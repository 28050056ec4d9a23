#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error.h"

namespace quiral {

FileDescriptor::~FileDescriptor() {
  if (fd_ >= 0) ::close(fd_);
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.release();
  }
  return *this;
}

int FileDescriptor::release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

FileDescriptor openRegularFile(const std::string& path, int64_t* size) {
  // Without blocking, so that a pipe cannot hang the program before it is refused.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!file) throwFileError(path);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) throwFileError(path);
  if (S_ISDIR(info.st_mode)) throw FileError(EISDIR, path);
  if (!S_ISREG(info.st_mode)) throw QuiralError(path + ": not a regular file");
  ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
  if (size) *size = int64_t(info.st_size);
  return file;
}

}  // namespace quiral
