#include "platform/file_chunks.h"

#include <unistd.h>

#include <cerrno>

#include "platform/error.h"

namespace quiral {

FileChunkReader::FileChunkReader(const std::string& path, size_t maxBytes)
    : path_(path), file_(openRegularFile(path)), maxBytes_(maxBytes) {}

bool FileChunkReader::readMore(std::string& out, size_t max) {
  const size_t old = out.size();
  out.resize(old + max);
  ssize_t n;
  do n = ::read(file_.get(), out.data() + old, max);
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
