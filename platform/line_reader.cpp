#include "platform/line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

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

TextFileReader::TextFileReader(const std::string& path)
    : path_(path),
      file_(openRegularFile(path)),
      // Not zero-filled: every byte is read into before it is looked at.
      buffer_(new char[kBufferSize]) {}

TextFileReader::TextFileReader(InMemory, std::string_view text)
    : path_("(text in memory)"), buffer_(new char[std::max<size_t>(text.size(), 1)]) {
  if (!text.empty()) std::memcpy(buffer_.get(), text.data(), text.size());
  end_ = text.size();
  onlyLf_ = !std::memchr(buffer_.get(), '\r', end_) && !std::memchr(buffer_.get(), 26, end_);
}

TextFileReader::~TextFileReader() = default;

bool TextFileReader::fill() {
  if (!file_) return false;  // a text in memory is all in the buffer from the start
  base_ += end_;
  for (;;) {
    ssize_t n = ::read(file_.get(), buffer_.get(), kBufferSize);
    if (n < 0) {
      if (errno == EINTR) continue;
      throwFileError(path_);
    }
    pos_ = 0;
    end_ = static_cast<size_t>(n);
    // Most libraries have bare LF line ends: then one memchr per line finds each end.
    onlyLf_ = !std::memchr(buffer_.get(), '\r', end_) && !std::memchr(buffer_.get(), 26, end_);
    return n > 0;
  }
}

size_t TextFileReader::findLineEnd() const {
  const char* start = buffer_.get() + pos_;
  size_t length = end_ - pos_;
  if (onlyLf_) {
    const void* hit = std::memchr(start, '\n', length);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - buffer_.get()) : end_;
  }
  const char* p = start;
  const char* stop = start + length;
  while (p != stop && *p != '\r' && *p != '\n' && *p != 26) ++p;
  return static_cast<size_t>(p - buffer_.get());
}

bool TextFileReader::nextLine(std::string_view& line) {
  line = {};
  if (atEnd_) return false;
  spill_.clear();
  bool spilled = false;  // part of the line is already in spill_
  bool any = false;      // whether this line has started (a byte or its line end was seen)
  for (;;) {
    if (pos_ == end_ && !fill()) {
      atEnd_ = true;
      if (spilled) line = spill_;
      return any;
    }
    if (afterCr_) {
      afterCr_ = false;
      if (buffer_[pos_] == '\n') {
        ++pos_;
        continue;
      }
    }
    if (!spilled) lineStart_ = base_ + pos_;
    size_t stop = findLineEnd();
    std::string_view piece(buffer_.get() + pos_, stop - pos_);
    if (!piece.empty()) any = true;
    pos_ = stop;
    if (stop == end_) {
      // The line goes on in the next buffer: keep what we have.
      spill_.append(piece);
      spilled = true;
      continue;
    }
    char c = buffer_[pos_++];
    if (spilled) {
      spill_.append(piece);
      line = spill_;
    } else {
      line = piece;
    }
    if (c == 26) {
      atEnd_ = true;
      return any;
    }
    afterCr_ = (c == '\r');
    return true;
  }
}

namespace {

bool mayStartWith(unsigned char c, char upper) {
  return c <= 32 || c == static_cast<unsigned char>(upper) ||
         c == static_cast<unsigned char>(upper | 0x20);
}

}  // namespace

