#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <random>

#include "platform/error.h"
#include "platform/regular_file.h"

namespace quiral {

namespace {

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

// The path that a write to `path` really lands on: symbolic links are followed one by one,
// also when the last one points to a file that does not exist yet.
std::string followLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target(size_t(PATH_MAX), '\0');
    ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0) throwFileError(path);
    target.resize(size_t(n));
    path = (!target.empty() && target[0] == '/') ? target : folderOf(path) + "/" + target;
  }
  throw FileError(ELOOP, path);
}

// Refuses a target that exists but must not be replaced. Returns whether it exists.
bool checkReplaceable(const std::string& path, struct stat& info) {
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return false;
    throwFileError(path);
  }
  if (S_ISDIR(info.st_mode)) throw FileError(EISDIR, path);
  // A device or a pipe would be replaced by a plain file (as root a link to /dev/null would
  // replace /dev/null itself): never what the user meant.
  if (!S_ISREG(info.st_mode)) throw QuiralError(path + ": not a regular file");
  // access() lets root write anything; a file without any write bit was still made read-only
  // on purpose, so that is refused too.
  if (::access(path.c_str(), W_OK) != 0) throwFileError(path);
  if ((info.st_mode & 0222) == 0) throw FileError(EACCES, path);
  return true;
}

// Creates a new, uniquely named file in `folder`. The mode 0666 is cut by the process's umask
// by the kernel itself, so the umask is never read or changed here (changing it would affect
// files that other threads create meanwhile).
int createTemporary(const std::string& folder, std::string& tempPath) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = folder + "/.quiral-";
    for (int i = 0; i < 8; ++i) tempPath += kLetters[random() % (sizeof kLetters - 1)];
    int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
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
  const std::string target = followLinks(path);
  struct stat existing {};
  const bool exists = checkReplaceable(target, existing);

  std::string tempPath;
  FileDescriptor temp(createTemporary(folderOf(target), tempPath));
  if (!temp) throwFileError(path);
  try {
    writeAll(temp.get(), bytes, path);
    if (exists) {
      // The replacement is the same file to its users: same permissions and, where the process
      // may give it away, the same owner (ownership first, as it can clear set-id bits).
      if (::fchown(temp.get(), existing.st_uid, existing.st_gid) != 0) {
        // Not allowed for an ordinary user on another's file: the file becomes theirs.
      }
      if (::fchmod(temp.get(), existing.st_mode & 07777) != 0) throwFileError(path);
    }
    if (::fsync(temp.get()) != 0) throwFileError(path);
    if (::close(temp.release()) != 0) throwFileError(path);
    if (::rename(tempPath.c_str(), target.c_str()) != 0) throwFileError(path);
  } catch (...) {
    ::unlink(tempPath.c_str());
    throw;
  }
}

void writeWholeFile(const std::string& path, std::string_view bytes) {
  FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!file) throwFileError(path);
  writeAll(file.get(), bytes, path);
  if (::close(file.release()) != 0) throwFileError(path);
}

}  // namespace quiral
