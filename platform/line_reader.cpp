#include "platform/line_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/error.h"

namespace quiral {

bool LineSplitter::feed(std::string_view chunk, std::vector<std::string>& lines) {
  return feedEach(chunk, [&](std::string& line) {
    lines.push_back(line);
    return true;
  });
}

bool LineSplitter::finish(std::string& line) {
  bool has = !pending_.empty();
  if (has) line = std::move(pending_);
  pending_.clear();
  ended_ = true;
  return has;
}

namespace {
constexpr size_t kBufferSize = 64 * 1024;
}

TextFileReader::TextFileReader(const std::string& path) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throwFileError(path);
  buffer_.resize(kBufferSize);
}

TextFileReader::~TextFileReader() {
  if (fd_ >= 0) ::close(fd_);
}

bool TextFileReader::fill() {
  for (;;) {
    ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throwFileError(path_);
    }
    pos_ = 0;
    end_ = static_cast<size_t>(n);
    return n > 0;
  }
}

bool TextFileReader::readLine(std::string& line) {
  line.clear();
  if (atEnd_) return false;
  bool any = false;  // whether this line has started (a byte or its line end was seen)
  for (;;) {
    if (pos_ == end_ && !fill()) {
      atEnd_ = true;
      return any;
    }
    if (afterCr_) {
      afterCr_ = false;
      if (buffer_[pos_] == '\n') {
        ++pos_;
        continue;
      }
    }
    const char* start = buffer_.data() + pos_;
    const char* stop = buffer_.data() + end_;
    const char* p = start;
    while (p != stop && *p != '\r' && *p != '\n' && *p != 26) ++p;
    if (p != start) {
      line.append(start, static_cast<size_t>(p - start));
      any = true;
    }
    pos_ = static_cast<size_t>(p - buffer_.data());
    if (p == stop) continue;
    char c = *p;
    ++pos_;
    if (c == 26) {
      atEnd_ = true;
      return any;
    }
    afterCr_ = (c == '\r');
    return true;
  }
}

std::vector<std::string> readAllLines(const std::string& path) {
  TextFileReader reader(path);
  std::vector<std::string> lines;
  std::string line;
  while (reader.readLine(line)) lines.push_back(line);
  return lines;
}

}  // namespace quiral
