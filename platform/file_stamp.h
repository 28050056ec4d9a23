#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quiral {

// What tells that a file changed without reading it: its size and modification time.
struct FileStamp {
  int64_t size = 0;
  int64_t modifiedNanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

// Throws FileError when the file cannot be looked at.
FileStamp fileStamp(const std::string& path);
// The stamp of a regular file; nothing when there is none at `path` or it is no regular file.
std::optional<FileStamp> regularFileStamp(const std::string& path);

}  // namespace quiral
