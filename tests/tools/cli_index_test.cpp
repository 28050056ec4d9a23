#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli_runner.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

using testing::runCli;

class CliIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    write("b.lib", "DEF 74LS00 U 0 40 Y Y 4 L N\r\nALIAS 74HC00\r\nENDDEF\r\n");
    write("a.LIB", "DEF r R 0 0 N Y 1 F N\nENDDEF\n");
    write("x.dcm", "DEF IGNORED\n");
  }
  void write(const char* name, const std::string& bytes) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
  }
  quiral::testing::TempDir dir;
  const std::filesystem::path folder = dir.path();
};

TEST_F(CliIndex, PrintsTheCountsAndTheNamesInEitherOrder) {
  auto r = runCli({"index", folder.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Modelos: 2 Componentes: 3\n"
            "74HC00\tb.lib\t2\n74LS00\tb.lib\t2\nR\ta.LIB\t1\n");
  r = runCli({"index", "--sort", "lib", folder.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Modelos: 2 Componentes: 3\n"
            "R\ta.LIB\t1\n74HC00\tb.lib\t2\n74LS00\tb.lib\t2\n");
}

TEST_F(CliIndex, FindPrintsTheBlockOfTheFirstMatchingName) {
  auto r = runCli({"index", folder.string(), "--find", "74hc"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Modelos: 2 Componentes: 3\n"
            "DEF 74LS00 U 0 40 Y Y 4 L N\nALIAS 74HC00\nENDDEF\n");
  r = runCli({"index", folder.string(), "--find", "Q"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no name begins with \"Q\""), std::string::npos) << r.err;
}

TEST_F(CliIndex, FindOfANameWithoutBlockSaysSoInsteadOfFailing) {
  // The folder's only library holds an ALIAS line and no DEF: its name has no block.
  for (const char* name : {"b.lib", "a.LIB"}) std::filesystem::remove(folder / name);
  write("c.lib", "ALIAS ORPHAN\n");
  auto r = runCli({"index", folder.string(), "--find", "orph"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Modelos: 0 Componentes: 1\n");
  EXPECT_NE(r.err.find("\"ORPHAN\" has no block"), std::string::npos) << r.err;
}

TEST_F(CliIndex, RefusesBadArgumentsAndMissingFolders) {
  EXPECT_EQ(runCli({"index"}).status, 2);
  EXPECT_EQ(runCli({"index", folder.string(), "--sort", "name"}).status, 2);
  EXPECT_EQ(runCli({"index", folder.string(), "--find"}).status, 2);
  EXPECT_EQ(runCli({"index", (folder / "missing").string()}).status, 1);
}

}  // namespace
}  // namespace quiral
