#include "review/symbol_compare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "review/library_reading.h"

namespace quiral {
namespace {

const std::string kBase =
    "DEF U1 U 0 40 Y Y 2 L N\n"
    "F0 \"U\" 0 200 50 H V C CNN\n"
    "F1 \"U1\" 0 -200 50 H V C CNN\n"
    "F2 \"\" 0 0 50 H I C CNN\n"
    "F3 \"\" 0 0 50 H I C CNN\n"
    "F4 \"X\" 0 0 50 H I C CNN \"Spice\"\n"
    "$FPLIST\n"
    " SOIC*\n"
    "$ENDFPLIST\n"
    "DRAW\n"
    "S -100 100 100 -100 1 1 10 f\n"
    "C 0 0 50 1 1 0 N\n"
    "A 0 0 100 0 900 1 1 0 N 100 0 0 100\n"
    "P 3 1 1 10 0 0 50 50 100 0 N\n"
    "T 0 0 50 60 0 1 1 Hello Normal 0 C C\n"
    "X VCC 1 0 200 100 D 50 50 1 1 W\n"
    "X GND 2 0 -200 100 U 50 50 1 1 W\n"
    "X IN 3 -200 0 100 R 50 50 2 1 I\n"
    "ENDDRAW\n"
    "ENDDEF\n";

// The base block with one line replaced (an empty `to` removes it), or with `to` added before
// ENDDRAW when `from` is empty.
std::string edited(const std::string& from, const std::string& to) {
  std::string block = kBase;
  if (from.empty()) return block.insert(block.find("ENDDRAW"), to + "\n"), block;
  const size_t at = block.find(from + "\n");
  EXPECT_NE(at, std::string::npos) << from;
  return block.replace(at, from.size() + 1, to.empty() ? "" : to + "\n");
}

SymbolFacts factsOf(const std::string& block) {
  SymbolFacts facts;
  facts.name = "U1";
  facts.block = block;
  parseSymbolFacts(facts);
  return facts;
}

std::vector<std::string> whats(const std::string& before, const std::string& after,
                               const DocFacts& docsA = {}, const DocFacts& docsB = {},
                               int tolerance = 0) {
  std::vector<std::string> out;
  for (const Difference& d :
       compareSymbols(factsOf(before), docsA, factsOf(after), docsB, {tolerance}))
    out.push_back(d.what);
  return out;
}

using Whats = std::vector<std::string>;

TEST(SymbolCompare, EachKindOfDifferenceIsNamedOnce) {
  struct Case {
    std::string from, to;
    Whats expected;
  };
  const std::string vcc = "X VCC 1 0 200 100 D 50 50 1 1 W", in = "X IN 3 -200 0 100 R 50 50 2 1 I";
  const std::string rect = "S -100 100 100 -100 1 1 10 f", f0 = "F0 \"U\" 0 200 50 H V C CNN";
  const std::string def = "DEF U1 U 0 40 Y Y 2 L N";
  const std::vector<Case> cases = {
      {"", "X OUT 4 200 0 100 L 50 50 2 1 O", {"pin added"}},
      {in, "", {"pin removed"}},
      {vcc, "X VCC 1 0 250 100 D 50 50 1 1 W", {"pin moved"}},
      {vcc, "X VDD 1 0 200 100 D 50 50 1 1 W", {"pin renamed"}},
      {vcc, "X VCC 9 0 200 100 D 50 50 1 1 W", {"pin renumbered"}},
      {vcc, "X VCC 1 0 200 100 D 50 50 1 1 P", {"pin type"}},
      {vcc, "X VCC 1 0 200 100 D 50 50 1 1 W I", {"pin shape"}},
      {vcc, "X VCC 1 0 200 100 D 50 50 1 1 W N", {"pin visibility"}},
      {vcc, "X VCC 1 0 200 150 D 50 50 1 1 W", {"pin length"}},
      {vcc, "X VCC 1 0 200 100 U 50 50 1 1 W", {"pin orientation"}},
      {vcc, "X VCC 1 0 200 100 D 50 60 1 1 W", {"pin name size"}},
      {in, "X IN 3 -200 0 100 R 50 50 1 1 I", {"pin unit"}},
      {in, "X IN 3 -200 0 100 R 50 50 2 2 I", {"De Morgan body", "pin body style"}},
      {"", "C 0 0 20 1 1 0 N", {"graphic added"}},
      {"C 0 0 50 1 1 0 N", "", {"graphic removed"}},
      {rect, "S -100 100 100 -100 1 1 20 f", {"graphic line width"}},
      {rect, "S -100 100 100 -100 1 1 10 F", {"graphic fill"}},
      {rect, "S -100 150 100 -100 1 1 10 f", {"graphic reshaped"}},
      {"A 0 0 100 0 900 1 1 0 N 100 0 0 100",
       "A 10 10 90 0 900 1 1 0 N 100 0 0 100",
       {"graphic reshaped"}},
      {"T 0 0 50 60 0 1 1 Hello Normal 0 C C",
       "T 0 0 50 60 0 1 1 World Normal 0 C C",
       {"text changed"}},
      {"T 0 0 50 60 0 1 1 Hello Normal 0 C C",
       "T 0 10 50 60 0 1 1 Hello Normal 0 C C",
       {"text moved"}},
      {"T 0 0 50 60 0 1 1 Hello Normal 0 C C",
       "T 900 0 50 60 0 1 1 Hello Italic 0 C C",
       {"text style"}},
      {f0, "F0 \"IC\" 0 200 50 H V C CNN", {"field text"}},
      {f0, "F0 \"U\" 0 300 50 H V C CNN", {"field moved"}},
      {f0, "F0 \"U\" 0 200 60 H V C CNN", {"field size"}},
      {f0, "F0 \"U\" 0 200 50 V V C CNN", {"field orientation"}},
      {f0, "F0 \"U\" 0 200 50 H V L TNN", {"field justification"}},
      {f0, "F0 \"U\" 0 200 50 H I C CNN", {"field visibility"}},
      {f0, "F0 \"U\" 0 200 50 H V C CIB", {"field style"}},
      {"F4 \"X\" 0 0 50 H I C CNN \"Spice\"", "", {"field removed"}},
      {"F4 \"X\" 0 0 50 H I C CNN \"Spice\"",
       "F4 \"X\" 0 0 50 H I C CNN \"Sim\"",
       {"field removed", "field added"}},
      {" SOIC*", " TSSOP*", {"footprint filter removed", "footprint filter added"}},
      {def, "DEF U1 U 0 40 Y Y 3 L N", {"unit count"}},
      {def, "DEF U1 U 0 40 Y Y 2 L P", {"power flag"}},
      {def, "DEF U1 U 0 40 Y Y 2 F N", {"units interchangeable"}},
      {def, "DEF U1 U 0 20 Y Y 2 L N", {"pin name offset"}},
      {def, "DEF U1 U 0 40 Y N 2 L N", {"pin names shown"}},
      {def, "DEF U1 U 0 40 N Y 2 L N", {"pin numbers shown"}},
      {"", "P 2 1 2 10 0 0 10 10 N", {"De Morgan body", "graphic added"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(whats(kBase, edited(c.from, c.to)), c.expected) << c.from << " -> " << c.to;
  }
  // The documentation, which lives beside the block.
  EXPECT_EQ(whats(kBase, kBase, {"a", "k", "d"}, {"b", "k2", "e"}),
            (Whats{"description", "keywords", "datasheet"}));
}

TEST(SymbolCompare, OrderSpellingAndDirectionAreNotDifferences) {
  // Records in another order, numbers spelled otherwise, lines drawn the other way round,
  // rectangle corners and arc ends swapped, keywords in lower case, runs of spaces.
  const std::string same =
      "DEF U1 U 0 +40 Y Y 2 L N\n"
      "F4 \"X\" 0 0 50 H I C CNN \"Spice\"\n"
      "F1 \"U1\" 0.0 -200 050 H V C CNN\n"
      "F0 \"U\" 0 200 50 H V C CNN\n"
      "F3 \"\" 0 0 50 H I C CNN\n"
      "F2 \"\" 0 0 50 H I C CNN\n"
      "$FPLIST\n"
      " SOIC*\n"
      "$ENDFPLIST\n"
      "DRAW\n"
      "x IN 3 -200 0 100 R 50 50 2 1 I\n"
      "X GND 2   0 -200 100 U 50 50 1 1 W\n"
      "P 3 1 1 10 100 0 50 50 0 0 N\n"
      "A 0 0 100 0 900 1 1 0 N 0 100 100 0\n"
      "S 100 -100 -100 100 1 1 10 f\n"
      "T 0 0 50 60 0 1 1 Hello Normal 0 C C\n"
      "C 0 0 50 1 1 0 N\n"
      "X VCC 1 0 200 100 D 50 50 1 1 W\n"
      "ENDDRAW\n"
      "ENDDEF\n";
  EXPECT_EQ(whats(kBase, same), Whats{});

  // Millimetres rounded to mils differ by one unit at most: within the tolerance that a legacy
  // and a modern library are compared with, a difference between two legacy ones.
  const std::string oneOff =
      edited("X VCC 1 0 200 100 D 50 50 1 1 W", "X VCC 1 1 199 101 D 50 50 1 1 W");
  EXPECT_EQ(whats(kBase, oneOff, {}, {}, 1), Whats{});
  EXPECT_EQ(whats(kBase, oneOff, {}, {}, 0), (Whats{"pin moved", "pin length"}));
}

TEST(SymbolCompare, DetailsNameTheItemAndBothValues) {
  const auto differences = compareSymbols(
      factsOf(kBase), {},
      factsOf(edited("X IN 3 -200 0 100 R 50 50 2 1 I", "X IN 3 -200 50 100 R 50 50 2 1 O")), {},
      {});
  ASSERT_EQ(differences.size(), 2u);
  EXPECT_EQ(differences[0], (Difference{"pin moved", "3 (IN) of unit B: (-200, 0) -> (-200, 50)"}));
  EXPECT_EQ(differences[1], (Difference{"pin type", "3 (IN) of unit B: input -> output"}));
}

}  // namespace
}  // namespace quiral
