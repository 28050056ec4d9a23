#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli_runner.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

using testing::readBytes;
using testing::runCli;

const std::string kModern = std::string(QUIRAL_TEST_DATA_DIR) + "/library/gates.kicad_sym";

struct OutFolder {
  quiral::testing::TempDir dir;
  const std::string path = dir.path().string();
};

TEST(CliConvert, WritesTheLibraryAndItsDocumentationThatTheOtherCommandsRead) {
  OutFolder out;
  const std::string lib = out.path + "/gates.lib";
  auto r = runCli({"convert", kModern, "-o", lib});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "quiral-cli convert: warning: " + std::string(kModern) +
                       ": line 44, column 3: \"NAND_B\" becomes an alias of "
                       "\"NAND\", which cannot hold its own footprint \"Package_SO:SO-14\"\n");
  const std::string legacy = testing::readBytes(lib),
                    documentation = testing::readBytes(out.path + "/gates.dcm");
  EXPECT_EQ(legacy.rfind("EESchema-LIBRARY Version 2.4\n#encoding utf-8\n", 0), 0u);
  EXPECT_EQ(legacy.substr(legacy.size() - 15), "#\n#End Library\n");
  EXPECT_EQ(
      documentation.rfind("EESchema-DOCLIB  Version 2.0\n#\n$CMP NAND\nD two-input gate\n", 0), 0u);

  // The round trip: the legacy file lists and shows what the modern one does.
  for (const char* command : {"list", "block"}) {
    std::vector<std::string> args{command, kModern};
    if (std::string(command) == "block") args.push_back("R");
    const auto fromModern = runCli(args);
    args[1] = lib;
    const auto fromLegacy = runCli(args);
    EXPECT_EQ(fromModern.status, 0) << fromModern.err;
    EXPECT_EQ(fromModern.out, fromLegacy.out) << command;
  }
  const auto modernView = runCli({"render", kModern, "NAND", "--info"});
  EXPECT_EQ(modernView.out, runCli({"render", lib, "NAND", "--info"}).out);
  EXPECT_NE(modernView.out.find("\"alias\": \"ALIAS NAND_B\""), std::string::npos);
}

TEST(CliConvert, ABrokenLibraryFailsWithWhereAndLeavesTheOutputAlone) {
  OutFolder out;
  const std::string broken = out.path + "/broken.kicad_sym", lib = out.path + "/old.lib";
  {
    std::ofstream(broken) << "(kicad_symbol_lib\n  (symbol \"A\" (pin)))\n)";
    std::ofstream(lib) << "old";
  }
  auto r = runCli({"convert", broken, "-o", lib});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "quiral-cli: " + broken + ": line 3, column 1: a ')' closes no list\n");
  EXPECT_EQ(testing::readBytes(lib), "old");
  EXPECT_FALSE(std::filesystem::exists(out.path + "/old.dcm"));

  const std::string other = out.path + "/other.kicad_sym";
  { std::ofstream(other) << "(foo)"; }
  r = runCli({"convert", other, "-o", lib});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("quiral-cli: " + other + ": line 1, column 1: not a KiCad symbol", 0), 0u)
      << r.err;

  EXPECT_EQ(runCli({"convert", kModern}).status, 2);
  EXPECT_EQ(runCli({"convert", kModern, "-o", out.path + "/x.dcm"}).status, 2);
}

}  // namespace
}  // namespace quiral

namespace quiral {
namespace {

TEST(CliIndexModern, IndexesAModernLibraryByItsTranslation) {
  OutFolder out;
  std::filesystem::copy_file(kModern, out.path + "/gates.kicad_sym");
  auto r = runCli({"index", out.path});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Modelos: 2 Componentes: 3\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("NAND_B\tgates.kicad_sym"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace quiral
