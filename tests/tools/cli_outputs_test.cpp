// What every command does with its output file: never one of its inputs, never a special file,
// never lost on a failed write, never left half-written by a signal.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "cli_runner.h"
#include "tests/support/file_size_limit.h"

namespace quiral {
namespace {

namespace fs = std::filesystem;
using testing::OutputFolder;
using testing::readBytes;
using testing::runCli;

const std::string kExamples = QUIRAL_EXAMPLES_DIR;
const std::string kModern = std::string(QUIRAL_TEST_DATA_DIR) + "/library/gates.kicad_sym";

TEST(CliOutputs, NoCommandWritesOverOneOfItsInputs) {
  OutputFolder in;
  const std::string lib = in.file("passives.lib"), dcm = in.file("passives.dcm");
  fs::copy_file(kExamples + "/passives.lib", lib);
  fs::copy_file(kExamples + "/passives.dcm", dcm);
  fs::copy_file(kModern, in.file("gates.kicad_sym"));
  fs::create_symlink(lib, in.file("link.png"));
  fs::create_hard_link(dcm, in.file("hard.pdf"));
  fs::create_symlink(in.file("gates.kicad_sym"), in.file("gates-link.lib"));
  const std::string libBytes = testing::readBytes(lib), dcmBytes = testing::readBytes(dcm);

  struct Case {
    std::vector<std::string> args;
    std::string input;  // the input the refusal names
  };
  const Case cases[] = {
      {{"render", lib, "C", "-o", lib}, lib},
      {{"render", lib, "C", "-o", in.file("link.png")}, lib},
      {{"render", lib, "C", "-o", in.file("hard.pdf")}, dcm},
      {{"catalog", lib, "--kind", "list", "--fine", "-o", dcm}, dcm},
      {{"catalog", in.path.string(), "--kind", "list", "--fine", "-o", dcm}, dcm},
      {{"catalog", lib, "--kind", "drawings", "--qrp", in.file("link.png")}, lib},
      {{"convert", in.file("gates.kicad_sym"), "-o", in.file("gates.kicad_sym")}, "gates"},
      {{"convert", in.file("gates.kicad_sym"), "-o", in.file("gates-link.lib")}, "gates"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " -o " + c.args.back());
    const auto result = runCli(c.args);
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find(c.input), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("replace the input"), std::string::npos) << result.err;
  }
  EXPECT_EQ(testing::readBytes(lib), libBytes);
  EXPECT_EQ(testing::readBytes(dcm), dcmBytes);
  EXPECT_EQ(testing::readBytes(in.file("gates.kicad_sym")), testing::readBytes(kModern));
  EXPECT_EQ(in.fileCount(), 6u);  // nothing written beside them either
}

TEST(CliOutputs, APictureGoesOnlyIntoARegularFileAndAFailedWriteKeepsTheOldOne) {
  OutputFolder out;
  const std::string lib = kExamples + "/passives.lib";
  // A pipe would block the writer for ever; a device would be written into or replaced.
  ASSERT_EQ(::mkfifo(out.file("pipe.png").c_str(), 0644), 0);
  fs::create_symlink("/dev/null", out.file("null.png"));
  for (const char* name : {"pipe.png", "null.png"}) {
    const auto result = runCli({"render", lib, "R", "-o", out.file(name)});
    EXPECT_EQ(result.status, 1) << name;
    EXPECT_NE(result.err.find("not a regular file"), std::string::npos) << result.err;
  }
  EXPECT_TRUE(fs::is_fifo(out.file("pipe.png")));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  // A disk that fills up half way: the old picture stays whole, and no temporary is left.
  const std::string old = out.file("old.png");
  testing::writeBytes(old, "the old picture");
  {
    testing::FileSizeLimit limit(200);
    const auto result = runCli({"render", lib, "R", "-o", old, "--scale", "4"});
    EXPECT_EQ(result.status, 1);
    // The system's own words, in the locale the suite runs under.
    EXPECT_NE(result.err.find(old + ": " + std::strerror(EFBIG)), std::string::npos) << result.err;
  }
  EXPECT_EQ(testing::readBytes(old), "the old picture");
  EXPECT_EQ(out.fileCount(), 3u);
}

// Starts quiral-cli, ends it with `signal` once it is well under way, and returns how it ended.
int interruptedStatus(const std::vector<std::string>& args, int signal) {
  std::vector<std::string> storage{QUIRAL_CLI};
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::freopen("/dev/null", "w", stderr);
    ::freopen("/dev/null", "w", stdout);
    ::execv(QUIRAL_CLI, argv.data());
    ::_exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  ::kill(pid, signal);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

TEST(CliOutputs, AnInterruptedRunLeavesNoTemporaryBehind) {
  const std::string corpus = std::string(QUIRAL_CORPUS_DIR) + "/kicad5";
  ASSERT_TRUE(fs::is_directory(corpus)) << corpus;
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    OutputFolder out;
    const int fine = interruptedStatus(
        {"catalog", corpus, "--kind", "drawings", "--fine", "-o", out.file("all.pdf")}, signal);
    // Finished before the signal, or ended by it as it would have been without our handler.
    EXPECT_TRUE(WIFSIGNALED(fine) ? WTERMSIG(fine) == signal : WEXITSTATUS(fine) <= 1);
    for (const auto& entry : fs::directory_iterator(out.path))
      EXPECT_EQ(entry.path().filename(), "all.pdf") << "left behind";

    OutputFolder pictures;
    interruptedStatus({"render-all", corpus + "/Device.lib", corpus + "/74xx.lib", "--format",
                       "svg", "-o", pictures.path.string()},
                      signal);
    for (const auto& entry : fs::directory_iterator(pictures.path))
      EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
  }
}

TEST(CliOutputs, AnEndlessDescriptionIsCutWithAWarningNamingItsSymbol) {
  OutputFolder in, out;
  fs::copy_file(kExamples + "/passives.lib", in.file("p.lib"));
  std::string dcm = "EESchema-DOCLIB  Version 2.0\n$CMP R\nD ";
  for (int i = 0; i < 40000; ++i) dcm += "resistor ";
  testing::writeBytes(in.file("p.dcm"), dcm + "\nK res\n$ENDCMP\n#End Doc Library\n");
  // The fine catalog and the prepared pages of both kinds.
  const std::vector<std::vector<std::string>> commands = {
      {"catalog", in.file("p.lib"), "--kind", "list", "--fine", "-o", out.file("fine.pdf")},
      {"catalog", in.file("p.lib"), "--kind", "list", "-o", out.file("list.pdf")},
      {"catalog", in.file("p.lib"), "--kind", "drawings", "-o", out.file("drawings.pdf")}};
  for (const auto& command : commands) {
    const auto result = runCli(command);
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string warning = "R: description cut after 4096 characters";
    const size_t at = result.err.find(warning);
    EXPECT_NE(at, std::string::npos) << command.back() << ": " << result.err;
    EXPECT_EQ(result.err.find(warning, at + 1), std::string::npos) << "named once";
  }
  EXPECT_EQ(out.fileCount(), commands.size());
}

TEST(CliOutputs, ASymbolThatCannotBeReadIsNamedByEveryCommandThatLeavesItOut) {
  OutputFolder in, out;
  testing::writeBytes(in.file("odd.kicad_sym"),
                      "(kicad_symbol_lib (version 20211014) (generator test)\n"
                      "  (symbol \"Big\" (symbol \"Big_1_1\" (circle (center 1e8 0) (radius 1))))\n"
                      "  (symbol \"Ok\" (symbol \"Ok_1_1\" (rectangle (start 0 0) (end 1 1)))))\n");
  const std::string lib = in.file("odd.kicad_sym");
  const std::vector<std::vector<std::string>> commands = {
      {"list", lib},
      {"render-all", lib, "--no-write"},
      {"render-all", lib, "--format", "svg", "-o", out.path.string()},
      {"index", in.path.string()},
      {"catalog", lib, "--kind", "drawings", "--fine", "-o", out.file("odd.pdf")},
  };
  for (const auto& args : commands) {
    SCOPED_TRACE(args[0] + " " + args.back());
    const auto result = runCli(args);
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find("line 2, column 51: a value out of range (symbol \"Big\" skipped)"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("odd.kicad_sym"), std::string::npos) << result.err;
  }
  EXPECT_EQ(runCli({"list", lib}).out, "Ok\n");  // the rest is still there
}

}  // namespace
}  // namespace quiral
