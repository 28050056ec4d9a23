#include "platform/error.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>

namespace quiral {

namespace {

std::string withPath(const std::string& path, const std::string& reason) {
  return path.empty() ? reason : path + ": " + reason;
}

}  // namespace

FileError::FileError(int errorNumber, std::string path)
    : QuiralError(withPath(path, std::strerror(errorNumber))),
      errorNumber_(errorNumber),
      path_(std::move(path)) {}

std::string FileError::reason() const {
  return std::strerror(errorNumber_);
}

void throwFileError(const std::string& path) {
  int err = errno;
  if (err == 0) err = EIO;
  throw FileError(err, path);
}

std::string userMessage(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
    return "Out of memory";
  } catch (const std::filesystem::filesystem_error& e) {
    // The library's own wording repeats the operation; the path and the system's reason say it.
    return withPath(e.path1().string(), e.code().message());
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

}  // namespace quiral
