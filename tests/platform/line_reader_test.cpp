#include "platform/line_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/file_chunks.h"
#include "platform/file_io.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

using Lines = std::vector<std::string>;
using testing::TempDir;
using testing::writeBytes;

Lines splitAll(std::string_view text, size_t chunkSize) {
  LineSplitter splitter;
  Lines lines;
  for (size_t i = 0; i < text.size(); i += chunkSize) {
    if (!splitter.feed(text.substr(i, chunkSize), lines)) break;
  }
  std::string last;
  if (splitter.finish(last)) lines.push_back(last);
  return lines;
}

// The file's lines, checked against the same reader over the bytes in memory.
Lines readFile(const TempDir& dir, std::string_view bytes) {
  std::string path = dir.file("text.lib");
  writeBytes(path, bytes);
  const Lines lines = readAllLines(path);
  TextFileReader inMemory(TextFileReader::InMemory{}, bytes);
  EXPECT_EQ(readAllLines(inMemory), lines);
  return lines;
}

TEST(LineSplitter, EveryLineEndAndTheEndOfText) {
  using namespace std::string_literals;
  struct Case {
    std::string text;
    Lines lines;
  } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\rb", {"a", "b"}},          // the last line needs no line end
      {"a\n\rb", {"a", "", "b"}},    // LF then CR are two line ends
      {"a\r\r\nb", {"a", "", "b"}},  // CR, then CR LF
      {"\r\n\r\n", {"", ""}},
      {"", {}},
      {"a\x1a b\r\nc", {"a"}},  // byte 26 ends the text
      {"a\r\x1a\nb", {"a"}},    // also right after a CR
      {"\x1a", {}},
      {"n\0l\r\n\0"s, {"n\0l"s, "\0"s}},  // NUL is an ordinary byte
      {"\xe9\xff\t\f\r\n", {"\xe9\xff\t\f"}},
  };
  for (const Case& c : cases) {
    for (size_t chunk : {size_t(1), size_t(2), size_t(3), size_t(1000)}) {
      EXPECT_EQ(splitAll(c.text, chunk), c.lines) << "chunk " << chunk << " text " << c.text;
    }
  }
}

TEST(LineSplitter, StopsWhenTheCallbackSaysSo) {
  LineSplitter splitter;
  Lines seen;
  bool more = splitter.feedEach("one\ntwo\nthree\n", [&](std::string& line) {
    seen.push_back(line);
    return seen.size() < 2;
  });
  EXPECT_FALSE(more);
  EXPECT_EQ(seen, (Lines{"one", "two"}));
}

TEST(TextFileReader, AgreesWithTheSplitterAcrossBufferBoundaries) {
  // Random texts of line ends, byte 26 and ordinary bytes, long enough to span several reads.
  TempDir dir;
  std::mt19937 random(2026);
  const char alphabet[] = {'a', ' ', '\r', '\n', '\0', '\xff'};
  for (int round = 0; round < 20; ++round) {
    std::string text(150 * 1024 + size_t(random() % 4096), 'x');
    const bool withEndMarker = round % 2 == 1;  // the other half has no byte 26 at all
    for (char& c : text) {
      unsigned r = random() % 200000;
      if (r < 16000) c = alphabet[r % sizeof alphabet];
      if (withEndMarker && r == 199999) c = '\x1a';
    }
    EXPECT_EQ(readFile(dir, text), splitAll(text, 7919)) << "round " << round;
  }
}

TEST(TextFileReader, SeekingToALineOffsetReadsOnFromThatLine) {
  // Every line end, lines across buffer refills: each line read again from its own offset gives
  // that line and the ones after it.
  TempDir dir;
  std::mt19937 random(22);
  std::string text;
  const char* ends[] = {"\n", "\r\n", "\r"};
  while (text.size() < 200 * 1024)
    text += std::string(random() % 300, 'a' + char(random() % 26)) + ends[random() % 3];
  writeBytes(dir.file("t.lib"), text);
  TextFileReader file(dir.file("t.lib"));
  TextFileReader memory(TextFileReader::InMemory{}, text);
  for (TextFileReader* reader : {&file, &memory}) {
    Lines lines;
    std::vector<uint64_t> offsets;
    std::string_view line;
    while (reader->nextLine(line)) {
      lines.emplace_back(line);
      offsets.push_back(reader->lineOffset());
    }
    for (size_t i = 0; i < lines.size(); i += 97) {
      reader->seek(offsets[i]);
      for (size_t k = i; k < std::min(lines.size(), i + 3); ++k) {
        ASSERT_TRUE(reader->nextLine(line));
        EXPECT_EQ(line, lines[k]) << "line " << k;
        EXPECT_EQ(reader->lineOffset(), offsets[k]);
      }
    }
    reader->seek(text.size());
    EXPECT_FALSE(reader->nextLine(line));
  }
}

