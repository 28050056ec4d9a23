// The KiCad look: each rule on a symbol of its own, with the texts and shapes it must give; pins
// stacked on one spot; and the whole corpus drawn without texts printed over each other.

#include "render/drawing_look.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "library/library_browser.h"
#include "platform/font_engine.h"
#include "tests/support/corpus_libraries.h"
#include "vector/symbol_recorder.h"

namespace quiral {
namespace {

const LookColors kColors;

// A DEF line and the records after it, as one symbol.
std::vector<std::string> symbol(std::vector<std::string> lines) {
  lines.push_back("ENDDEF");
  return lines;
}

// Capital height of a text, from its em (Liberation Sans's capitals are 1409/2048 em).
double capOf(const DisplayText& t) {
  return t.size * 1409 / 2048;
}

// A text's box in library units, y up: capitals' top to baseline across, advance along.
struct TextBox {
  double left, bottom, right, top;
};

TextBox boxOf(const DisplayText& t) {
  const double cap = capOf(t);
  if (t.angle == 900) return {t.origin.x - cap, t.origin.y, t.origin.x, t.origin.y + t.width};
  return {t.origin.x, t.origin.y, t.origin.x + t.width, t.origin.y + cap};
}

struct RuleCase {
  const char* rule;
  std::vector<std::string> lines;
  std::function<void(const DisplayList&)> check;
};

const DisplayText& onlyText(const DisplayList& list) {
  EXPECT_EQ(list.texts().size(), 1u);
  static const DisplayText none;
  return list.texts().empty() ? none : list.texts().front();
}

const DisplayItem& onlyItem(const DisplayList& list) {
  EXPECT_EQ(list.items().size(), 1u);
  static const DisplayItem none;
  return list.items().empty() ? none : list.items().front();
}

TEST(KiCadLook, EachRuleDrawsWhatKiCadDraws) {
  const std::string kDef = "DEF T U 0 40 Y Y 1 F N";
  const double tol = 1.5;  // library units
  const std::vector<RuleCase> cases = {
      {"invisible pin, hidden field, hidden T text: nothing of them",
       {kDef, "X OUT 1 0 0 100 R 50 50 1 1 O N", "F2 \"Pkg:Foot\" 0 0 50 H I C CNN",
        "T 0 0 0 50 1 1 1 Hid Normal 0 C C"},
       [](const DisplayList& l) { EXPECT_TRUE(l.empty()); }},
      {"reference: vertical, centred, with its question mark",
       {kDef, "F0 \"R\" 80 0 50 V V C CNN"},
       [=](const DisplayList& l) {
         const DisplayText& t = onlyText(l);
         EXPECT_EQ(t.utf8, "R?");
         EXPECT_EQ(t.angle, 900);
         EXPECT_NEAR(capOf(t), 50, tol);
         const TextBox b = boxOf(t);
         EXPECT_NEAR((b.left + b.right) / 2, 80, tol);
         EXPECT_NEAR((b.bottom + b.top) / 2, 0, tol);
         EXPECT_EQ(l.items().front().color, kColors.referenceAndValue);
       }},
      {"reference of a multi-unit symbol names the unit",
       {"DEF T U 0 40 Y Y 2 F N", "F0 \"U\" 0 0 50 H V C CNN"},
       [](const DisplayList& l) { EXPECT_EQ(onlyText(l).utf8, "U?A"); }},
      {"right-justified field ends at its anchor",
       {kDef, "F1 \"MES\" -100 30 60 H V R CNN"},
       [=](const DisplayList& l) {
         const TextBox b = boxOf(onlyText(l));
         EXPECT_NEAR(b.right, -100, tol);
         EXPECT_NEAR((b.bottom + b.top) / 2, 30, tol);
       }},
      {"bottom-justified field: baseline on the anchor",
       {kDef, "F1 \"V\" 0 0 50 H V L BNN"},
       [=](const DisplayList& l) {
         const TextBox b = boxOf(onlyText(l));
         EXPECT_NEAR(b.left, 0, tol);
         EXPECT_NEAR(b.bottom, 0, tol);
       }},
      {"top-justified, italic, bold field",
       {kDef, "F3 \"D\" 0 0 50 H V L TIB"},
       [=](const DisplayList& l) {
         const DisplayText& t = onlyText(l);
         EXPECT_NEAR(boxOf(t).top, 0, tol);
         EXPECT_TRUE(t.italic);
         EXPECT_TRUE(t.bold);
         EXPECT_EQ(l.items().front().color, kColors.otherField);
       }},
      {"T text: turned, justified, italic, bold",
       {kDef, "T 900 10 20 60 0 1 1 Hi Italic 1 L B"},
       [=](const DisplayList& l) {
         const DisplayText& t = onlyText(l);
         EXPECT_EQ(t.angle, 900);
         EXPECT_NEAR(capOf(t), 60, tol);
         EXPECT_TRUE(std::abs(t.origin.x - 10) < tol && std::abs(t.origin.y - 20) < tol);
         EXPECT_TRUE(t.italic && t.bold);
         EXPECT_EQ(l.items().front().color, kColors.body);
       }},
      {"rectangle with background fill and the default pen",
       {kDef, "S -100 -100 100 100 0 1 0 f"},
       [](const DisplayList& l) {
         const DisplayItem& i = onlyItem(l);
         EXPECT_EQ(i.kind, ItemKind::Rectangle);
         EXPECT_EQ(i.width, kDefaultPenUnits);
         EXPECT_TRUE(i.fill == FillKind::Solid && i.fillColor == kColors.bodyFill);
         EXPECT_EQ(i.color, kColors.body);
       }},
      {"circle filled with the pen colour, its own width",
       {kDef, "C 0 0 50 0 1 20 F"},
       [](const DisplayList& l) {
         const DisplayItem& i = onlyItem(l);
         EXPECT_EQ(i.width, 20);
         EXPECT_EQ(i.fillColor, kColors.body);
         EXPECT_NEAR(l.bounds().maxX, 50 + (20 - 6) / 2.0, 1e-6);  // the wide pen is inside
       }},
      {"unfilled polyline stays open, even on a closing last token",
       {kDef, "P 2 0 1 0 0 0 100 100 N", "P 3 0 1 0 0 0 100 0 0 100 F"},
       [](const DisplayList& l) {
         ASSERT_EQ(l.items().size(), 2u);
         EXPECT_TRUE(!l.items()[0].closed && l.items()[0].fill == FillKind::None);
         // Filled 'F': closed and filled.
         EXPECT_TRUE(l.items()[1].closed && l.items()[1].fill == FillKind::Solid);
       }},
      {"zero-width rectangle is a line, zero-length line a dot",
       {kDef, "S 0 -100 0 100 0 1 0 f", "P 2 0 1 0 30 30 30 30 N"},
       [](const DisplayList& l) {
         ASSERT_EQ(l.items().size(), 2u);
         EXPECT_TRUE(l.items()[0].kind == ItemKind::Polyline && l.items()[0].count == 2u);
         EXPECT_EQ(l.items()[0].fill, FillKind::None);
         EXPECT_EQ(l.items()[1].count, 2u);
       }},
      {"filled arc is its slice, bounded to the centre",
       {kDef, "A 0 0 100 100 800 0 1 0 F 98 17 17 98"},
       [](const DisplayList& l) {
         const DisplayItem& i = onlyItem(l);
         EXPECT_EQ(i.fill, FillKind::Solid);
         EXPECT_TRUE(std::abs(l.bounds().minX) < 1e-6 && std::abs(l.bounds().minY) < 1e-6);
       }},
      {"pin name inside at the offset, number above the line",
       {kDef, "X IN 7 -200 0 100 R 50 40 1 1 I"},
       [=](const DisplayList& l) {
         ASSERT_EQ(l.texts().size(), 2u);
         const TextBox name = boxOf(l.texts()[0]), number = boxOf(l.texts()[1]);
         EXPECT_EQ(l.texts()[0].utf8, "IN");
         EXPECT_NEAR(name.left, -100 + 40, tol);
         EXPECT_NEAR((name.bottom + name.top) / 2, 0, tol);
         EXPECT_NEAR(capOf(l.texts()[0]), 40, tol);
         EXPECT_NEAR((number.left + number.right) / 2, -150, tol);
         EXPECT_NEAR(number.bottom, kPinTextGapUnits, tol);
         EXPECT_EQ(l.items().front().color, kColors.pin);
       }},
      {"offset 0: name above the line, number below",
       {"DEF T U 0 0 Y Y 1 F N", "X EN 2 0 -200 100 U 50 50 1 1 I"},
       [=](const DisplayList& l) {
         ASSERT_EQ(l.texts().size(), 2u);
         const TextBox name = boxOf(l.texts()[0]), number = boxOf(l.texts()[1]);
         EXPECT_NEAR(name.right, -kPinTextGapUnits, tol);  // left of a vertical pin
         EXPECT_NEAR((name.bottom + name.top) / 2, -150, tol);
         EXPECT_NEAR(number.left, kPinTextGapUnits, tol);
       }},
      {"show flags off: neither name nor number",
       {"DEF T U 0 40 N N 1 F N", "X IN 7 -200 0 100 R 50 50 1 1 I"},
       [](const DisplayList& l) { EXPECT_TRUE(l.texts().empty()); }},
      {"inverted pin: bubble of half the number's size, line stops at it",
       {kDef, "X A 1 -200 0 100 R 40 50 1 1 I I"},
       [](const DisplayList& l) {
         ASSERT_FALSE(l.items().empty());
         const DisplayItem& bubble = l.items().front();
         EXPECT_EQ(bubble.kind, ItemKind::Ellipse);
         EXPECT_NEAR(bubble.v[0], -120, 1e-6);
         EXPECT_NEAR(bubble.v[2], 20, 1e-6);
         EXPECT_NEAR(l.points()[l.items()[1].first].x, -140, 1e-6);
       }},
  };
  FontEngine fonts;
  SymbolRecorder recorder(fonts);
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.rule);
    c.check(recorder.record(symbol(c.lines)));
  }
}

