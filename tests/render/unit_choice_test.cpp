// The unit and body-style filter of the record drawers, unit names and hostile unit counts.

#include "render/unit_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/renderer.h"
#include "render/symbol_units.h"
#include "render/unit_selection.h"
#include "render_test_util.h"

namespace quiral {
namespace {

// One record of each filtered kind, with its unit and body-style tokens left to fill in.
std::vector<std::string> recordsOfUnit(const std::string& unit, const std::string& style) {
  const std::string us = unit + " " + style;
  return {"S -100 -100 100 100 " + us + " 0 N",
          "P 2 " + us + " 0 -100 0 100 0 N",
          "C 0 0 100 " + us + " 0 N",
          "A 0 0 100 0 900 " + us + " 0 N 100 0 0 100",
          "T 0 0 0 100 0 " + us + " Text Normal 0 C C",
          "X A 1 0 0 100 R 50 50 " + us + " I"};
}

// Which of the six records above leave ink when drawn alone for `choice`.
std::vector<bool> drawnKinds(const std::string& unit, const std::string& style,
                             const UnitChoice& choice) {
  static Renderer renderer;
  std::vector<bool> drawn;
  for (const std::string& record : recordsOfUnit(unit, style)) {
    renderer.RenderComponent({"DEF TEST U 0 40 Y Y 4 F N", record, "ENDDEF"}, choice);
    drawn.push_back(testing::inkBox(renderer.ViewImage()) != Rect{});
  }
  return drawn;
}

const std::vector<bool> kAll(6, true);
const std::vector<bool> kNone(6, false);

TEST(UnitChoice, EveryKindIsDrawnForUnitZeroOrChosenAndStyleZeroOrChosen) {
  const UnitChoice unit2demorgan{2, 2};
  EXPECT_EQ(drawnKinds("0", "0", unit2demorgan), kAll);
  EXPECT_EQ(drawnKinds("2", "2", unit2demorgan), kAll);
  EXPECT_EQ(drawnKinds("0", "2", unit2demorgan), kAll);
  EXPECT_EQ(drawnKinds("2", "0", unit2demorgan), kAll);
  EXPECT_EQ(drawnKinds("1", "2", unit2demorgan), kNone);
  EXPECT_EQ(drawnKinds("2", "1", unit2demorgan), kNone);
  EXPECT_EQ(drawnKinds("02", "2", unit2demorgan), kNone);  // only the plain decimal text
  EXPECT_EQ(drawnKinds("12", "2", UnitChoice{12, 2}), kAll);
  EXPECT_EQ(drawnKinds("12", "2", UnitChoice{1, 2}), kNone);
}

TEST(UnitChoice, UnitAFiltersEveryKindByUnitAndStyleLikeEveryOtherChoice) {
  EXPECT_EQ(drawnKinds("2", "1", UnitChoice{}), kNone);
  EXPECT_EQ(drawnKinds("1", "2", UnitChoice{}), kNone);
  EXPECT_EQ(drawnKinds("01", "1", UnitChoice{}), kNone);
  EXPECT_EQ(drawnKinds("1", "1", UnitChoice{}), kAll);
  EXPECT_EQ(drawnKinds("1", "0", UnitChoice{}), kAll);
  EXPECT_EQ(drawnKinds("0", "1", UnitChoice{}), kAll);
}

TEST(UnitChoice, UnitLettersGoOnPastZAsKiCadNamesThem) {
  EXPECT_EQ(unitLetters(1), "A");
  EXPECT_EQ(unitLetters(26), "Z");
  EXPECT_EQ(unitLetters(27), "AA");
  EXPECT_EQ(unitLetters(52), "AZ");
  EXPECT_EQ(unitLetters(53), "BA");
  EXPECT_EQ(unitLetters(kMaxUnits), "YZ");
  EXPECT_EQ(unitLetters(0), "A");
  EXPECT_EQ(unitLetters(-5), "A");
}

TEST(UnitChoice, HostileUnitCountsAreBounded) {
  EXPECT_EQ(boundedUnitCount("4"), 4);
  EXPECT_EQ(boundedUnitCount("0"), 1);
  EXPECT_EQ(boundedUnitCount("-1"), 1);
  EXPECT_EQ(boundedUnitCount("abc"), 1);
  EXPECT_EQ(boundedUnitCount(""), 1);
  EXPECT_EQ(boundedUnitCount("2147483648"), kMaxUnits);
  EXPECT_EQ(boundedUnitCount("10000"), kMaxUnits);
  EXPECT_EQ(boundedUnitCount(std::string(5000, '9')), kMaxUnits);
  EXPECT_EQ(boundedUnitCount("676"), 676);
}

TEST(SymbolUnits, CountsUnitsDeMorganAndWhichUnitsHaveRecords) {
  const SymbolUnits gate =
      describeUnits({"DEF 7400 U 0 40 Y Y 3 L N", "DRAW", "P 2 1 2 0 0 0 10 10 N",
                     "X A 1 0 0 100 R 50 50 3 1 I", "S 0 0 10 10 99 1 0 N", "ENDDRAW", "ENDDEF"});
  EXPECT_EQ(gate.count, 3);
  EXPECT_TRUE(gate.hasDeMorgan);
  EXPECT_EQ(gate.unitHasOwnRecords, (std::vector<bool>{true, false, true}));
  EXPECT_FALSE(gate.unitHasRecords(2));
  // A library written in lower case has as many units as the dispatcher reads.
  EXPECT_EQ(describeUnits({"def 7400 U 0 40 Y Y 3 L N", "x A 1 0 0 100 R 50 50 3 1 I"}).count, 3);

  const SymbolUnits hostile =
      describeUnits({"DEF X U 0 40 Y Y 10000 L N", "T 0 0 0 50 0 0 1 common", "ENDDEF"});
  EXPECT_EQ(hostile.count, kMaxUnits);
  EXPECT_FALSE(hostile.hasDeMorgan);
  EXPECT_TRUE(hostile.unitHasRecords(kMaxUnits));
}

}  // namespace
}  // namespace quiral

