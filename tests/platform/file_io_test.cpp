#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(FileIo, AtomicWriteReplacesWholeFilesAndLeavesNoTemporaries) {
  TempFolder dir;
  const std::string target = dir.file("pages.qrp");
  writeFileAtomically(target, "old contents");
  writeFileAtomically(target, std::string("new\0bytes", 9));
  EXPECT_EQ(readWholeFile(target, 100), std::string("new\0bytes", 9));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
  // A failure leaves the existing file as it was.
  fs::create_directory(dir.file("folder.qrp"));
  EXPECT_THROW(writeFileAtomically(dir.file("folder.qrp"), "x"), FileError);
  EXPECT_THROW(writeFileAtomically(dir.file("missing/x.qrp"), "x"), FileError);
  EXPECT_EQ(readWholeFile(target, 100), std::string("new\0bytes", 9));
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