TEST(TextFileReader, SkippingByPrefixKeepsEveryCandidateLine) {
  // Library-like texts, LF-only (the fast path) and with CR or byte 26 (the plain path): the lines
  // that could start with D after trimming must all come through, in order, with nothing else
  // changed.
  TempDir dir;
  std::mt19937 random(7);
  const std::vector<std::string> kinds = {"X A 1 0 0 100 R 50 50 1 1 I",
                                          "DEF R R 0 0 N Y 1 F N",
                                          "def r",
                                          "  DEF x",
                                          "\tDEF y",
                                          "",
                                          "D",
                                          "#comment",
                                          "ENDDEF",
                                          "d",
                                          "DRAW",
                                          "dE",
                                          "Dx",
                                          std::string(70000, 'q')};
  for (int round = 0; round < 12; ++round) {
    std::string text;
    while (text.size() < 200 * 1024) {
      text += kinds[random() % kinds.size()];
      text += (round % 3 == 1 && random() % 50 == 0) ? "\r\n" : "\n";
    }
    if (round % 3 == 2) text[text.size() / 2] = '\x1a';
    if (round % 4 == 3) text.pop_back();  // no line end after the last line
    std::string path = dir.file("skip.lib");
    writeBytes(path, text);

    for (std::string_view prefix : {"D", "DE"}) {
      auto candidate = [&](std::string_view line) {
        if (line.empty() || static_cast<unsigned char>(line[0]) <= 32) return true;
        if (line.size() < prefix.size()) return false;
        for (size_t k = 0; k < prefix.size(); ++k)
          if ((line[k] & ~0x20) != prefix[k]) return false;
        return true;
      };
      Lines expected;
      for (const std::string& line : readAllLines(path))
        if (candidate(line)) expected.push_back(line);
      Lines got;
      TextFileReader reader(path);
      std::string_view line;
      while (reader.nextLineStartingLike(prefix, line))
        if (candidate(line)) got.emplace_back(line);
      EXPECT_EQ(got, expected) << "round " << round << " prefix " << prefix;
    }
  }
}

TEST(TextFileReader, CrLfSplitByTheBufferIsOneLineEnd) {
  TempDir dir;
  for (size_t crAt : {size_t(65535), size_t(65536), size_t(2 * 65536 - 1)}) {
    std::string text(crAt, 'a');
    text += "\r\nsecond";
    Lines lines = readFile(dir, text);
    ASSERT_EQ(lines.size(), 2u) << crAt;
    EXPECT_EQ(lines[0].size(), crAt);
    EXPECT_EQ(lines[1], "second");
  }
}

TEST(TextFileReader, ReadsAFiftyMegabyteLine) {
  TempDir dir;
  std::string text(50u * 1024 * 1024, 'Z');
  text[12345] = '\0';
  text += "\r\nEND";
  Lines lines = readFile(dir, text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 50u * 1024 * 1024);
  EXPECT_EQ(lines[0][12345], '\0');
  EXPECT_EQ(lines[1], "END");
}

TEST(TextFileReader, ReadsNothingAfterTheEnd) {
  TempDir dir;
  writeBytes(dir.file("t"), "only\n");
  TextFileReader reader(dir.file("t"));
  std::string line;
  EXPECT_TRUE(reader.readLine(line));
  EXPECT_EQ(line, "only");
  EXPECT_FALSE(reader.readLine(line));
  EXPECT_EQ(line, "");
  EXPECT_FALSE(reader.readLine(line));
}

// The message of a failure names the file and gives the platform's own text for its error.
void expectFileError(const std::string& path, int errorNumber) {
  try {
    readAllLines(path);
    ADD_FAILURE() << "no error for " << path;
  } catch (const FileError& e) {
    EXPECT_EQ(e.errorNumber(), errorNumber) << path;
    EXPECT_EQ(std::string(e.what()), path + ": " + std::strerror(errorNumber));
    EXPECT_EQ(e.path(), path);
  }
}

TEST(TextFileReader, FailuresCarryThePlatformMessage) {
  TempDir dir;
  expectFileError(dir.file("missing.lib"), ENOENT);
  expectFileError(dir.file("no/such/folder.lib"), ENOENT);
  expectFileError(dir.path().string(), EISDIR);  // a folder where the file should be
  writeBytes(dir.file("plain"), "x");
  expectFileError(dir.file("plain/inside.lib"), ENOTDIR);
}

TEST(TextFileReader, RefusesPipesAndDevicesInsteadOfWaitingOrReadingForever) {
  TempDir dir;
  const std::string pipe = dir.file("pipe.lib");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_THROW(TextFileReader{pipe}, QuiralError);         // no writer: would block at open
  EXPECT_THROW(TextFileReader{"/dev/zero"}, QuiralError);  // would never end
  // Every reader opens its file the same way: the whole-file and piecewise readers too.
  for (const std::string& special : {pipe, std::string("/dev/zero")}) {
    EXPECT_THROW(readWholeFile(special, 10), QuiralError);
    EXPECT_THROW(FileChunkReader(special, 10), QuiralError);
  }
  EXPECT_THROW(FileChunkReader(dir.path().string(), 10), FileError);  // a folder
}

TEST(TextFileReader, MissingFileTextInTheCLocale) {
  const char* messages = std::setlocale(LC_MESSAGES, nullptr);
  const bool untranslated =
      messages && (std::strcmp(messages, "POSIX") == 0 ||
                   (messages[0] == 'C' && (!messages[1] || messages[1] == '.')));
  if (!untranslated) {
    GTEST_SKIP() << "messages are translated in locale " << (messages ? messages : "?");
  }
  TempDir dir;
  try {
    TextFileReader reader(dir.file("missing.lib"));
    ADD_FAILURE() << "opened a missing file";
  } catch (const QuiralError& e) {
    EXPECT_EQ(std::string(e.what()), dir.file("missing.lib") + ": No such file or directory");
  }
}

}  // namespace
}  // namespace quiral
