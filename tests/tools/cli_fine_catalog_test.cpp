#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "cli_runner.h"

namespace quiral {
namespace {

namespace fs = std::filesystem;
using testing::OutputFolder;
using testing::runCli;

const std::string kExamples = QUIRAL_EXAMPLES_DIR;

// What a shell command prints on its standard output.
std::string commandOutput(const std::string& command) {
  std::string text;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    ::pclose(pipe);
  }
  return text;
}

// The text of a PDF with every run of white space made one space.
std::string pdfText(const std::string& pdf) {
  return std::regex_replace(commandOutput("pdftotext -raw '" + pdf + "' -"), std::regex("\\s+"),
                            " ");
}

// Names of the top-level outline entries and the number of entries under them.
std::pair<std::vector<std::string>, size_t> outline(const std::string& pdf) {
  const std::string script =
      "import json,sys\n"
      "o=json.load(sys.stdin)['outlines']\n"
      "print(sum(len(x['kids'])+sum(len(k['kids']) for k in x['kids']) for x in o))\n"
      "for x in o: print(x['title'])\n";
  std::istringstream lines(commandOutput("qpdf --json --json-key=outlines '" + pdf +
                                         "' | python3 -c \"" + script + "\""));
  size_t below = 0;
  lines >> below;
  std::vector<std::string> top;
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) top.push_back(line);
  return {top, below};
}

