#pragma once

#include <cstddef>
#include <string>

#include "platform/regular_file.h"

namespace quiral {

// Reads a plain file piece by piece, for readers that need not hold it whole. Pipes, sockets
// and devices are refused as readWholeFile refuses them.
class FileChunkReader {
 public:
  // Throws FileError when the file cannot be opened, QuiralError when it is no plain file.
  FileChunkReader(const std::string& path, size_t maxBytes);
  FileChunkReader(const FileChunkReader&) = delete;
  FileChunkReader& operator=(const FileChunkReader&) = delete;

  // Appends up to `max` further bytes to `out`; false when the file has ended. Throws FileError
  // for a failed read and QuiralError once more than maxBytes were read.
  bool readMore(std::string& out, size_t max);

 private:
  std::string path_;
  FileDescriptor file_;
  size_t maxBytes_;
  size_t read_ = 0;
};

}  // namespace quiral
