#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/atomic_file.h"
#include "platform/error.h"
#include "platform/regular_file.h"

namespace quiral {

namespace {

void writeAll(int fd, std::string_view bytes, const std::string& path) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throwFileError(path);
    }
    bytes.remove_prefix(size_t(n));
  }
}

}  // namespace

std::string readWholeFile(const std::string& path, size_t maxBytes) {
  int64_t size = 0;
  const FileDescriptor file = openRegularFile(path, &size);

  std::string bytes;
  // The size is known for a plain file: one allocation instead of a growing copy.
  if (size > 0) bytes.reserve(std::min(size_t(size), maxBytes));
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(file.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throwFileError(path);
    }
    if (n == 0) break;
    if (bytes.size() + size_t(n) > maxBytes) throw QuiralError("The file is too large: " + path);
    bytes.append(buffer, size_t(n));
  }
  return bytes;
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
  AtomicFile file(path);
  file.write(bytes);
  file.commit();
}

void writeWholeFile(const std::string& path, std::string_view bytes) {
  FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!file) throwFileError(path);
  writeAll(file.get(), bytes, path);
  if (::close(file.release()) != 0) throwFileError(path);
}

}  // namespace quiral
