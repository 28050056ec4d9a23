#include "library/find_description.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "library/documentation_cache.h"
#include "platform/error.h"
#include "tests/library/test_files.h"

namespace quiral {
namespace {

using testing::TempDir;
using testing::writeBytes;

const char* const kDocumentation =
    "EESchema-DOCLIB  Version 2.0\r\n"
    "#\r\n"
    "$CMP R_Small\r\n"
    "D Resistor, small symbol\r\n"
    "K R resistor\r\n"
    "$ENDCMP\r\n"
    "$CMP LED\n"  // LF-only from here on
    "K led diode\n"
    "$ENDCMP\n"
    "$CMP LED\n"
    "d  Light emitting diode \n"
    "$ENDCMP\n"
    "$CMP  opamp\t\n"
    "D Operational amplifier, \xB5"
    "A\n"
    "$ENDCMP\n"
    "$CMP LAST\n";

class FindDescriptionTest : public ::testing::Test {
 protected:
  void SetUp() override { writeBytes(path, kDocumentation); }
  TempDir dir;
  std::string path = dir.file("lib.dcm");
};

TEST_F(FindDescriptionTest, FindsTheDLineAfterTheEntryIgnoringCaseOnBothSides) {
  EXPECT_EQ(FindDescription(path, "R_Small"), "Resistor, small symbol");
  EXPECT_EQ(FindDescription(path, "R_SMALL"), "Resistor, small symbol");
  EXPECT_EQ(FindDescription(path, "r_small"), "Resistor, small symbol");
  // Blanks and control bytes around the entry's name do not count; the description keeps its
  // bytes as written (here Windows-1252), everything after "D ".
  EXPECT_EQ(FindDescription(path, "OpAmp"),
            "Operational amplifier, \xB5"
            "A");
}

TEST_F(FindDescriptionTest, AnEntryFollowedByAnotherLineGivesNothingAndTheScanGoesOn) {
  // The first LED entry is followed by a K line; the second one has a lower-case d line.
  EXPECT_EQ(FindDescription(path, "LED"), " Light emitting diode ");
}

TEST_F(FindDescriptionTest, NoEntryOrNoLineAfterItGivesNothing) {
  EXPECT_EQ(FindDescription(path, "C"), "");
  EXPECT_EQ(FindDescription(path, "LAST"), "");  // the file ends after the entry
  EXPECT_EQ(FindDescription(path, ""), "");
}

TEST_F(FindDescriptionTest, AMissingFileGivesNothingAnUnreadableOneThrows) {
  EXPECT_EQ(FindDescription(dir.file("none.dcm"), "R_Small"), "");
  EXPECT_EQ(FindDescription(dir.file("none/lib.dcm"), "R_Small"), "");
  EXPECT_EQ(FindDescription(path + "/lib.dcm", "R_Small"), "");  // under a file
  std::filesystem::create_directory(dir.file("folder.dcm"));     // there, but not readable as text
  EXPECT_THROW(FindDescription(dir.file("folder.dcm"), "R_Small"), FileError);
}

TEST_F(FindDescriptionTest, TheCacheGivesWhatTheFileGivesAndFollowsItsChanges) {
  DocumentationCache cache;
  for (const char* name : {"R_Small", "r_small", "LED", "OpAmp", "C", "LAST", "", "$ENDCMP", "D"})
    EXPECT_EQ(cache.find(path, name), FindDescription(path, name)) << name;
  writeBytes(path, "$CMP LED\n$CMP LED\nD first\n$CMP LED\nD second\n");
  EXPECT_EQ(cache.find(path, "LED"), "second");  // the D line after a passed-over entry line
  EXPECT_EQ(cache.find(path, "R_Small"), "");
  EXPECT_EQ(cache.find(dir.file("none.dcm"), "LED"), "");
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  EXPECT_THROW(cache.find(path, "LED"), FileError);
}

TEST(FindDescriptionInText, ReadsATranslatedDocumentationText) {
  const std::string text =
      "EESchema-DOCLIB  Version 2.0\n#\n$CMP Nand_B\nD small gate\nK k\n$ENDCMP\n"
      "#\n$CMP X\nK no description\n$ENDCMP\n";
  EXPECT_EQ(FindDescriptionInText(text, "NAND_B"), "small gate");
  EXPECT_EQ(FindDescriptionInText(text, "X"), "");
  EXPECT_EQ(FindDescriptionInText(text, ""), "");
  // A "~" only hides the value: the entry is found without it, unless one is written with it.
  EXPECT_EQ(FindDescriptionInText(text, "~Nand_B"), "small gate");
  EXPECT_EQ(FindDescriptionInText(text + "$CMP ~Nand_B\nD own\n", "~Nand_B"), "own");
  EXPECT_EQ(FindDescriptionInText(text, "~"), "");
}

// A catalog asks once per cell; the cache indexes a translation's text once and answers as the
// scan of the text does, switching between files and translations.
TEST(FindDescriptionInText, TheCacheGivesWhatTheTextGives) {
  auto translation = std::make_shared<TranslatedLibrary>();
  translation->documentationText =
      "EESchema-DOCLIB  Version 2.0\n#\n$CMP Nand_B\nD small gate\n$ENDCMP\n#\n$CMP X\nK k\n"
      "$CMP X\nD second\n$ENDCMP\n";
  DocumentationCache cache;
  for (const char* name : {"NAND_B", "nand_b", "~nand_b", "X", "", "~", "$ENDCMP", "D", "none"})
    EXPECT_EQ(cache.find(translation, name),
              FindDescriptionInText(translation->documentationText, name))
        << name;
  auto other = std::make_shared<TranslatedLibrary>();
  other->documentationText = "$CMP X\nD other\n";
  EXPECT_EQ(cache.find(other, "X"), "other");
  EXPECT_EQ(cache.find(translation, "X"), "second");
  EXPECT_EQ(cache.find(std::shared_ptr<const TranslatedLibrary>(), "X"), "");
}

}  // namespace
}  // namespace quiral
