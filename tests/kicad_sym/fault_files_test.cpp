// Small modern libraries, each shaped after a real file whose translation went wrong: what the
// legacy records must say for each of them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kicad_sym/library_translation.h"

namespace quiral {
namespace {

using Lines = std::vector<std::string>;

TranslatedLibrary translateFault(const std::string& name) {
  return translateModernLibraryFile(std::string(QUIRAL_TEST_DATA_DIR) + "/kicad_sym_faults/" +
                                    name + ".kicad_sym");
}

// The lines of the library text that start with `prefix`.
Lines linesStarting(const TranslatedLibrary& library, const std::string& prefix) {
  Lines out;
  const std::string& text = library.libraryText;
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
       start = end + 1) {
    if (text.compare(start, prefix.size(), prefix) == 0)
      out.push_back(text.substr(start, end - start));
  }
  return out;
}

// Splits a record at its spaces (the records tested here hold no quoted spaces).
Lines fieldsOf(const std::string& line) {
  Lines fields;
  for (size_t start = 0; start <= line.size();) {
    size_t end = line.find(' ', start);
    if (end == std::string::npos) end = line.size();
    fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

TEST(FaultFiles, TextAnglesAreWrittenInTenthsAndLinesStackAlongThem) {
  const TranslatedLibrary lib = translateFault("text_angles");
  EXPECT_EQ(
      linesStarting(lib, "T "),
      (Lines{"T 0 0 150 40 0 0 1 0 Normal 0 C C", "T 2700 120 90 40 0 0 1 7 Normal 0 C C",
             "T 2340 140 -40 40 0 0 1 6 Normal 0 C C", "T 1980 80 -130 40 0 0 1 5 Normal 0 C C",
             "T 1620 -50 -140 40 0 0 1 4 Normal 0 C C", "T 1260 -130 -70 40 0 0 1 3 Normal 0 C C",
             // Two lines at 315 degrees: their block is centred on the anchor, the second
             // line further along the text's downward direction (-x, -y here).
             "T 3150 -122 128 50 0 0 1 C Normal 0 C C", "T 3150 -178 72 50 0 0 1 D Normal 0 C C"}));
  EXPECT_TRUE(lib.warnings.empty());
}

TEST(FaultFiles, TextBoxWithANegativeHeightHangsBelowItsCorner) {
  const TranslatedLibrary lib = translateFault("text_box_negative_height");
  EXPECT_EQ(linesStarting(lib, "S "), Lines{"S -500 250 500 150 0 1 0 N"});
  EXPECT_EQ(linesStarting(lib, "T "), Lines{"T 0 -475 225 50 0 0 1 \"RF in\" Normal 0 L T"});
}

TEST(FaultFiles, PrivateKeywordOfPropertiesAndTextsIsSkipped) {
  const TranslatedLibrary lib = translateFault("private_keyword");
  EXPECT_EQ(linesStarting(lib, "DEF "), Lines{"DEF Opamp_Sim U 0 20 Y Y 1 F N"});
  EXPECT_EQ(linesStarting(lib, "F0 "), Lines{"F0 \"U\" 0 200 50 H V L CNN"});
  EXPECT_EQ(linesStarting(lib, "F4 "),
            Lines{"F4 \"opamp.lib\" 100 -300 50 H V C CNN \"Sim.Library\""});
  EXPECT_EQ(linesStarting(lib, "T "), Lines{"T 0 100 50 50 0 0 1 Vout Normal 0 C C"});
  EXPECT_NE(lib.documentationText.find("D an amplifier for simulation\n"), std::string::npos);
}

TEST(FaultFiles, PinNamesAndNumbersStayOneWordWithTheirTildes) {
  const TranslatedLibrary lib = translateFault("pin_texts");
  EXPECT_EQ(linesStarting(lib, "X "),
            (Lines{"X ~RESET~/PF6_ 18 -500 200 100 R 50 50 1 1 B",
                   "X ~~D3 7 -500 100 100 R 50 50 1 1 B", "X ~ A_1 -500 0 100 R 50 50 1 1 P"}));
  EXPECT_EQ(lib.warnings,
            (Lines{"AVR_Pins: 2 pin names or numbers with spaces, control bytes or quotes "
                   "written with underscores",
                   "AVR_Pins: 1 literal tildes written as \"~~\""}));
}

TEST(FaultFiles, LongPolylineIsSplitIntoRecordsThatShareTheirEnds) {
  const TranslatedLibrary lib = translateFault("long_polyline");
  const Lines records = linesStarting(lib, "P ");
  // 300 points: 147 + 147 + 8 with shared ends, and the segment that closes the filled outline.
  ASSERT_EQ(records.size(), 4u);
  std::string previousEnd;
  size_t points = 0;
  for (size_t i = 0; i < records.size(); ++i) {
    const Lines fields = fieldsOf(records[i]);
    ASSERT_LE(fields.size(), 300u);
    const size_t count = std::stoul(fields[1]);
    ASSERT_EQ(fields.size(), 2 * count + 6);
    EXPECT_EQ(fields.back(), "N");
    const std::string first = fields[5] + " " + fields[6];
    if (i > 0) {
      EXPECT_EQ(first, previousEnd);
    }
    previousEnd = fields[2 * count + 3] + " " + fields[2 * count + 4];
    points += count - (i > 0);
  }
  EXPECT_EQ(points, 300u + 1);  // the closing segment ends where the first record starts
  EXPECT_EQ(previousEnd, fieldsOf(records[0])[5] + " " + fieldsOf(records[0])[6]);
  EXPECT_EQ(lib.warnings,
            Lines{"Gear_Logo: 1 fills of polylines split into records of 147 points dropped"});
}

TEST(FaultFiles, QuotesInTextsAreEscapedAsLegacyReadersReadThem) {
  const TranslatedLibrary lib = translateFault("quoted_field");
  EXPECT_EQ(linesStarting(lib, "F1 "), Lines{R"(F1 "2\" pitch \ header" 0 -100 50 H V C CNN)"});
  // A backslash that ends a text would escape the closing quote.
  EXPECT_EQ(linesStarting(lib, "F4 "), Lines{R"(F4 "C:\parts\ " 0 -200 50 H V C CNN "Path")"});
  EXPECT_EQ(linesStarting(lib, "T "), Lines{R"(T 0 0 0 50 0 1 1 "12\" bar" Normal 0 C C)"});
}

TEST(FaultFiles, WhatLegacyCannotHoldIsReportedOncePerKindAndSymbol) {
  const TranslatedLibrary lib = translateFault("legacy_cannot_hold");
  EXPECT_EQ(lib.warnings,
            (Lines{"MCU_Alt: 3 pin alternates dropped",
                   "MCU_Alt: 1 field names shown beside their values dropped "
                   "(show_name)",
                   "MCU_Alt: 2 dashed or dotted strokes written solid",
                   "MCU_Alt: 1 font colours dropped", "MCU_Alt: 1 font thicknesses dropped",
                   "MCU_Alt: 1 pins of type free written as unspecified (U)",
                   "MCU_Alt: 1 records of a body style beyond the second, which "
                   "legacy readers do not show",
                   "MCU_Alt: 1 unit names dropped"}));
  EXPECT_EQ(lib.blockCount, 1u);
}

}  // namespace
}  // namespace quiral
