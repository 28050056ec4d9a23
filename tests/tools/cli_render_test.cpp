#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli_runner.h"
#include "platform/png_writer.h"

namespace quiral {
namespace {

using testing::OutputFolder;
using testing::runCli;

const std::string kGates = std::string(QUIRAL_EXAMPLES_DIR) + "/74xx_gates.lib";

TEST(CliRender, WritesTheViewAndPrintsItsFacts) {
  OutputFolder out;
  const std::string png = (out.path / "gate.png").string();
  auto r = runCli({"render", kGates, "74LS00", "-o", png, "--info"});
  ASSERT_EQ(r.status, 0) << r.err;
  Bitmap view = readPng(png);
  EXPECT_NE(r.out.find("\"width\": " + std::to_string(view.width()) + ","), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"height\": " + std::to_string(view.height()) + ","), std::string::npos);
  EXPECT_NE(r.out.find("\"units\": \"5\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"alias\": \"ALIAS 74HC00 74HCT00\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"show_pin_numbers\": true"), std::string::npos);
  EXPECT_EQ(r.out.back(), '\n');
  bool ink = false;
  for (int y = 0; y < view.height() && !ink; ++y) {
    for (int x = 0; x < view.width() && !ink; ++x) ink = view.pixel(x, y) == 0x000000;
  }
  EXPECT_TRUE(ink);

  // By index: the fourth entry, the 74LS04 with 7 units.
  r = runCli({"render", kGates, "--index", "3", "--info"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"units\": \"7\""), std::string::npos) << r.out;
}

TEST(CliRender, RefusesWhatItCannotDo) {
  EXPECT_EQ(runCli({"render", kGates, "NOSUCH", "--info"}).status, 1);
  EXPECT_EQ(runCli({"render", kGates, "--index", "99", "--info"}).status, 1);
  EXPECT_EQ(runCli({"render", kGates, "74LS00"}).status, 2);  // neither -o nor --info
  EXPECT_EQ(runCli({"render", kGates, "74LS00", "--bogus"}).status, 2);
  auto r = runCli({"render", "/nonexistent/x.lib", "A", "--info"});
  EXPECT_EQ(r.status, 1);
  // The message comes in the user's language, like the tool's own.
  EXPECT_NE(r.err.find(std::strerror(ENOENT)), std::string::npos) << r.err;
  OutputFolder out;
  r = runCli({"render", kGates, "74LS00", "-o", (out.path / "missing" / "x.png").string()});
  EXPECT_EQ(r.status, 1);
}

TEST(CliRenderAll, OneFilePerEntryNamedByLibraryIndexAndName) {
  OutputFolder out;
  const std::string passives = std::string(QUIRAL_EXAMPLES_DIR) + "/passives.lib";
  auto r = runCli({"render-all", kGates, passives, "-o", out.path.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(out.fileCount(), 11u);
  EXPECT_TRUE(std::filesystem::exists(out.path / "74xx_gates-0000-74LS00.png"));
  EXPECT_TRUE(std::filesystem::exists(out.path / "74xx_gates-0004-74LS74.png"));
  EXPECT_GT(readPng((out.path / "74xx_gates-0001-74LS08.png").string()).width(), 101);

  OutputFolder none;
  r = runCli({"render-all", kGates, "--no-write"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(none.fileCount(), 0u);
  EXPECT_EQ(runCli({"render-all", "/nonexistent/x.lib", "--no-write"}).status, 1);
  EXPECT_EQ(runCli({"render-all", kGates}).status, 2);
  EXPECT_EQ(runCli({"render-all", kGates, "--no-write", "--jobs", "0"}).status, 2);
  EXPECT_EQ(runCli({"render-all", kGates, "--no-write", "--jobs", "two"}).status, 2);
}

TEST(CliRenderAll, WithSeveralJobsAFailedLibraryEndsTheReportWhereItStands) {
  const std::string passives = std::string(QUIRAL_EXAMPLES_DIR) + "/passives.lib";
  auto r =
      runCli({"render-all", kGates, "/nonexistent/x.lib", passives, "--no-write", "--jobs", "2"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(kGates + ": "), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("passives"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("total"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("/nonexistent/x.lib"), std::string::npos) << r.err;
}

TEST(CliRenderAll, AFileThatCannotBeWrittenFailsTheRun) {
  // Files are written on a second thread; its failure must still reach the exit status.
  OutputFolder out;
  std::filesystem::create_directory(out.path / "74xx_gates-0002-74LS32.png");
  auto r = runCli({"render-all", kGates, "-o", out.path.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("74xx_gates-0002-74LS32.png"), std::string::npos) << r.err;
  for (const auto& entry : std::filesystem::directory_iterator(out.path))  // no temporary left
    EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
}

TEST(CliRenderAll, AThreadThatCannotStartIsReportedAsAFailure) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers' own start-up needs the stack limit this test breaks";
#endif
  // A huge stack limit becomes the size of every new thread's stack, which cannot be mapped.
  const std::string command = "ulimit -s 100000000 && exec '" + std::string(QUIRAL_CLI) +
                              "' render-all '" + kGates + "' --no-write --jobs 2 2>&1";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  const int status = ::pclose(pipe);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << output;
  EXPECT_NE(output.find("cannot start a drawing thread"), std::string::npos) << output;
}

TEST(CliRenderAll, LibrariesOfOneNameInTwoFoldersAreRefusedBeforeAnyFileIsWritten) {
  OutputFolder in, out;
  for (const char* folder : {"a", "b"}) {
    std::filesystem::create_directories(in.path / folder);
    std::filesystem::copy_file(kGates, in.path / folder / "x.lib");
  }
  auto r = runCli({"render-all", in.file("a/x.lib"), in.file("b/x.lib"), "-o", out.path.string(),
                   "--jobs", "2"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(in.file("a/x.lib") + " and " + in.file("b/x.lib")), std::string::npos)
      << r.err;
  EXPECT_EQ(out.fileCount(), 0u);
}

TEST(CliRenderAll, AnOutputFolderThatIsAFileIsNamedWithTheReason) {
  OutputFolder out;
  std::filesystem::create_directories(out.path);
  const std::string file = (out.path / "taken").string();
  { std::ofstream(file) << "x"; }
  auto r = runCli({"render-all", kGates, "-o", file});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "quiral-cli: " + file + ": " + std::strerror(ENOTDIR) + "\n");
}

}  // namespace
}  // namespace quiral
