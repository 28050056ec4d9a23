// quiral-cli site: its arguments, a site written and written again, and the targets refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/tools/cli_runner.h"

namespace quiral::testing {
namespace {

TEST(CliSiteTest, WritesTheExamplesReplacesItsOwnSiteAndRefusesOthers) {
  const TempDir dir;
  const std::string site = dir.file("site");
  CliResult run = runCli({"site", QUIRAL_EXAMPLES_DIR, "-o", site, "--title", "Examples"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(site + ": 3 libraries, "), std::string::npos) << run.out;
  for (const char* file :
       {"index.html", "passives.html", "style.css", "site.js", "search-index.js", ".quiral-site"})
    EXPECT_TRUE(std::filesystem::is_regular_file(site + "/" + file)) << file;
  EXPECT_NE(readBytes(site + "/index.html").find("<h1>Examples</h1>"), std::string::npos);

  // Written again over itself; then a file and a folder of the user's are refused untouched.
  run = runCli({"site", QUIRAL_EXAMPLES_DIR "/passives.lib", "-o", site});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(std::filesystem::exists(site + "/74xx_gates.html"));
  EXPECT_NE(readBytes(site + "/index.html").find("<h1>passives</h1>"), std::string::npos);
  writeBytes(site + "/notes.txt", "mine");
  run = runCli({"site", QUIRAL_EXAMPLES_DIR, "-o", site});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("notes.txt"), std::string::npos) << run.err;
  EXPECT_EQ(readBytes(site + "/notes.txt"), "mine");
  run = runCli({"site", QUIRAL_EXAMPLES_DIR, "-o", site + "/notes.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("is no folder"), std::string::npos) << run.err;

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"site", QUIRAL_EXAMPLES_DIR},
        {"site", "-o", site},
        {"site", QUIRAL_EXAMPLES_DIR, "-o", site, "--bogus"},
        {"site", QUIRAL_EXAMPLES_DIR, "-o"}})
    EXPECT_EQ(runCli(args).status, 2) << args.back();
}

}  // namespace
}  // namespace quiral::testing