namespace quiral {
namespace {

TEST(UnitSelection, OneUnitSymbolsOfferNothingAndManyUnitsStepWithinTheirRange) {
  UnitSelection one;
  one.showComponent({"DEF R R 0 0 N Y 1 F N", "S 0 0 10 10 0 1 0 N", "ENDDEF"}, {});
  EXPECT_FALSE(one.chooserEnabled());
  EXPECT_FALSE(one.deMorganEnabled());
  EXPECT_FALSE(one.stepUnit(1));
  EXPECT_FALSE(one.chooseDeMorgan(true));
  EXPECT_EQ(one.unitLabels(), std::vector<std::string>{"A"});

  UnitSelection many;
  many.showComponent({"DEF K K 0 0 N Y 30 F N", "P 2 3 2 0 0 0 10 10 N", "ENDDEF"},
                     {"Coil", "", "Contact"});
  EXPECT_TRUE(many.chooserEnabled());
  EXPECT_TRUE(many.deMorganEnabled());
  const std::vector<std::string> labels = many.unitLabels();
  ASSERT_EQ(labels.size(), 30u);
  EXPECT_EQ(labels[0], "A (Coil)");
  EXPECT_EQ(labels[1], "B");
  EXPECT_EQ(labels[2], "C (Contact)");
  EXPECT_EQ(labels[29], "AD");
  EXPECT_FALSE(many.stepUnit(-1));  // already at A
  EXPECT_TRUE(many.stepUnit(1));
  EXPECT_EQ(many.choice().unit, 2);
  EXPECT_TRUE(many.stepUnit(1000000));
  EXPECT_EQ(many.choice().unit, 30);
  EXPECT_FALSE(many.chooseUnit(31));
  EXPECT_TRUE(many.chooseDeMorgan(true));
  EXPECT_EQ(many.choice(), (UnitChoice{30, 2}));
  // A new component starts again at unit A, body style 1.
  many.showComponent({"DEF K K 0 0 N Y 30 F N", "ENDDEF"}, {});
  EXPECT_EQ(many.choice(), UnitChoice{});
  EXPECT_TRUE(many.choice().isDefaultView());
}

}  // namespace
}  // namespace quiral
