// quiral-cli search: output, exit statuses like grep's, the cache's place and --no-cache.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "cli_runner.h"
#include "tests/search/search_fixture.h"

namespace quiral::testing {
namespace {

class CliSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(dir.path() / "libs");
    writeBytes(lib("Parts.lib"), kPartsLib);
    writeBytes(lib("Parts.dcm"), kPartsDcm);
    writeBytes(lib("Opto.lib"), kOptoLib);
    setenv("XDG_CACHE_HOME", dir.file("cache").c_str(), 1);
  }
  void TearDown() override { unsetenv("XDG_CACHE_HOME"); }
  std::string lib(const std::string& name) const { return (dir.path() / "libs" / name).string(); }
  CliResult search(std::vector<std::string> args) const {
    args.insert(args.begin(), {"search", (dir.path() / "libs").string()});
    return runCli(args);
  }

  TempDir dir;
};

TEST_F(CliSearchTest, PrintsMatchesBestFirstAndExitsLikeGrep) {
  CliResult r = search({"usb", "c"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Parts:USB_C_Receptacle\tUSB 2.0-only Type-C Receptacle\n");
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.file("cache/quiral/search.sqlite3")));

  r = search({"opto", "--limit", "2"});
  EXPECT_EQ(r.out, "Opto:OPTO\t\nParts:OPTO_SENSOR\t\n");

  // Query characters and words that mean something to search engines are plain text.
  r = search({"\"usb", "c\"", "*", "(", ")"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Parts:USB_C_Receptacle\tUSB 2.0-only Type-C Receptacle\n");
  r = search({"NEAR", "-", "^:'"});
  EXPECT_EQ(r.status, 1) << r.err;

  r = search({"lm359"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("did you mean Parts:LM358?"), std::string::npos) << r.err;

  // Named libraries, and a query after "--" that looks like a library.
  r = runCli({"search", lib("Opto.lib"), "--", "Parts.lib"});
  EXPECT_EQ(r.status, 1) << r.err;
  r = runCli({"search", lib("Opto.lib"), lib("Parts.lib"), "k8170", "--no-cache"});
  EXPECT_EQ(r.out, "Opto:K8170\t\n");

  for (const std::vector<std::string>& bad : {std::vector<std::string>{"search"},
                                              {"search", lib("Opto.lib")},
                                              {"search", "opto"},
                                              {"search", lib("Opto.lib"), "x", "--limit", "many"},
                                              {"search", lib("Opto.lib"), "--x", "a"}}) {
    r = runCli(bad);
    EXPECT_EQ(r.status, 2) << bad.back();
    EXPECT_NE(r.err.find("usage: quiral-cli search"), std::string::npos);
  }
}

TEST_F(CliSearchTest, JsonHasEveryFactAndUnreadableLibrariesAreNamed) {
  writeBytes(lib("Broken.kicad_sym"), "(kicad_symbol_lib\n (symbol");
  CliResult r = search({"lm2904", "--json", "--no-cache"});
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string path = std::filesystem::absolute(lib("Parts.lib")).lexically_normal().string();
  EXPECT_EQ(r.out,
            "[\n  {\"library\": \"Parts\", \"name\": \"LM2904\", \"alias_of\": \"LM358\", "
            "\"description\": \"\", \"keywords\": \"\", \"footprint_filters\": "
            "\"SOIC*3.9x4.9mm* DIP*W7.62mm*\", \"unit_count\": 2, \"pin_count\": 3, "
            "\"path\": \"" +
                path + "\"}\n]\n");
  EXPECT_NE(r.err.find("Broken.kicad_sym"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("cache")));

  r = runCli({"search", lib("Broken.kicad_sym"), "lm2904"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("line 2"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace quiral::testing
