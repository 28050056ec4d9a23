#include "platform/file_chunks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error.h"

namespace quiral {

FileChunkReader::FileChunkReader(const std::string& path, size_t maxBytes)
    : path_(path), maxBytes_(maxBytes) {
  // Opened without blocking so that a pipe cannot hang the program; only plain files are read.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) throwFileError(path);
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    const int error = errno;
    ::close(fd_);
    throw FileError(error, path);
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd_);
    if (S_ISDIR(info.st_mode)) throw FileError(EISDIR, path);
    throw QuiralError(path + ": not a regular file");
  }
  ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

FileChunkReader::~FileChunkReader() {
  ::close(fd_);
}

bool FileChunkReader::readMore(std::string& out, size_t max) {
  const size_t old = out.size();
  out.resize(old + max);
  ssize_t n;
  do n = ::read(fd_, out.data() + old, max);
  while (n < 0 && errno == EINTR);
  if (n < 0) {
    const int error = errno;
    out.resize(old);
    throw FileError(error, path_);
  }
  out.resize(old + size_t(n));
  read_ += size_t(n);
  if (read_ > maxBytes_) throw QuiralError("The file is too large: " + path_);
  return n > 0;
}

}  // namespace quiral
