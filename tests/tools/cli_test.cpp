#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "cli_runner.h"

namespace quiral {
namespace {

using testing::runCli;

const std::string kData = std::string(QUIRAL_TEST_DATA_DIR) + "/library/";
const std::string kExamples = std::string(QUIRAL_EXAMPLES_DIR) + "/";

TEST(CliList, PrintsEntriesAsListed) {
  auto r = runCli({"list", kData + "three_cr.lib"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "R_Small\nLED\nQ_NPN\n");
  EXPECT_EQ(r.err, "");

  r = runCli({"list", kData + "nul_bytes.lib"});
  EXPECT_EQ(r.out, std::string("NU\0L\nPlain\n", 11));

  r = runCli({"list", kData + "no_def.lib"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
}

TEST(CliList, ListsEveryExample) {
  for (const char* lib : {"passives.lib", "74xx_gates.lib", "analog_mcu.lib"}) {
    auto r = runCli({"list", kExamples + lib});
    EXPECT_EQ(r.status, 0) << lib << r.err;
    EXPECT_GE(std::count(r.out.begin(), r.out.end(), '\n'), 3) << lib;
  }
}

TEST(CliList, AliasesFollowTheirSymbolsAndPinsPrintTheTableInThreeForms) {
  auto r = runCli({"list", kExamples + "74xx_gates.lib", "--aliases"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, 61),
            "74LS00\n74HC00\talias of 74LS00\n74HCT00\talias of 74LS00\n74LS08\n");
  EXPECT_EQ(runCli({"list", kExamples + "74xx_gates.lib", "--aliased"}).status, 2);

  r = runCli({"pins", kExamples + "74xx_gates.lib", "74HC00"});  // an alias shows its symbol's
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n', r.out.find('\n') + 1) + 1),
            "number\tname\ttype\tshape\tunit\tstyle\tx\ty\torientation\tlength\n"
            "14\tVCC\tpower input\tline\t5\t0\t0\t400\tdown\t150\n");
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 15);
  r = runCli({"pins", kData + "gates.kicad_sym", "NAND", "--csv"});
  EXPECT_NE(r.out.find("\n3,~,output,inverted,1,1,"), std::string::npos) << r.out;
  r = runCli({"pins", kData + "gates.kicad_sym", "NAND", "--json"});
  EXPECT_EQ(
      r.out.rfind("[\n  {\"number\": \"14\", \"name\": \"VCC\", \"type\": \"power input\"", 0), 0u);
  EXPECT_EQ(r.out.substr(r.out.size() - 4), "}\n]\n");
  r = runCli({"pins", kData + "gates.kicad_sym", "NOPE"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("NOPE"), std::string::npos);
}

TEST(CliBlock, SelectsByExactNameOrIndex) {
  auto r = runCli({"block", kData + "duplicates.lib", "dup"});
  EXPECT_EQ(r.status, 0) << r.err;
  // "dup" is entry 3, and showing it finds the first block of that name in any case.
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "DEF DUP A 0 40 Y Y 1 F N");

  r = runCli({"block", kData + "three_crlf.lib", "--index", "2"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find('\r'), std::string::npos);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "DEF Q_NPN Q 0 40 Y Y 1 F N");
  EXPECT_TRUE(r.out.ends_with("\nENDDEF\n"));

  r = runCli({"block", kData + "lowercase_def.lib", "Indented"});
  EXPECT_EQ(r.out, "  DEF Indented U 0 40 Y Y 1 F N\n  F0 \"U\" 0 0 50 H V C CNN\n  ENDDEF\n");
}

TEST(CliBlock, NoSuchEntryOrFileFails) {
  auto r = runCli({"block", kData + "duplicates.lib", "Dup"});  // the name is compared exactly
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err, "");

  r = runCli({"block", kData + "duplicates.lib", "--index", "4"});
  EXPECT_EQ(r.status, 1);

  r = runCli({"block", kData + "missing.lib", "R"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(std::strerror(ENOENT)), std::string::npos) << r.err;

  r = runCli({"list", std::string(QUIRAL_TEST_DATA_DIR)});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(std::strerror(EISDIR)), std::string::npos) << r.err;
}

TEST(CliTokens, CountThenOneTabSeparatedLinePerToken) {
  auto r = runCli({"tokens", "F0 \"a\\b\" 0\t1 -150 \"open"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "5\n1\tWord\tF0\n2\tWord\ta\\x5Cb\n3\tWord\t0\\x091\n4\tNumber\t-150\n"
            "5\tOpenQuote\topen\n");
  r = runCli({"tokens", "   "});
  EXPECT_EQ(r.out, "0\n");
}

TEST(CliArguments, BadArgumentsExitWithUsage) {
  for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                {"nonsense"},
                                                                {"list"},
                                                                {"list", "a", "b"},
                                                                {"block", "a.lib"},
                                                                {"block", "a.lib", "--index"},
                                                                {"block", "a.lib", "--index", "-1"},
                                                                {"block", "a.lib", "--index", "2x"},
                                                                {"block", "a.lib", "R", "--colour"},
                                                                {"tokens"}}) {
    auto r = runCli(args);
    EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
    EXPECT_NE(r.err.find("usage"), std::string::npos) << ::testing::PrintToString(args);
    EXPECT_EQ(r.out, "");
  }
  auto version = runCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "quiral-cli " QUIRAL_VERSION "\n");
  auto help = runCli({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* command : {"list LIB", "block LIB NAME", "tokens LINE"}) {
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
  }
}

}  // namespace
}  // namespace quiral
