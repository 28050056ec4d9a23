#pragma once

#include <cstdint>
#include <string>

namespace quiral {

// An open file descriptor, closed when the object goes. Move-only.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor();
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // Gives up ownership: the caller closes the descriptor.
  int release();

 private:
  int fd_ = -1;
};

// Opens a file for reading, the one way every reader of the program opens its input. A folder is
// refused with the system's own message for reading one ("Is a directory"), and a pipe, socket or
// device (which may never end or wait for a writer) with "<path>: not a regular file"; opening
// never blocks on them. Throws FileError when the file cannot be opened. `size`, when given,
// receives the file's size.
FileDescriptor openRegularFile(const std::string& path, int64_t* size = nullptr);

}  // namespace quiral