namespace {

#if defined(__x86_64__) && defined(__GNUC__)
// Thirty-two line starts at a time: a byte after LF that is a blank or control byte, or that
// begins `prefix` (one or two upper-case ASCII letters) in either case. Returns the offset of the
// first such byte at or after `p`, or `end` when too few bytes are left to look at.
__attribute__((target("avx2"))) size_t candidateAvx2(const unsigned char* buf, size_t p, size_t end,
                                                     std::string_view prefix) {
  const __m256i lf = _mm256_set1_epi8('\n');
  const __m256i first = _mm256_set1_epi8(static_cast<char>(prefix[0] | 0x20));
  // With one letter the second test always passes: a byte ORed with 0xFF is 0xFF.
  const bool two = prefix.size() > 1;
  const __m256i secondBits = _mm256_set1_epi8(two ? 0x20 : -1);
  const __m256i second = _mm256_set1_epi8(two ? static_cast<char>(prefix[1] | 0x20) : -1);
  const __m256i caseBit = _mm256_set1_epi8(0x20);
  const __m256i blank = _mm256_set1_epi8(32);
  for (; p + 33 <= end; p += 32) {
    const __m256i cur = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(buf + p));
    const __m256i prev = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(buf + p - 1));
    const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(buf + p + 1));
    const __m256i begins =
        _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(cur, caseBit), first),
                         _mm256_cmpeq_epi8(_mm256_or_si256(next, secondBits), second));
    const __m256i ok = _mm256_or_si256(begins, _mm256_cmpeq_epi8(_mm256_min_epu8(cur, blank), cur));
    const unsigned mask = static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(prev, lf), ok)));
    if (mask) return p + static_cast<size_t>(__builtin_ctz(mask));
  }
  return end;
}

bool haveAvx2() {
  static const bool have = __builtin_cpu_supports("avx2");
  return have;
}
#endif

}  // namespace

size_t TextFileReader::findCandidateLine(std::string_view prefix) const {
  const unsigned char* buf = reinterpret_cast<const unsigned char*>(buffer_.get());
  const char letter = prefix[0];
  size_t p = pos_ + 1;
#if defined(__x86_64__) && defined(__GNUC__)
  if (haveAvx2()) {
    const size_t at = candidateAvx2(buf, p, end_, prefix);
    if (at != end_) return at;
    p = std::max(p, end_ >= 33 ? end_ - 32 : p);  // too few bytes left: the rest is done below
  }
#endif
#if defined(__SSE2__)
  // Sixteen bytes at a time, finding the LFs; only the byte after each LF is then looked at.
  const __m128i lf = _mm_set1_epi8('\n');
  for (; p + 16 <= end_; p += 16) {
    // Bit k: the byte before p + k is LF, so p + k starts a line.
    const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(buf + p - 1));
    unsigned starts = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(before, lf)));
    while (starts) {
      const size_t at = p + static_cast<size_t>(__builtin_ctz(starts));
      if (mayStartWith(buf[at], letter)) return at;
      starts &= starts - 1;
    }
  }
#endif
  for (; p < end_; ++p) {
    if (buf[p - 1] == '\n' && mayStartWith(buf[p], letter)) return p;
  }
  // No candidate: stop at the start of the last, unfinished line.
  const void* lastLf = memrchr(buf + pos_, '\n', end_ - pos_);
  return lastLf ? static_cast<size_t>(static_cast<const unsigned char*>(lastLf) - buf) + 1 : pos_;
}

bool TextFileReader::nextLineStartingLike(std::string_view prefix, std::string_view& line) {
  // The fast skip needs a plain LF buffer and the reader standing at the start of a line.
  while (onlyLf_ && !afterCr_ && !atEnd_ && pos_ < end_ &&
         !mayStartWith(static_cast<unsigned char>(buffer_[pos_]), prefix[0])) {
    size_t next = findCandidateLine(prefix);
    if (next == pos_) break;  // the rejected line runs on into the next buffer
    pos_ = next;
    if (pos_ == end_) break;
  }
  return nextLine(line);
}

void TextFileReader::seek(uint64_t offset) {
  spill_.clear();
  afterCr_ = false;
  atEnd_ = false;
  if (!file_) {
    // A text in memory: its buffer holds all of it.
    pos_ = size_t(std::min<uint64_t>(offset, end_));
    return;
  }
  if (::lseek(file_.get(), off_t(offset), SEEK_SET) < 0) throwFileError(path_);
  base_ = offset;
  pos_ = end_ = 0;
}

bool TextFileReader::readLine(std::string& line) {
  std::string_view view;
  bool has = nextLine(view);
  line.assign(view);
  return has;
}

std::vector<std::string> readAllLines(const std::string& path) {
  TextFileReader reader(path);
  return readAllLines(reader);
}

std::vector<std::string> readAllLines(TextFileReader& reader) {
  std::vector<std::string> lines;
  std::string line;
  while (reader.readLine(line)) lines.push_back(line);
  return lines;
}

}  // namespace quiral
