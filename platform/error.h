#pragma once

#include <stdexcept>
#include <string>

namespace quiral {

// Base of every error the core reports to the user; what() is a text fit for a message box.
class QuiralError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failed open, read or write of a file. The text is the platform's own message for the
// failure (strerror on Linux), so the user sees e.g. "No such file or directory".
class FileError : public QuiralError {
 public:
  FileError(int errorNumber, std::string path);
  int errorNumber() const { return errorNumber_; }
  const std::string& path() const { return path_; }

 private:
  int errorNumber_;
  std::string path_;
};

// Throws FileError for the current errno.
[[noreturn]] void throwFileError(const std::string& path);

}  // namespace quiral
