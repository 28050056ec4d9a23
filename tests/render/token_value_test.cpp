#include "render/token_value.h"

#include <gtest/gtest.h>

#include <limits>

namespace quiral {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(TokenValue, PlainDecimalsWithSignsAndBlanks) {
  EXPECT_EQ(tokenValue(""), 0);
  EXPECT_EQ(tokenValue("0"), 0);
  EXPECT_EQ(tokenValue("150"), 150);
  EXPECT_EQ(tokenValue("-150"), -150);
  EXPECT_EQ(tokenValue("+42"), 42);
  EXPECT_EQ(tokenValue("   -7"), -7);
  EXPECT_EQ(tokenValue("\t12"), 12);
  EXPECT_EQ(tokenValue("-"), 0);
  EXPECT_EQ(tokenValue("007"), 7);
}

TEST(TokenValue, HexPrefixesInEitherCase) {
  EXPECT_EQ(tokenValue("$ff"), 255);
  EXPECT_EQ(tokenValue("$FF"), 255);
  EXPECT_EQ(tokenValue("x10"), 16);
  EXPECT_EQ(tokenValue("X1a"), 26);
  EXPECT_EQ(tokenValue("0x1F"), 31);
  EXPECT_EQ(tokenValue("0X1f"), 31);
  EXPECT_EQ(tokenValue("-$10"), -16);
  EXPECT_EQ(tokenValue("+0x10"), 16);
  EXPECT_EQ(tokenValue("$"), 0);
}

TEST(TokenValue, BadCharacterKeepsDigitsBeforeItAndDropsTheSign) {
  EXPECT_EQ(tokenValue("12.5"), 12);
  EXPECT_EQ(tokenValue("-12.5"), 12);
  EXPECT_EQ(tokenValue("-3mm"), 3);
  EXPECT_EQ(tokenValue("abc"), 0);
  EXPECT_EQ(tokenValue("-abc"), 0);
  EXPECT_EQ(tokenValue("1,5"), 1);
  EXPECT_EQ(tokenValue("$1g"), 1);
  EXPECT_EQ(tokenValue("-5 "), 5);  // a trailing blank ends the number like any other character
  EXPECT_EQ(tokenValue("12e3"), 12);
}

TEST(TokenValue, SaturatesAtThe32BitLimits) {
  EXPECT_EQ(tokenValue("2147483647"), kMax);
  EXPECT_EQ(tokenValue("2147483648"), kMax);
  EXPECT_EQ(tokenValue("99999999999"), kMax);
  EXPECT_EQ(tokenValue("-2147483648"), kMin);
  EXPECT_EQ(tokenValue("-2147483647"), -2147483647);
  EXPECT_EQ(tokenValue("-99999999999999999999999999"), kMin);
  EXPECT_EQ(tokenValue("$FFFFFFFFFFFFFFFFFFFF"), kMax);
  EXPECT_EQ(tokenValue("-99999999999x"), kMax);  // bad character: no sign
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(divideRoundHalfEven(50, 10), 5);
  EXPECT_EQ(divideRoundHalfEven(65, 10), 6);
  EXPECT_EQ(divideRoundHalfEven(75, 10), 8);
  EXPECT_EQ(divideRoundHalfEven(55, 10), 6);
  EXPECT_EQ(divideRoundHalfEven(45, 10), 4);
  EXPECT_EQ(divideRoundHalfEven(44, 10), 4);
  EXPECT_EQ(divideRoundHalfEven(46, 10), 5);
  EXPECT_EQ(divideRoundHalfEven(-65, 10), -6);
  EXPECT_EQ(divideRoundHalfEven(-75, 10), -8);
  EXPECT_EQ(divideRoundHalfEven(-46, 10), -5);
  EXPECT_EQ(divideRoundHalfEven(5, 2), 2);
  EXPECT_EQ(divideRoundHalfEven(7, 2), 4);
  EXPECT_EQ(divideRoundHalfEven(-7, 2), -4);
  EXPECT_EQ(divideRoundHalfEven(kMax, 10), 214748365);
}

TEST(DecimalCount, OnlyPlainDigitsAndCapped) {
  EXPECT_EQ(decimalCount("3", 148), 3);
  EXPECT_EQ(decimalCount("0", 148), 0);
  EXPECT_EQ(decimalCount("148", 148), 148);
  EXPECT_EQ(decimalCount("99999999999999999999999", 148), 148);
  EXPECT_EQ(decimalCount("", 148), -1);
  EXPECT_EQ(decimalCount("-3", 148), -1);
  EXPECT_EQ(decimalCount("3a", 148), -1);
  EXPECT_EQ(decimalCount("$3", 148), -1);
  EXPECT_EQ(decimalCount(" 3", 148), -1);
}

}  // namespace
}  // namespace quiral
