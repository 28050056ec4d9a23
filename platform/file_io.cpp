#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/error.h"

namespace quiral {

namespace {

// Closes a descriptor when it goes out of scope.
struct Descriptor {
  int fd = -1;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

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
  // Opened without blocking so that a pipe cannot hang the program; only plain files are read.
  Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  if (file.fd < 0) throwFileError(path);
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) throwFileError(path);
  if (S_ISDIR(info.st_mode)) throw FileError(EISDIR, path);
  if (!S_ISREG(info.st_mode)) throw QuiralError(path + ": not a regular file");
  ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);

  std::string bytes;
  // The size is known for a plain file: one allocation instead of a growing copy.
  bytes.reserve(size_t(std::min<off_t>(info.st_size, off_t(maxBytes))));
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(file.fd, buffer, sizeof buffer);
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
  std::string tempPath = folderOf(path) + "/.quiral-XXXXXX";
  std::vector<char> name(tempPath.begin(), tempPath.end());
  name.push_back('\0');
  Descriptor temp{::mkostemp(name.data(), O_CLOEXEC)};
  if (temp.fd < 0) throwFileError(path);
  tempPath = name.data();
  try {
    writeAll(temp.fd, bytes, path);
    // mkostemp makes the file readable by its owner only; give it the usual permissions.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(temp.fd, 0666 & ~mask);
    if (::fsync(temp.fd) != 0) throwFileError(path);
    int fd = temp.fd;
    temp.fd = -1;
    if (::close(fd) != 0) throwFileError(path);
    if (::rename(tempPath.c_str(), path.c_str()) != 0) throwFileError(path);
  } catch (...) {
    ::unlink(tempPath.c_str());
    throw;
  }
}

}  // namespace quiral
