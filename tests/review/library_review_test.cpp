#include "review/library_review.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "kicad_sym/library_translation.h"
#include "platform/error.h"
#include "review/library_reading.h"
#include "review/review_words.h"
#include "review/text_facts.h"
#include "tests/support/corpus_libraries.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

using testing::TempDir;
using testing::writeBytes;

std::string block(const std::string& name, const std::string& pins, const std::string& alias = "") {
  std::string text = "DEF " + name + " R 0 0 N Y 1 F N\nF0 \"R\" 80 0 50 V V C CNN\nF1 \"" + name +
                     "\" 0 0 50 V V C CNN\n";
  if (!alias.empty()) text += "ALIAS " + alias + "\n";
  return text + "DRAW\nS -40 -100 40 100 0 1 10 N\n" + pins + "ENDDRAW\nENDDEF\n";
}

const std::string kPins = "X ~ 1 0 150 50 D 50 50 1 1 P\nX ~ 2 0 -150 50 U 50 50 1 1 P\n";

std::string library(const std::string& blocks) {
  return "EESchema-LIBRARY Version 2.4\n#encoding utf-8\n" + blocks + "#End Library\n";
}

struct Sides {
  TempDir dir;
  std::string write(const std::string& name, const std::string& text) {
    writeBytes(dir.file(name), text);
    return dir.file(name);
  }
  Review review(const std::string& before, const std::string& after) {
    return reviewPaths(write("old.lib", library(before)), write("new.lib", library(after)));
  }
};

TEST(LibraryReview, SymbolsAndAliasesAddedRemovedAndRenamed) {
  Sides sides;
  const std::string moved = "X ~ 1 0 200 50 D 50 50 1 1 P\nX ~ 2 0 -150 50 U 50 50 1 1 P\n";
  const Review review =
      sides.review(block("R_US", kPins, "RES OLDNAME") + block("C", kPins + "C 0 0 9 0 1 0 N\n") +
                       block("L", kPins) + block("Gone", "X A 1 0 0 100 R 50 50 1 1 I\n"),
                   block("R2", kPins, "RES NEWNAME") + block("C", moved + "C 0 0 9 0 1 0 N\n") +
                       block("L", kPins) + block("Fresh", "X B 1 0 0 100 R 50 50 1 1 O\n"));
  // The unchanged content under a new name is a rename, its value following the name included;
  // a changed one is told by its differences; the alias of the same root with the same
  // documentation under a new name is renamed too.
  EXPECT_EQ(reviewWords(review),
            "new: C: pin moved: 1: (0, 150) -> (0, 200)\n"
            "new: Fresh: added\n"
            "new: Gone: removed\n"
            "new: NEWNAME: alias renamed from OLDNAME\n"
            "new: R2: renamed from R_US\n");
  EXPECT_TRUE(review.warnings.empty());
  // The pictures need both sides' blocks.
  EXPECT_NE(review.entries[0].oldBlock.find("0 150"), std::string::npos);
  EXPECT_NE(review.entries[0].newBlock.find("0 200"), std::string::npos);
}

TEST(LibraryReview, DuplicateNamesAreToldAndComparedInOrder) {
  Sides sides;
  const std::string twice = block("R", kPins) + block("R", kPins);
  const Review same = sides.review(twice, twice);
  EXPECT_TRUE(same.entries.empty());
  ASSERT_EQ(same.warnings.size(), 2u);
  EXPECT_NE(same.warnings[0].find("\"R\" is defined 2 times; compared in order"),
            std::string::npos);

  const Review changed =
      sides.review(twice, block("R", kPins) + block("R", kPins + "C 0 0 9 0 1 0 N\n"));
  EXPECT_EQ(reviewWords(changed), "new: R [2]: graphic added: circle at (0, 0) radius 9\n");
  EXPECT_NE(reviewJson(changed).find("\"symbol\": \"R\", \"occurrence\": 2"), std::string::npos);

  const Review third = sides.review(twice, twice + block("R", kPins));
  EXPECT_EQ(reviewWords(third),
            "new: duplicate name: \"R\": defined 2 -> 3 times\nnew: R [3]: added\n");
}

TEST(LibraryReview, DocumentationIsComparedOnlyWhereBothSidesHaveIt) {
  Sides sides;
  const std::string docs = "EESchema-DOCLIB  Version 2.0\n$CMP R\nD Resistor\n$ENDCMP\n";
  sides.write("new.dcm", docs);
  Review review = sides.review(block("R", kPins), block("R", kPins));
  EXPECT_TRUE(review.entries.empty());
  ASSERT_EQ(review.warnings.size(), 1u);
  EXPECT_NE(review.warnings[0].find("old.lib: no documentation file beside it"), std::string::npos);
  sides.write("old.dcm", "EESchema-DOCLIB  Version 2.0\n$CMP R\nD Resistance\n$ENDCMP\n");
  review = sides.review(block("R", kPins), block("R", kPins));
  EXPECT_EQ(reviewWords(review), "new: R: description: \"Resistance\" -> \"Resistor\"\n");
}

