#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/atomic_file.h"
#include "platform/error.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

namespace fs = std::filesystem;

using testing::TempDir;

TEST(FileIo, AtomicWriteReplacesWholeFilesAndLeavesNoTemporaries) {
  TempDir dir;
  const std::string target = dir.file("pages.qrp");
  writeFileAtomically(target, "old contents");
  writeFileAtomically(target, std::string("new\0bytes", 9));
  EXPECT_EQ(readWholeFile(target, 100), std::string("new\0bytes", 9));
  // No bound at all reads the same (the size taken from the file, not from the bound).
  EXPECT_EQ(readWholeFile(target, SIZE_MAX), std::string("new\0bytes", 9));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
  // A failure while writing over the file leaves it as it was, with no temporary beside it.
  {
    testing::FileSizeLimit limit(4);
    EXPECT_THROW(writeFileAtomically(target, "more than four bytes"), FileError);
  }
  EXPECT_EQ(readWholeFile(target, 100), std::string("new\0bytes", 9));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
  // A folder in the way stays a folder; a missing folder is an error.
  fs::create_directory(dir.file("folder.qrp"));
  EXPECT_THROW(writeFileAtomically(dir.file("folder.qrp"), "x"), FileError);
  EXPECT_TRUE(fs::is_directory(dir.file("folder.qrp")));
  EXPECT_THROW(writeFileAtomically(dir.file("missing/x.qrp"), "x"), FileError);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(FileIo, AtomicWriteRefusesAPipeOrALinkToOneAndLeavesItInPlace) {
  TempDir dir;
  const std::string pipe = dir.file("x.PDF"), link = dir.file("link.PDF");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  fs::create_symlink(pipe, link);
  for (const std::string& target : {pipe, link}) {
    try {
      writeFileAtomically(target, "pdf");
      ADD_FAILURE() << target << " was replaced";
    } catch (const QuiralError& e) {
      EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos) << e.what();
    }
  }
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(pipe)));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

mode_t modeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

TEST(FileIo, AtomicWriteKeepsModeFollowsLinksAndLeavesTheUmaskAlone) {
  TempDir dir;
  const std::string privateFile = dir.file("private.qrp");
  writeFileAtomically(privateFile, "v1");
  ASSERT_EQ(::chmod(privateFile.c_str(), 0600), 0);
  writeFileAtomically(privateFile, "v2");
  EXPECT_EQ(modeOf(privateFile), 0600u);

  // A new file gets what the umask leaves, and the umask is the same afterwards.
  const mode_t before = ::umask(027);
  writeFileAtomically(dir.file("new.qrp"), "x");
  const mode_t during = ::umask(before);
  EXPECT_EQ(during, 027u);
  EXPECT_EQ(modeOf(dir.file("new.qrp")), 0640u);

  // The link stays a link; the file it points to gets the bytes. A dangling link makes its file.
  fs::create_directory(dir.path() / "real");
  fs::create_symlink("real/target.qrp", dir.path() / "link.qrp");
  writeFileAtomically(dir.file("link.qrp"), "through the link");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.qrp"));
  EXPECT_EQ(readWholeFile(dir.file("real/target.qrp"), 100), "through the link");
  writeFileAtomically(dir.file("link.qrp"), "again");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.qrp"));
  EXPECT_EQ(readWholeFile(dir.file("real/target.qrp"), 100), "again");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "real"), fs::directory_iterator()),
            1);
}

TEST(FileIo, AtomicWriteRefusesAReadOnlyTargetBeforeWriting) {
  TempDir dir;
  const std::string target = dir.file("locked.pdf");
  writeFileAtomically(target, "keep me");
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  try {
    writeFileAtomically(target, "replacement");
    ADD_FAILURE() << "a read-only file was replaced";
  } catch (const FileError& e) {
    EXPECT_EQ(e.errorNumber(), EACCES);
  }
  EXPECT_EQ(readWholeFile(target, 100), "keep me");
  EXPECT_EQ(modeOf(target), 0444u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(FileIo, ReadingRefusesWhatIsTooLargeOrNotAFile) {
  TempDir dir;
  writeFileAtomically(dir.file("big"), std::string(1000, 'x'));
  EXPECT_THROW(readWholeFile(dir.file("big"), 999), QuiralError);
  EXPECT_EQ(readWholeFile(dir.file("big"), 1000).size(), 1000u);
  EXPECT_THROW(readWholeFile(dir.file("none"), 10), FileError);
  EXPECT_THROW(readWholeFile(dir.path().string(), 10), FileError);
  ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
  EXPECT_THROW(readWholeFile(dir.file("pipe"), 10), QuiralError);  // would wait for a writer
}

TEST(FileIo, AStreamedWriteKeepsItsFirstFailureAndNamesTheTargetNotTheTemporary) {
  TempDir dir;
  const std::string target = dir.file("catalog.pdf");
  writeFileAtomically(target, "old");
  {
    testing::FileSizeLimit limit(100);
    AtomicFile file(target);
    const std::string block(70000, 'x');  // past the gathering buffer: written at once
    EXPECT_FALSE(file.append(block.data(), block.size()));
    EXPECT_FALSE(file.append("more", 4));  // dropped after the failure
    EXPECT_TRUE(file.failed());
    try {
      file.commit();
      ADD_FAILURE() << "a failed file was committed";
    } catch (const FileError& e) {
      EXPECT_EQ(e.path(), target);
      EXPECT_EQ(e.errorNumber(), EFBIG);
    }
  }
  EXPECT_EQ(readWholeFile(target, 100), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

  // One file by any name: itself, a symbolic link, a hard link; never a missing one.
  fs::create_symlink(target, dir.file("soft"));
  fs::create_hard_link(target, dir.file("hard"));
  EXPECT_TRUE(sameFile(target, dir.file("soft")));
  EXPECT_TRUE(sameFile(dir.file("soft"), dir.file("hard")));
  EXPECT_FALSE(sameFile(target, dir.file("missing")));
  EXPECT_FALSE(sameFile(dir.file("missing"), dir.file("missing")));
}

}  // namespace
}  // namespace quiral
