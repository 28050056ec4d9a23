// quiral-cli's unit and body-style choices: --unit, --style, the units in --info and the files of
// render-all --all-units.

#include <gtest/gtest.h>

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

// A two-unit gate with a De Morgan body, and a block whose DEF line claims 10,000 units.
std::string writeFixture(const OutputFolder& folder) {
  const std::string path = (folder.path / "dm.lib").string();
  std::ofstream(path) << "EESchema-LIBRARY Version 2.4\n"
                         "DEF NAND U 0 40 Y Y 2 L N\nDRAW\n"
                         "S -100 -100 100 100 0 1 10 f\nC 0 0 100 0 2 10 N\n"
                         "X A 1 -200 0 100 R 50 50 1 0 I\nX B 2 -200 0 100 R 50 50 2 0 I\n"
                         "ENDDRAW\nENDDEF\n"
                         "DEF MANY U 0 40 Y Y 10000 L N\nDRAW\nS 0 0 100 100 0 0 10 N\n"
                         "ENDDRAW\nENDDEF\n#\n#End Library\n";
  return path;
}

TEST(CliUnits, RenderDrawsTheChosenUnitAndRefusesOnesTheSymbolLacks) {
  OutputFolder out;
  const std::string a = (out.path / "a.png").string();
  const std::string power = (out.path / "e.png").string();
  ASSERT_EQ(runCli({"render", kGates, "74LS00", "-o", a}).status, 0);
  auto r = runCli({"render", kGates, "74LS00", "--unit", "5", "-o", power, "--info"});
  ASSERT_EQ(r.status, 0) << r.err;
  // The power unit is the rectangle with its two pins: another picture than unit A's gate.
  EXPECT_NE(readPng(a).width(), readPng(power).width());
  EXPECT_NE(r.out.find("\"unit_count\": 5, \"de_morgan\": false, "
                       "\"unit_names\": [\"A\", \"B\", \"C\", \"D\", \"E\"]"),
            std::string::npos)
      << r.out;
  const std::string svg = (out.path / "b.svg").string();
  EXPECT_EQ(runCli({"render", kGates, "74LS00", "--unit", "2", "-o", svg}).status, 0);
  EXPECT_TRUE(std::filesystem::exists(svg));

  EXPECT_EQ(runCli({"render", kGates, "74LS00", "--unit", "6", "--info"}).status, 1);
  r = runCli({"render", kGates, "74LS00", "--style", "2", "--info"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no De Morgan"), std::string::npos) << r.err;
  for (const char* bad : {"0", "-1", "abc", "677", "2147483648"})
    EXPECT_EQ(runCli({"render", kGates, "74LS00", "--unit", bad, "--info"}).status, 2) << bad;
  EXPECT_EQ(runCli({"render", kGates, "74LS00", "--style", "3", "--info"}).status, 2);
}

TEST(CliUnits, InfoBoundsAHostileUnitCountAndNamesUnitsPastZ) {
  OutputFolder in;
  const std::string lib = writeFixture(in);
  auto r = runCli({"render", lib, "MANY", "--unit", "676", "--info"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"unit_count\": 676"), std::string::npos);
  EXPECT_NE(r.out.find("\"Z\", \"AA\", \"AB\""), std::string::npos);
  EXPECT_NE(r.out.find("\"YZ\"]"), std::string::npos);
  r = runCli({"render", lib, "NAND", "--style", "2", "--info"});
  EXPECT_NE(r.out.find("\"de_morgan\": true"), std::string::npos) << r.out << r.err;
}

TEST(CliUnits, RenderAllWritesOneFilePerUnitAndBodyStyle) {
  OutputFolder in, out;
  const std::string lib = writeFixture(in);
  std::filesystem::remove(lib);
  std::ofstream(lib) << "EESchema-LIBRARY Version 2.4\n"
                        "DEF NAND U 0 40 Y Y 2 L N\nDRAW\n"
                        "S -100 -100 100 100 0 1 10 f\nC 0 0 100 0 2 10 N\n"
                        "X A 1 -200 0 100 R 50 50 1 0 I\nX B 2 200 0 100 L 50 50 2 0 I\n"
                        "ENDDRAW\nENDDEF\n#End Library\n";
  auto r = runCli({"render-all", lib, kGates, "--all-units", "-o", out.path.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  // NAND: A, A-dm, B, B-dm; the gates: 5 + 5 + 5 + 7 + 3 units.
  EXPECT_EQ(out.fileCount(), 4u + 25u);
  for (const char* name :
       {"dm-0000-NAND-A.png", "dm-0000-NAND-A-dm.png", "dm-0000-NAND-B.png",
        "dm-0000-NAND-B-dm.png", "74xx_gates-0000-74LS00-E.png", "74xx_gates-0003-74LS04-G.png"})
    EXPECT_TRUE(std::filesystem::exists(out.path / name)) << name;
  // Unit B's pin points the other way from unit A's, and only the De Morgan body has the circle.
  const auto bytesOf = [&](const char* name) {
    return testing::readBytes((out.path / name).string());
  };
  EXPECT_NE(bytesOf("dm-0000-NAND-A-dm.png"), bytesOf("dm-0000-NAND-B-dm.png"));
  EXPECT_NE(bytesOf("dm-0000-NAND-B.png"), bytesOf("dm-0000-NAND-B-dm.png"));
  EXPECT_FALSE(std::filesystem::exists(out.path / "74xx_gates-0000-74LS00-A-dm.png"));

  OutputFolder vectors;
  r = runCli({"render-all", lib, "--all-units", "--format", "svg", "-o", vectors.path.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(vectors.path / "dm-0000-NAND-B-dm.svg"));
  EXPECT_EQ(vectors.fileCount(), 4u);
}

}  // namespace
}  // namespace quiral
