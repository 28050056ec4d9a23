#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace quiral {

// Base of every error the core reports to the user; what() is a text fit for a message box.
class QuiralError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failed open, read or write of a file. The text names the file and gives the platform's own
// message for the failure (strerror on Linux): "/a/b.lib: No such file or directory", so the user
// can tell an unwritable temporary folder from an unwritable target.
class FileError : public QuiralError {
 public:
  FileError(int errorNumber, std::string path);
  int errorNumber() const { return errorNumber_; }
  const std::string& path() const { return path_; }
  // The platform's message alone, without the path.
  std::string reason() const;

 private:
  int errorNumber_;
  std::string path_;
};

// Throws FileError for the current errno.
[[noreturn]] void throwFileError(const std::string& path);

// The text the user is shown for a failure: the one place that turns any exception into words.
// A file error names its file, a failed allocation reads "Out of memory", anything that is not a
// std::exception "Unknown error".
std::string userMessage(const std::exception_ptr& failure);

}  // namespace quiral
