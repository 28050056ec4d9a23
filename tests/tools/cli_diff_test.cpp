#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli_runner.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

using testing::OutputFolder;
using testing::readBytes;
using testing::runCli;

const std::string kModern = std::string(QUIRAL_TEST_DATA_DIR) + "/library/gates.kicad_sym";
const std::string kPassives = std::string(QUIRAL_EXAMPLES_DIR) + "/passives.lib";

// passives.lib with one pin of its first symbol moved, written beside its documentation.
std::string changedCopy(const OutputFolder& out) {
  std::string text = testing::readBytes(kPassives);
  const size_t pin = text.find("\nX ");
  const size_t end = text.find('\n', pin + 1);
  std::string line = text.substr(pin + 1, end - pin - 1);
  // X name number x y ...: the y of the pin goes up by 50.
  size_t at = 0;
  for (int field = 0; field < 4; ++field) at = line.find(' ', at) + 1;
  const size_t yEnd = line.find(' ', at);
  const int y = std::stoi(line.substr(at, yEnd - at));
  line.replace(at, yEnd - at, std::to_string(y + 50));
  text.replace(pin + 1, end - pin - 1, line);
  const std::string path = out.file("passives.lib");
  testing::writeBytes(path, text);
  std::filesystem::copy_file(std::string(QUIRAL_EXAMPLES_DIR) + "/passives.dcm",
                             out.file("passives.dcm"));
  return path;
}

TEST(CliDiff, ExitStatusesAreThoseOfDiff) {
  OutputFolder out;
  const std::string changed = changedCopy(out);
  // The same file, and a modern library against its own conversion: nothing differs.
  auto r = runCli({"diff", kPassives, kPassives});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  const std::string converted = out.file("gates.lib");
  ASSERT_EQ(runCli({"convert", kModern, "-o", converted}).status, 0);
  r = runCli({"diff", kModern, converted});
  EXPECT_EQ(r.status, 0) << r.out << r.err;

  r = runCli({"diff", kPassives, changed});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.out.find("passives: "), std::string::npos);
  EXPECT_NE(r.out.find(": pin moved: "), std::string::npos) << r.out;
  r = runCli({"diff", kPassives, changed, "--json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.rfind("[\n  {\"library\": \"passives\", \"symbol\": ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\"change\": \"changed\", \"differences\": [{\"what\": \"pin moved\""),
            std::string::npos);

  // Trouble: a side missing or damaged (named, nothing written), a folder against a file, bad
  // arguments.
  const std::string report = out.file("r.html");
  r = runCli({"diff", kPassives, out.file("none.lib"), "-o", report});
  EXPECT_EQ(r.status, 2);
  // The system's own words for the failure follow the path (in the user's language).
  EXPECT_EQ(r.err.rfind("quiral-cli diff: " + out.file("none.lib") + ": ", 0), 0u) << r.err;
  const std::string broken = out.file("broken.kicad_sym");
  testing::writeBytes(broken, "(kicad_symbol_lib (symbol \"A\"");
  r = runCli({"diff", broken, kModern, "-o", report});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("quiral-cli diff: " + broken + ": line 1", 0), 0u) << r.err;
  EXPECT_FALSE(std::filesystem::exists(report));
  r = runCli({"diff", out.path.string(), kPassives});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("cannot compare a folder with a file"), std::string::npos);
  EXPECT_EQ(runCli({"diff", kPassives}).status, 2);
  EXPECT_EQ(runCli({"diff", kPassives, changed, "-o", out.file("r.txt")}).status, 2);
}

TEST(CliDiff, ReportsAreWrittenWholeAndRefusedWhereNoFileCanBe) {
  OutputFolder out;
  const std::string changed = changedCopy(out);
  const std::string html = out.file("r.html"), pdf = out.file("r.PDF");
  EXPECT_EQ(runCli({"diff", kPassives, changed, "-o", html}).status, 1);
  EXPECT_EQ(runCli({"diff", kPassives, changed, "-o", pdf}).status, 1);
  EXPECT_EQ(testing::readBytes(html).rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(testing::readBytes(pdf).rfind("%PDF-", 0), 0u);
  const size_t files = out.fileCount();
  // A target that is a device (through a link) or in a missing folder: refused, nothing new.
  std::filesystem::create_symlink("/dev/null", out.file("null.html"));
  auto r = runCli({"diff", kPassives, changed, "-o", out.file("null.html")});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
  r = runCli({"diff", kPassives, changed, "-o", out.file("missing/r.html")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(out.fileCount(), files + 1);  // the link only
}

TEST(CliText, OneStableLinePerFactWhateverTheBlocksOrder) {
  OutputFolder out;
  // The library with its first two blocks swapped.
  std::string text = testing::readBytes(kPassives);
  const size_t first = text.find("\nDEF "), second = text.find("\nDEF ", first + 1);
  const size_t third = text.find("\nDEF ", second + 1);
  ASSERT_NE(third, std::string::npos);
  const std::string swapped = text.substr(0, first) + text.substr(second, third - second) +
                              text.substr(first, second - first) + text.substr(third);
  testing::writeBytes(out.file("swapped.lib"), swapped);
  std::filesystem::copy_file(std::string(QUIRAL_EXAMPLES_DIR) + "/passives.dcm",
                             out.file("swapped.dcm"));
  const auto a = runCli({"text", kPassives}), b = runCli({"text", out.file("swapped.lib")});
  EXPECT_EQ(a.status, 0) << a.err;
  EXPECT_EQ(a.out, b.out);
  EXPECT_NE(a.out.find("symbol C\n"), std::string::npos);
  EXPECT_NE(a.out.find("\nC: pin unit "), std::string::npos);
  // A legacy library's documentation is a file of its own, converted (or not) by itself.
  EXPECT_EQ(a.out.find("description"), std::string::npos) << a.out;
  EXPECT_EQ(runCli({"text", out.file("none.lib")}).status, 1);
}

}  // namespace
}  // namespace quiral
