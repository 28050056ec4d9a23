#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "platform/error.h"

namespace quiral {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
  fs::path path = fs::temp_directory_path() / ("quiral_file_io_" + std::to_string(getpid()));
  TempFolder() { fs::create_directories(path); }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  std::string file(const char* name) const { return (path / name).string(); }
};

// Makes writes past `bytes` fail for as long as it lives, for root too: the process's file size
// limit is lowered, and the signal that comes with passing it ignored, so write() fails with EFBIG.
struct FileSizeLimit {
  rlimit saved{};
  void (*savedHandler)(int) = SIG_DFL;
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved);
    savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lowered{bytes, saved.rlim_max};
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &lowered), 0);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
  }
};

TEST(FileIo, AtomicWriteReplacesWholeFilesAndLeavesNoTemporaries) {
  TempFolder dir;
  const std::string target = dir.file("pages.qrp");
  writeFileAtomically(target, "old contents");
  writeFileAtomically(target, std::string("new\0bytes", 9));
  EXPECT_EQ(readWholeFile(target, 100), std::string("new\0bytes", 9));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
  // A failure while writing over the file leaves it as it was, with no temporary beside it.
  {
    FileSizeLimit limit(4);
    EXPECT_THROW(writeFileAtomically(target, "more than four bytes"), FileError);
  }
  EXPECT_EQ(readWholeFile(target, 100), std::string("new\0bytes", 9));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
  // A folder in the way stays a folder; a missing folder is an error.
  fs::create_directory(dir.file("folder.qrp"));
  EXPECT_THROW(writeFileAtomically(dir.file("folder.qrp"), "x"), FileError);
  EXPECT_TRUE(fs::is_directory(dir.file("folder.qrp")));
  EXPECT_THROW(writeFileAtomically(dir.file("missing/x.qrp"), "x"), FileError);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 2);
}

TEST(FileIo, ReadingRefusesWhatIsTooLargeOrNotAFile) {
  TempFolder dir;
  writeFileAtomically(dir.file("big"), std::string(1000, 'x'));
  EXPECT_THROW(readWholeFile(dir.file("big"), 999), QuiralError);
  EXPECT_EQ(readWholeFile(dir.file("big"), 1000).size(), 1000u);
  EXPECT_THROW(readWholeFile(dir.file("none"), 10), FileError);
  EXPECT_THROW(readWholeFile(dir.path.string(), 10), FileError);
  ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
  EXPECT_THROW(readWholeFile(dir.file("pipe"), 10), QuiralError);  // would wait for a writer
}

}  // namespace
}  // namespace quiral
