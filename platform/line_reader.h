#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/regular_file.h"

namespace quiral {

// Splits text into lines the way every text file of the program is read: a line ends at CR,
// CR LF or a bare LF; byte 26 ends the text; lines may be of any length; bytes pass unchanged.
// A final line without a line end is still a line; an empty text has no lines.
class LineSplitter {
 public:
  // Feeds the next piece of text. Completed lines are appended to `lines`.
  // Returns false once byte 26 was met (nothing after it counts).
  bool feed(std::string_view chunk, std::vector<std::string>& lines);
  // Feeds a piece of text and calls onLine(std::string&) for every completed line; stops early
  // and returns false when onLine returns false or byte 26 is met.
  template <typename OnLine>
  bool feedEach(std::string_view chunk, OnLine&& onLine);
  // Ends the text: returns true and moves the unterminated last line into `line` if there is one.
  bool finish(std::string& line);

 private:
  std::string pending_;
  bool afterCr_ = false;
  bool ended_ = false;
};

// Reads a text file line by line with LineSplitter's rules, through a fixed buffer. The file is
// opened with openRegularFile; open and read failures throw FileError with the platform's message.
class TextFileReader {
 public:
  explicit TextFileReader(const std::string& path);
  // The same reader over a text held in memory (copied), with the same line rules: for the fuzz
  // targets, and for whoever has a file's bytes already.
  struct InMemory {};
  TextFileReader(InMemory, std::string_view text);
  ~TextFileReader();
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;

  // Next line into `line`; false at the end of the text.
  bool readLine(std::string& line);
  // Next line as a view that stays valid until the next call; no copy when the line lies within
  // the buffer. False at the end of the text.
  bool nextLine(std::string_view& line);
  // Like nextLine, but may pass over lines whose first byte is above 32 and that do not begin
  // with `prefix` (one or two upper-case ASCII letters) in either case, since such a line cannot
  // start with a word beginning with that prefix after trimming. Callers still check the lines
  // they get.
  bool nextLineStartingLike(std::string_view prefix, std::string_view& line);

  // Where the line last returned starts, in bytes from the start of the text.
  uint64_t lineOffset() const { return lineStart_; }
  // Goes on reading from `offset` bytes into the text, which must be the start of a line (a
  // lineOffset() of the same text); past the end there are no more lines.
  void seek(uint64_t offset);

 private:
  bool fill();
  // Offset of the first line end or byte 26 in [pos_, end_), or end_ when there is none.
  size_t findLineEnd() const;
  // Start of the first line in (pos_, end_) that may begin with `prefix` (see
  // nextLineStartingLike), or the start of the unfinished last line of the buffer when no such
  // line is complete in it.
  size_t findCandidateLine(std::string_view prefix) const;

  std::string path_;
  FileDescriptor file_;
  std::unique_ptr<char[]> buffer_;
  std::string spill_;  // a line that runs across buffer refills
  size_t pos_ = 0;
  size_t end_ = 0;
  uint64_t base_ = 0;       // offset in the file of the buffer's first byte
  uint64_t lineStart_ = 0;  // offset of the line last returned
  bool onlyLf_ = false;     // the buffered text holds no CR and no byte 26
  bool afterCr_ = false;
  bool atEnd_ = false;
};

// Whole-file helpers.
std::vector<std::string> readAllLines(const std::string& path);
std::vector<std::string> readAllLines(TextFileReader& reader);

template <typename OnLine>
bool LineSplitter::feedEach(std::string_view chunk, OnLine&& onLine) {
  if (ended_) return false;
  for (size_t i = 0; i < chunk.size(); ++i) {
    char c = chunk[i];
    if (afterCr_) {
      afterCr_ = false;
      if (c == '\n') continue;
    }
    if (c == 26) {
      ended_ = true;
      return false;
    }
    if (c == '\r' || c == '\n') {
      afterCr_ = (c == '\r');
      if (!onLine(pending_)) {
        pending_.clear();
        return false;
      }
      pending_.clear();
      continue;
    }
    // Copy the run of ordinary bytes in one go.
    size_t j = i;
    while (j < chunk.size() && chunk[j] != '\r' && chunk[j] != '\n' && chunk[j] != 26) ++j;
    pending_.append(chunk.data() + i, j - i);
    i = j - 1;
  }
  return true;
}

}  // namespace quiral