TEST(LibraryReview, JsonHoldsTheEntriesAsData) {
  Sides sides;
  const Review review = sides.review(block("A\"B", kPins) + block("Q", kPins),
                                     block("N", kPins) + block("X", kPins + "C 0 0 9 0 1 0 N\n"));
  EXPECT_EQ(reviewJson(review),
            "[\n"
            "  {\"library\": \"new\", \"symbol\": \"A\\\"B\", \"change\": \"removed\", "
            "\"differences\": []},\n"
            "  {\"library\": \"new\", \"symbol\": \"N\", \"change\": \"renamed\", \"from\": "
            "\"Q\", \"differences\": []},\n"
            "  {\"library\": \"new\", \"symbol\": \"X\", \"change\": \"added\", "
            "\"differences\": []}\n"
            "]\n");
  EXPECT_EQ(reviewJson(Review{}), "[]\n");
}

TEST(LibraryReview, FoldersMatchLibrariesByNameWhateverTheirFormat) {
  TempDir a, b;
  const std::string modern = std::string(QUIRAL_TEST_DATA_DIR) + "/library/gates.kicad_sym";
  const TranslatedLibrary gates = translateModernLibraryFile(modern);
  std::filesystem::copy_file(modern, a.file("gates.kicad_sym"));
  writeBytes(b.file("gates.lib"), gates.libraryText);
  writeBytes(b.file("gates.dcm"), gates.documentationText);
  writeBytes(a.file("old.lib"), library(block("R", kPins)));
  writeBytes(b.file("new.lib"), library(block("R", kPins)));
  EXPECT_EQ(reviewWords(reviewPaths(a.path().string(), b.path().string())),
            "new: library added (symbols 1)\nold: library removed (symbols 1)\n");

  // A folder against a file, a missing side and a damaged one are refused, naming the path.
  auto refusal = [](const std::string& x, const std::string& y) {
    try {
      reviewPaths(x, y);
    } catch (const QuiralError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  EXPECT_NE(
      refusal(a.path().string(), b.file("new.lib")).find("cannot compare a folder with a file"),
      std::string::npos);
  EXPECT_NE(refusal(a.file("missing.lib"), b.file("new.lib")).find(a.file("missing.lib")),
            std::string::npos);
  writeBytes(b.file("cut.lib"), library(block("R", kPins)).substr(0, 120));
  EXPECT_EQ(refusal(a.file("old.lib"), b.file("cut.lib")),
            b.file("cut.lib") + ": line 6: the block of \"R\" has no ENDDEF");
  writeBytes(b.file("junk.lib"), "hello\n");
  EXPECT_NE(refusal(b.file("junk.lib"), a.file("old.lib")).find("not a KiCad symbol library"),
            std::string::npos);
}

// A real library with its blocks' records in reverse order reads as the same library: the same
// review (nothing) and the same text facts.
TEST(LibraryReview, ACorpusLibraryWithItsRecordsReorderedIsUnchanged) {
  const auto libraries = testing::corpusLibraries();
  ASSERT_FALSE(libraries.empty()) << "no corpus in " << QUIRAL_CORPUS_DIR;
  const std::string original = libraries.front();
  std::string text = testing::readBytes(original), reordered;
  std::vector<std::string> drawn;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start + 1);
    start = end + 1;
    if (line.rfind("ENDDRAW", 0) == 0) {
      for (auto it = drawn.rbegin(); it != drawn.rend(); ++it) reordered += *it;
      drawn.clear();
      reordered += line;
    } else if (!drawn.empty() || line.rfind("DRAW", 0) == 0) {
      if (line.rfind("DRAW", 0) == 0)
        reordered += line, drawn.push_back("");
      else
        drawn.push_back(line);
    } else {
      reordered += line;
    }
  }
  TempDir dir;
  const std::string copy = dir.file(std::filesystem::path(original).filename().string());
  writeBytes(copy, reordered);
  std::filesystem::path documentation = original;
  documentation.replace_extension(".dcm");
  std::filesystem::copy_file(documentation, dir.file(documentation.filename().string()));
  ASSERT_NE(reordered, text);
  const Review review = reviewPaths(original, copy);
  EXPECT_EQ(reviewWords(review), "");
  const LibraryFacts a = readLibraryFacts(original), b = readLibraryFacts(copy);
  EXPECT_EQ(libraryFactLines(a), libraryFactLines(b));
  EXPECT_GT(a.symbols.size(), 10u);
}

}  // namespace
}  // namespace quiral
