#include "report_engine/text_layout.h"

#include <gtest/gtest.h>

#include "platform/font_engine.h"
#include "tests/report_engine/report_fixtures.h"

namespace quiral {
namespace {

using Lines = std::vector<std::string>;

Lines wrap(std::string_view text, double width) {
  return wrapText(testing::fixedMeasurer(), FontSpec{"Arial", 10}, text, width);
}

TEST(WrapText, BreaksAtSpacesToFitTheWidth) {
  EXPECT_EQ(wrap("ab cd ef", 100), Lines{"ab cd ef"});
  EXPECT_EQ(wrap("ab cd ef", 50), (Lines{"ab cd", "ef"}));
  EXPECT_EQ(wrap("ab cd ef", 49), (Lines{"ab", "cd", "ef"}));
  EXPECT_EQ(wrap("ab   cd", 70), Lines{"ab   cd"});     // inner spaces kept on a line
  EXPECT_EQ(wrap("ab   cd", 40), (Lines{"ab", "cd"}));  // and dropped at a break
  EXPECT_EQ(wrap("  ab", 100), Lines{"  ab"});
  EXPECT_EQ(wrap("ab  ", 100), Lines{"ab"});
}

TEST(WrapText, KeepsLineEndsAndEmptyLines) {
  EXPECT_EQ(wrap("ab\r\ncd\n\nef\rgh", 100), (Lines{"ab", "cd", "", "ef", "gh"}));
  EXPECT_TRUE(wrap("", 100).empty());
}

TEST(WrapText, CutsAWordWiderThanTheLineWithoutLosingBytes) {
  EXPECT_EQ(wrap("abcdefg", 30), (Lines{"abc", "def", "g"}));
  EXPECT_EQ(wrap("x abcdefg y", 30), (Lines{"x", "abc", "def", "g y"}));
  // Narrower than one character: one character a line, never an endless loop.
  EXPECT_EQ(wrap("abc", 0), (Lines{"a", "b", "c"}));
}

TEST(WrapText, NeverSplitsAUtf8Character) {
  // "ção" is c, two bytes, two bytes, o: cut by characters, not bytes.
  Lines lines = wrap("\xc3\xa7\xc3\xa3o", 20);
  EXPECT_EQ(lines, (Lines{"\xc3\xa7", "\xc3\xa3", "o"}));
}

TEST(SplitLines, AllThreeLineEnds) {
  EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\n"), Lines{"a"});
  EXPECT_EQ(splitLines("\n"), Lines{""});
}

TEST(PageTextMeasurer, WidthsAddUpAndScaleWithTheFont) {
  FontEngine fonts;
  const PageTextMeasurer m(fonts);
  FontSpec ten{"Arial", 10};
  FontSpec twenty{"Arial", 20};
  const double ab = m.textWidth(ten, "ab"), a = m.textWidth(ten, "a"), b = m.textWidth(ten, "b");
  EXPECT_GT(a, 0);
  EXPECT_NEAR(ab, a + b, 1e-6);
  EXPECT_NEAR(m.textWidth(twenty, "ab"), 2 * ab, 1e-6);
  // Arial's line is ascent + descent = 2288/2048 em; 10 points is 35.3 tenths of a millimetre.
  EXPECT_NEAR(m.lineHeight(ten), 2288.0 / 2048 * 254.0 / 7.2, 0.05);
}

}  // namespace
}  // namespace quiral
