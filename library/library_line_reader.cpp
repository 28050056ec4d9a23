#include "library/library_line_reader.h"

#include <algorithm>

namespace quiral {

LibraryLineReader::LibraryLineReader(const std::string& path, const std::string* translated) {
  if (translated) {
    text_ = *translated;
  } else {
    file_.emplace(path);
  }
}

bool LibraryLineReader::nextLine(std::string_view& line) {
  if (file_) return file_->nextLine(line);
  if (pos_ >= text_.size()) return false;
  size_t end = text_.find('\n', pos_);
  if (end == std::string_view::npos) end = text_.size();
  line = text_.substr(pos_, end - pos_);
  lineStart_ = pos_;
  pos_ = end + 1;
  return true;
}

bool LibraryLineReader::nextLineStartingLike(std::string_view prefix, std::string_view& line) {
  return file_ ? file_->nextLineStartingLike(prefix, line) : nextLine(line);
}

uint64_t LibraryLineReader::lineOffset() const {
  return file_ ? file_->lineOffset() : lineStart_;
}

void LibraryLineReader::seek(uint64_t offset) {
  if (file_)
    file_->seek(offset);
  else
    pos_ = size_t(std::min<uint64_t>(offset, text_.size()));
}

}  // namespace quiral