TEST(KiCadLook, StackedPinsShowOneNameAndOnlyTheVisibleNumber) {
  // Three outputs on one spot, two of them invisible, as regulators are drawn.
  const std::vector<std::string> memo =
      symbol({"DEF REG U 0 50 Y Y 1 F N", "X OUT 1 300 0 100 L 50 50 1 1 w",
              "X OUT 2 300 0 100 L 50 50 1 1 w N", "X OUT 3 300 0 100 L 50 50 1 1 w N"});
  FontEngine fonts;
  SymbolRecorder kicad(fonts), specified(fonts, LookName::Specified);
  const DisplayList& k = kicad.record(memo);
  ASSERT_EQ(k.texts().size(), 2u);
  EXPECT_EQ(k.texts()[0].utf8, "OUT");
  EXPECT_EQ(k.texts()[1].utf8, "1");
  EXPECT_EQ(specified.record(memo).texts().size(), 6u);  // the view's look prints all three
}

// The box of a text's capitals and advance, shrunk by a unit so that touching is no overlap.
bool overlap(const TextBox& a, const TextBox& b) {
  const double m = 1;
  return a.left + m < b.right && b.left + m < a.right && a.bottom + m < b.top &&
         b.bottom + m < a.top;
}

TEST(KiCadLook, CorpusTextsAreNeverPrintedTwiceOnOneSpot) {
  const std::vector<std::string> libraries = testing::corpusLibraries();
  ASSERT_FALSE(libraries.empty()) << "no corpus under " << QUIRAL_CORPUS_DIR;
  LibraryBrowser browser;
  FontEngine fonts;
  SymbolRecorder recorder(fonts);
  size_t symbols = 0, withOverlaps = 0;
  for (const std::string& library : libraries) {
    browser.B_carregarClick(library);
    ComponentList& list = browser.components();
    for (size_t i = 0; i < list.size(); ++i) {
      list.select(int(i));
      browser.ShowComponent();
      const DisplayList& d = recorder.record(browser.memo());
      SCOPED_TRACE(library + " " + list[i]);
      std::set<std::tuple<std::string, long, long>> seen;
      std::vector<TextBox> boxes;
      // Fields come before the drawing's records: the texts after the first shape are the pins'
      // (and the few T texts), whose places KiCad sets.
      bool afterFields = false;
      for (const DisplayItem& item : d.items()) {
        if (item.kind != ItemKind::Text) {
          afterFields = true;
          continue;
        }
        const DisplayText& t = d.texts()[item.text];
        // Stacked pins give one name and one number, never the same text twice on one spot.
        const auto key = std::make_tuple(t.utf8, std::lround(t.origin.x), std::lround(t.origin.y));
        EXPECT_TRUE(seen.insert(key).second) << t.utf8;
        if (!afterFields || item.color != kColors.pinName) continue;
        boxes.push_back(boxOf(t));
      }
      bool overlaps = false;
      for (size_t a = 0; a < boxes.size() && !overlaps; ++a)
        for (size_t b = a + 1; b < boxes.size() && !overlaps; ++b)
          overlaps = overlap(boxes[a], boxes[b]);
      withOverlaps += overlaps;
      ++symbols;
    }
  }
  EXPECT_GT(symbols, 1000u);
  // Where the library's own author placed texts over each other KiCad prints them so too; those
  // are few.
  EXPECT_LE(withOverlaps * 100, symbols) << withOverlaps << " of " << symbols;
}

}  // namespace
}  // namespace quiral