TEST(CliFineCatalog, DeviceDrawingsAreSearchableWithEmbeddedFontsAndAValidFile) {
  OutputFolder out;
  const std::string lib = std::string(QUIRAL_CORPUS_DIR) + "/kicad5/Device.lib";
  auto r = runCli({"catalog", lib, "--kind", "drawings", "--fine", "-o", out.file("d.pdf")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(std::system(("qpdf --check " + out.file("d.pdf") + " >/dev/null").c_str()), 0);
  const std::string fonts = commandOutput("pdffonts " + out.file("d.pdf") + " | tail -n +3");
  ASSERT_FALSE(fonts.empty());
  EXPECT_EQ(fonts.find(" no "), std::string::npos) << fonts;

  // Every component, alias and description of the library and its documentation.
  const std::string text = pdfText(out.file("d.pdf"));
  std::set<std::string> expected;
  std::ifstream library(lib), documentation(std::string(QUIRAL_CORPUS_DIR) + "/kicad5/Device.dcm");
  for (std::string line; std::getline(library, line);) {
    std::istringstream words(line);
    std::string first, word;
    words >> first;
    if (first == "DEF" && words >> word) expected.insert(word);
    if (first == "ALIAS")
      while (words >> word) expected.insert(word);
  }
  for (std::string line; std::getline(documentation, line);)
    if (line.rfind("D ", 0) == 0)
      expected.insert(std::regex_replace(line.substr(2), std::regex("\\s+$"), ""));
  ASSERT_GT(expected.size(), 900u);  // 507 names, the distinct descriptions
  for (const std::string& wanted : expected)
    EXPECT_NE(text.find(wanted), std::string::npos) << wanted;

  const auto [top, below] = outline(out.file("d.pdf"));
  EXPECT_EQ(top, std::vector<std::string>{"Device.lib"});
  EXPECT_EQ(below, 507u);  // 502 components and 5 aliases
}

TEST(CliFineCatalog, FolderSkipsWhatCannotBeReadNamesItAndSaysSo) {
  OutputFolder in, out;
  fs::copy_file(kExamples + "/74xx_gates.lib", in.file("74xx_gates.lib"));
  fs::copy_file(kExamples + "/74xx_gates.dcm", in.file("74xx_gates.dcm"));
  fs::copy_file(kExamples + "/passives.lib", in.file("passives.lib"));
  std::ofstream(in.file("broken.kicad_sym")) << "(kicad_symbol_lib (symbol \"X\"";
  std::ofstream(in.file("empty.lib")) << "EESchema-LIBRARY Version 2.4\n#End Library\n";
  // Named like libraries but no files to read: never passed over in silence.
  ASSERT_EQ(::mkfifo(in.file("pipe.lib").c_str(), 0644), 0);
  fs::create_directory(in.file("folder.lib"));
  fs::create_symlink(in.file("gone"), in.file("gone.lib"));
  auto r =
      runCli({"catalog", in.path.string(), "--kind", "list", "--fine", "-o", out.file("all.pdf")});
  EXPECT_EQ(r.status, 1);
  for (const char* skipped :
       {"broken.kicad_sym", "empty.lib", "pipe.lib", "folder.lib", "gone.lib"})
    EXPECT_NE(r.err.find(std::string(skipped) + ": skipped"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("2 libraries"), std::string::npos) << r.out;
  const auto [top, below] = outline(out.file("all.pdf"));
  EXPECT_EQ(top, (std::vector<std::string>{"74xx_gates.lib", "passives.lib"}));
  EXPECT_GT(below, 5u);
  EXPECT_NE(pdfText(out.file("all.pdf")).find("Biblioteca: passives.lib"), std::string::npos);
  EXPECT_EQ(out.fileCount(), 1u);
}

TEST(CliFineCatalog, HiddenValueNamesFindTheirDescriptionAndEveryAliasLineCounts) {
  OutputFolder in, out;
  std::ofstream(in.file("logo.lib"))
      << "EESchema-LIBRARY Version 2.4\n"
         "DEF ~Logo_Big #LOGO 0 40 Y Y 1 F N\nF0 \"#LOGO\" 0 0 50 H I C CNN\n"
         "ALIAS First Second\nALIAS Third\nDRAW\nS 0 0 100 100 0 1 0 N\nENDDRAW\nENDDEF\n"
         "#End Library\n";
  std::ofstream(in.file("logo.dcm"))
      << "EESchema-DOCLIB  Version 2.0\n$CMP Logo_Big\nD Big open hardware logo\n$ENDCMP\n"
         "$CMP Third\nD Named on the second alias line\n$ENDCMP\n#End Doc Library\n";
  auto r =
      runCli({"catalog", in.file("logo.lib"), "--kind", "list", "--fine", "-o", out.file("l.pdf")});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string text = pdfText(out.file("l.pdf"));
  for (const char* wanted : {"Logo_Big", "Big open hardware logo", "First", "Second", "Third",
                             "Named on the second alias line"})
    EXPECT_NE(text.find(wanted), std::string::npos) << wanted << " in " << text;
  EXPECT_EQ(text.find("~Logo"), std::string::npos) << text;
  EXPECT_EQ(outline(out.file("l.pdf")).second, 4u);  // the symbol and its three aliases
}

TEST(CliFineCatalog, EachAliasEntryLeadsToThePageThatPrintsItAlsoOnContinuedPages) {
  OutputFolder in, out;
  std::ofstream library(in.file("many.lib"));
  library << "EESchema-LIBRARY Version 2.4\nDEF MANY U 0 40 Y Y 1 F N\nF0 \"U\" 0 0 50 H V C CNN\n"
             "ALIAS";
  for (int i = 0; i < 700; ++i) library << " Alias_" << 1000 + i;
  library << "\nDRAW\nS 0 0 100 100 0 1 0 N\nENDDRAW\nENDDEF\n#End Library\n";
  library.close();
  auto r = runCli(
      {"catalog", in.file("many.lib"), "--kind", "drawings", "--fine", "-o", out.file("m.pdf")});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string script =
      "import json,sys\n"
      "for x in json.load(sys.stdin)['outlines']:\n"
      "  for k in x['kids']:\n"
      "    for a in k['kids']: print(a['title'], a['destpageposfrom1'])\n";
  std::istringstream entries(commandOutput("qpdf --json --json-key=outlines '" + out.file("m.pdf") +
                                           "' | python3 -c \"" + script + "\""));
  std::map<int, std::string> pages;  // the text of each page an entry leads to
  std::set<int> used;
  size_t count = 0;
  for (std::string title; entries >> title;) {
    int page = 0;
    entries >> page;
    ++count;
    used.insert(page);
    if (!pages.count(page))
      pages[page] = commandOutput("pdftotext -f " + std::to_string(page) + " -l " +
                                  std::to_string(page) + " '" + out.file("m.pdf") + "' -");
    EXPECT_NE(pages[page].find(title), std::string::npos) << title << " on page " << page;
  }
  EXPECT_EQ(count, 700u);
  EXPECT_GE(used.size(), 2u);  // the aliases go on over a continued piece
}

TEST(CliFineCatalog, NothingIsLeftWhenTheCatalogCannotBeMade) {
  OutputFolder in, out;
  std::ofstream(in.file("empty.lib")) << "EESchema-LIBRARY Version 2.4\n#End Library\n";
  auto r = runCli(
      {"catalog", in.file("empty.lib"), "--kind", "drawings", "--fine", "-o", out.file("e.pdf")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no components to catalog"), std::string::npos) << r.err;
  r = runCli({"catalog", kExamples + "/passives.lib", "--kind", "drawings", "--fine", "-o",
              out.file("no/such/folder.pdf")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(std::strerror(ENOENT)), std::string::npos) << r.err;
  EXPECT_EQ(out.fileCount(), 0u);

  for (const auto& args : std::vector<std::vector<std::string>>{
           {"catalog", in.path.string(), "--kind", "list", "-o", out.file("x.pdf")},  // no --fine
           {"catalog", kExamples + "/passives.lib", "--kind", "list", "--fine", "--qrp", "x.qrp",
            "-o", out.file("x.pdf")}}) {
    EXPECT_EQ(runCli(args).status, 2);
  }
  EXPECT_EQ(out.fileCount(), 0u);
}

// Three units: A and B each with a pin of their own, C with only what they share; and a hostile
// count of units.
constexpr char kUnits[] =
    "DEF HUGE U 0 40 Y Y 10000 L N\nS -100 100 100 -100 0 1 10 N\nENDDEF\n"
    "DEF TRIPLE U 0 40 Y Y 3 L N\nS -100 100 100 -100 0 1 10 N\n"
    "X PINOFUNITA 1 -300 0 200 R 50 50 1 1 I\nX PINOFUNITB 2 -300 0 200 R 50 50 2 1 I\nENDDEF\n";

TEST(CliFineCatalog, AMultiUnitCellShowsEveryUnitLabelledOrOnlyTheFirstOnRequest) {
  OutputFolder in, out;
  std::ofstream(in.file("units.lib")) << kUnits;
  std::vector<std::string> args{"catalog", in.file("units.lib"), "--kind", "drawings", "--fine",
                                "-o",      out.file("u.pdf")};
  ASSERT_EQ(runCli(args).status, 0);
  const std::string all = pdfText(out.file("u.pdf"));
  for (const char* wanted : {"PINOFUNITA", "PINOFUNITB", "A B C", "X Y Z +9974"})
    EXPECT_NE(all.find(wanted), std::string::npos) << wanted << " in " << all;

  args.push_back("--first-unit");
  ASSERT_EQ(runCli(args).status, 0);
  const std::string first = pdfText(out.file("u.pdf"));
  EXPECT_NE(first.find("PINOFUNITA"), std::string::npos) << first;
  for (const char* unwanted : {"PINOFUNITB", "A B C", "+9974"})
    EXPECT_EQ(first.find(unwanted), std::string::npos) << unwanted << " in " << first;

  // The prepared pages draw one unit already: the option belongs to the fine catalog only.
  args.erase(args.begin() + 4);  // --fine
  EXPECT_EQ(runCli(args).status, 2);
}

}  // namespace
}  // namespace quiral
