#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/regular_file.h"

namespace quiral {

// The one way every output file of the program is written. The bytes go to a new file beside the
// file really written and are renamed over it once complete, so a reader sees either the old file
// or the whole new one, and a failure never removes or truncates what was there.
//
// - A symbolic link is written through: the file it points to is replaced and the link stays.
// - A replaced file keeps its permissions (and, where allowed, its owner); a new one gets what
//   the process's umask leaves (the umask is never read or changed).
// - A folder, a device, a pipe or a socket in the target's place is refused before anything is
//   written, as is a file that may not be written.
// - The temporary is removed when the object goes without commit(), and when the process is
//   ended by SIGINT, SIGTERM or SIGHUP once removeTemporariesOnSignals() was called.
// Every error names the user's path, never the temporary.
class AtomicFile {
 public:
  explicit AtomicFile(const std::string& path);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Appends bytes. Throws FileError naming the target.
  void write(std::string_view bytes);
  // Appends bytes without throwing, for writers called back from C libraries (cairo, libpng)
  // that must not be unwound through: the first failure is kept, later bytes are dropped, and
  // commit() throws it. Returns false once the file has failed.
  bool append(const void* data, size_t size) noexcept;
  bool failed() const { return error_ != 0; }
  // Throws the kept failure of append(), naming the target.
  void throwIfFailed() const;

  // Makes the new file the target: on disk, with the old file's mode, renamed over it.
  // Throws FileError naming the target (the kept failure of append(), if any).
  void commit();

  const std::string& path() const { return path_; }

 private:
  void discard() noexcept;
  bool flushBuffer() noexcept;
  bool writeOut(const char* bytes, size_t size) noexcept;

  std::string path_;    // as the user named it
  std::string target_;  // the file really replaced, after following links
  std::string temporary_;
  FileDescriptor file_;
  struct stat existing_ {};
  bool exists_ = false;
  int slot_ = -1;  // where the temporary is registered for removal on a signal
  int error_ = 0;
  size_t buffered_ = 0;
  char buffer_[1 << 16];
};

// From now on SIGINT, SIGTERM and SIGHUP remove every temporary of an AtomicFile still open and
// then end the process as the signal would have (the usual exit status); SIGXFSZ is ignored, so
// that a write past the file-size limit fails with "File too large" and the normal error path
// runs. Call once at program start.
void removeTemporariesOnSignals();

// Whether two paths name one file (the same device and inode: links and hard links included).
// A path that does not exist names no file.
bool sameFile(const std::string& a, const std::string& b);

}  // namespace quiral
