#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/line_reader.h"

namespace quiral {

// The lines of the library in use: read from the file, or, for a modern library, walked in the
// legacy text it was translated into (whose lines end in a line feed).
class LibraryLineReader {
 public:
  // `translated` null: the file at `path` is read. Otherwise `translated` must outlive the reader.
  LibraryLineReader(const std::string& path, const std::string* translated);

  // As TextFileReader's: the next line, valid until the next call; false at the end.
  bool nextLine(std::string_view& line);
  bool nextLineStartingLike(std::string_view prefix, std::string_view& line);
  // As TextFileReader's: where the last line starts, and reading on from such a start.
  uint64_t lineOffset() const;
  void seek(uint64_t offset);

 private:
  std::optional<TextFileReader> file_;
  std::string_view text_;
  size_t pos_ = 0;
  size_t lineStart_ = 0;
};

}  // namespace quiral
