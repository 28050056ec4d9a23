#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "cli_runner.h"
#include "platform/png_writer.h"

namespace quiral {
namespace {

using testing::OutputFolder;
using testing::runCli;

const std::string kGates = std::string(QUIRAL_EXAMPLES_DIR) + "/74xx_gates.lib";

TEST(CliCatalog, WritesEachPageAsAPictureAndThePreparedReport) {
  OutputFolder out;
  auto r = runCli({"catalog", kGates, "--kind", "drawings", "--png", out.file("pages"), "--qrp",
                   out.file("gates.qrp")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kGates + ": 5 components, 1 page\n");
  EXPECT_EQ(r.err, "");
  const Bitmap picture = readPng(out.file("pages/page-001.png"));
  EXPECT_EQ(picture.width(), 794);
  EXPECT_EQ(picture.height(), 1123);
  EXPECT_FALSE(std::filesystem::exists(out.file("pages/page-002.png")));
  EXPECT_EQ(testing::readBytes(out.file("gates.qrp")).substr(0, 6), "QRPQrl");
}

TEST(CliCatalog, BadArgumentsGiveTheUsage) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"catalog", kGates, "--kind", "drawings"},                    // no output
           {"catalog", kGates, "--kind", "pictures", "--qrp", "x.qrp"},  // no such kind
           {"catalog", kGates, "--qrp", "x.qrp"},                        // no kind
           {"catalog", "--kind", "list", "--qrp", "x.qrp"},              // no library
           {"catalog", kGates, "--kind", "list", "-o"}}) {               // no name
    auto r = runCli(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_NE(r.err.find("usage: quiral-cli catalog LIB --kind drawings|list"), std::string::npos);
  }
}

TEST(CliCatalog, ExportsAPdfNamedAsThePreviewNamesIt) {
  OutputFolder out;
  std::filesystem::create_directories(out.file("out.d"));
  auto r = runCli({"catalog", kGates, "--kind", "drawings", "-o", out.file("out.d/report")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, out.file("out.d/report.PDF") + "\n" + kGates + ": 5 components, 1 page\n");
  EXPECT_EQ(r.err, "Page... 1 of 1\n");
  EXPECT_EQ(std::system(("qpdf --check " + out.file("out.d/report.PDF") + " >/dev/null").c_str()),
            0);

  r = runCli({"catalog", kGates, "--kind", "list", "-o", out.file("missing/list.pdf")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Page... 1 of 1\nError exporting report: " + out.file("missing/list.PDF") +
                       ": " + std::strerror(ENOENT) + "\n");

  // An output without a file name would be a hidden ".PDF".
  for (const std::string& name : {std::string(), out.file("out.d/")}) {
    r = runCli({"catalog", kGates, "--kind", "list", "-o", name});
    EXPECT_EQ(r.status, 1) << name;
    EXPECT_NE(r.err.find("needs a file name"), std::string::npos) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(".PDF"));
  EXPECT_FALSE(std::filesystem::exists(out.file("out.d/.PDF")));
}

TEST(CliCatalog, AnExportStoppedBySigtermLeavesNoSpoolFolderBehind) {
  OutputFolder out, temporary;
  const std::string err = out.file("err");
  std::vector<std::string> storage{
      QUIRAL_CLI,        "catalog",  std::string(QUIRAL_CORPUS_DIR) + "/kicad5/Device.lib",
      "--kind",          "drawings", "-o",
      out.file("device")};
  std::vector<char*> argv;
  for (std::string& arg : storage) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::string tmpdir = "TMPDIR=" + temporary.path.string();
  std::vector<char*> env{tmpdir.data()};
  for (char** e = environ; *e; ++e)
    if (std::string_view(*e).substr(0, 7) != "TMPDIR=") env.push_back(*e);
  env.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, QUIRAL_CLI, &actions, nullptr, argv.data(), env.data()), 0);
  posix_spawn_file_actions_destroy(&actions);
  // Midway: once the export has spooled a few pages.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (testing::readBytes(err).find("Page... 4 of") == std::string::npos &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  ASSERT_EQ(temporary.fileCount(), 1u) << "the export should be spooling now";
  ::kill(pid, SIGTERM);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << testing::readBytes(err);
  EXPECT_EQ(temporary.fileCount(), 0u);
  EXPECT_EQ(out.fileCount(), 1u);  // only the captured standard error
}

TEST(CliCatalog, AnEmptyOrMissingLibraryFails) {
  OutputFolder out;
  std::filesystem::create_directories(out.path);
  { std::ofstream(out.file("empty.lib")) << "EESchema-LIBRARY Version 2.4\n"; }
  auto r = runCli({"catalog", out.file("empty.lib"), "--kind", "list", "--qrp", out.file("e.qrp")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "quiral-cli: " + out.file("empty.lib") + ": no components to catalog\n");
  EXPECT_FALSE(std::filesystem::exists(out.file("e.qrp")));
  r = runCli({"catalog", out.file("none.lib"), "--kind", "list", "--qrp", out.file("e.qrp")});
  EXPECT_EQ(r.status, 1);
}

TEST(CliCatalog, NamesEveryCellCutAtTheBottomOfItsColumn) {
  OutputFolder out;
  auto r = runCli({"catalog", std::string(QUIRAL_CORPUS_DIR) + "/kicad5/Transistor_FET.lib",
                   "--kind", "drawings", "--qrp", out.file("fet.qrp")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("quiral-cli: warning: cell 26 (CSD17578Q5A) on page 6, column 2 needs"),
            std::string::npos)
      << r.err;
}

}  // namespace
}  // namespace quiral
