#include "reports/fine_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "report_engine/column_flow.h"

namespace quiral {
namespace {

// Every character is 2 mm wide at 10 pt, widths and lines scale with the size.
class FixedMeasure : public TextMeasure {
 public:
  double width(std::string_view utf8, double size, bool) override {
    size_t characters = 0;
    for (char c : utf8) characters += (uint8_t(c) & 0xC0) != 0x80;
    return double(characters) * 0.2 * size;
  }
  double lineHeight(double size, bool) override { return 0.4 * size; }
};

const FineText* findText(const FineCell& cell, std::string_view start) {
  for (const FineText& text : cell.texts)
    if (text.utf8.rfind(start, 0) == 0) return &text;
  return nullptr;
}

TEST(FineLayout, LongNameShrinksAndTheDescriptionMovesBelowIt) {
  FixedMeasure measure;
  FineCellContent content;
  content.name = std::string(40, 'N');  // 80 mm at 10 pt: wider than the room beside
  content.description = "what it is";
  content.unitCount = "1 elemento";
  content.pictureWidth = content.pictureHeight = 400;
  const FineCell cell = layoutFineCell(measure, FineCatalogKind::Drawings, content);
  const FineText* name = findText(cell, "NNN");
  const FineText* description = findText(cell, "what");
  ASSERT_TRUE(name && description);
  EXPECT_EQ(name->utf8, content.name);  // whole, on one line
  EXPECT_GE(name->size, kFineMinimumFontSize);
  EXPECT_LE(name->left + measure.width(name->utf8, name->size, true), cell.width);
  EXPECT_GE(description->top, name->top + name->lineHeight);
  // The picture is centred in its frame, no larger than three times its natural size.
  EXPECT_NEAR(cell.pictureScale, 3 * 0.0254, 1e-9);
  EXPECT_GE(cell.picture.left, cell.pictureFrame.left);
  EXPECT_LE(cell.picture.left + cell.picture.width,
            cell.pictureFrame.left + cell.pictureFrame.width);
}

TEST(FineLayout, ListCellGrowsForATwoLineDescriptionAndEllipsesTheRest) {
  FixedMeasure measure;
  FineCellContent content;
  content.name = "R";
  content.description = "one two three four five six seven eight nine ten eleven";
  content.aliases = {"R_Small"};
  const FineCell twoLines = layoutFineCell(measure, FineCatalogKind::List, content);
  EXPECT_GT(twoLines.height, 9.3);
  size_t lines = 0;
  double descriptionEnd = 0;
  for (const FineText& text : twoLines.texts) {
    if (text.left < 20 || text.flows) continue;
    ++lines;
    descriptionEnd = text.top + text.lineHeight;
  }
  EXPECT_EQ(lines, 2u);
  // The alias line starts below the description instead of over its second line.
  const FineText* alias = findText(twoLines, "R_Small");
  ASSERT_TRUE(alias);
  EXPECT_GE(alias->top, descriptionEnd);
  EXPECT_LE(alias->top + alias->lineHeight, twoLines.height);
  content.aliases.clear();

  content.description += " and many more words to go past the second line of the box";
  const FineCell cut = layoutFineCell(measure, FineCatalogKind::List, content);
  const FineText& last = cut.texts.back();
  EXPECT_EQ(last.utf8.substr(last.utf8.size() - 3), "\xE2\x80\xA6");
  EXPECT_LE(last.left + measure.width(last.utf8, last.size, false), cut.width);
}

TEST(FineLayout, AliasLinesBreakAfterANameNeverInside) {
  FixedMeasure measure;
  const std::vector<std::string> lines =
      wrapNames(measure, aliasNames("ALIAS STM32F401CCUx STM32F401CBUx AB"), 40, 10);
  EXPECT_EQ(lines, (std::vector<std::string>{"STM32F401CCUx", "STM32F401CBUx AB"}));
  // A name wider than a whole line is broken between characters, whole UTF-8 sequences only.
  const std::vector<std::string> broken =
      wrapWords(measure, "\xC3\xA9\xC3\xA9\xC3\xA9", 4, 10, false);
  EXPECT_EQ(broken, (std::vector<std::string>{"\xC3\xA9\xC3\xA9", "\xC3\xA9"}));
}

TEST(FineLayout, CellTallerThanAColumnGoesOnWithAContinuedHeading) {
  FixedMeasure measure;
  FineCellContent content;
  content.name = "MCU";
  content.unitCount = "1 elemento";
  for (int i = 0; i < 300; ++i) content.aliases.push_back("A" + std::to_string(i));
  const FineCell cell = layoutFineCell(measure, FineCatalogKind::Drawings, content);
  const double room = finePage(FineCatalogKind::Drawings).columnRoom();
  ASSERT_GT(cell.height, room);
  const std::vector<FineCell> pieces =
      splitFineCell(measure, FineCatalogKind::Drawings, cell, content, room);
  ASSERT_GE(pieces.size(), 2u);
  size_t aliases = 0;
  for (const FineCell& piece : pieces) {
    EXPECT_LE(piece.height, room);
    for (const FineText& text : piece.texts) {
      if (text.flows) aliases += size_t(std::count(text.utf8.begin(), text.utf8.end(), ' ')) + 1;
      EXPECT_LE(text.top + text.lineHeight, piece.height);
    }
  }
  EXPECT_EQ(aliases, 300u);
  EXPECT_EQ(pieces[1].texts.front().utf8, "MCU (cont.)");
  EXPECT_FALSE(pieces[1].hasPicture);
  // Every alias is named by exactly one line (for its outline entry); the continuation lays
  // them across the whole cell, not in the first piece's narrow column.
  std::vector<int> named(300, 0);
  for (const FineCell& piece : pieces)
    for (const FineText& text : piece.texts)
      for (size_t k = text.aliasFirst; k < text.aliasFirst + text.aliasCount; ++k) ++named.at(k);
  EXPECT_EQ(std::count(named.begin(), named.end(), 1), 300);
  double widest = 0;
  for (const FineText& text : pieces[1].texts)
    if (text.flows) widest = std::max(widest, measure.width(text.utf8, text.size, false));
  EXPECT_GT(widest, 60);
}

TEST(FineLayout, NamesShrinkSmoothlyAndLongWordsBreakAfterAPunctuationMark) {
  FixedMeasure measure;
  FineCellContent content;
  content.unitCount = "1 elemento";
  content.description = "d";
  // A name one character longer never prints larger than the shorter one, nor much smaller.
  double previous = 10;
  for (size_t length = 8; length < 60; ++length) {
    content.name = std::string(length, 'N');
    const FineCell cell = layoutFineCell(measure, FineCatalogKind::Drawings, content);
    const FineText* name = findText(cell, "N");
    ASSERT_TRUE(name);
    EXPECT_LE(name->size, previous + 1e-9) << length;
    EXPECT_GE(name->size, previous * 0.9 - 0.1) << length;
    previous = name->size;
  }
  EXPECT_EQ(wrapWords(measure, "x multiplexer/demultiplexer", 30, 10, false),
            (std::vector<std::string>{"x", "multiplexer/", "demultiplexer"}));
}

TEST(FineLayout, ColumnFlowFillsDownThenAcrossThenOnToTheNextPage) {
  ColumnFlow flow(2, 100);
  EXPECT_EQ(flow.pagesUsed(), 0);
  const ColumnFlow::Slot a = flow.place(60), b = flow.place(60), c = flow.place(30),
                         d = flow.place(60);
  EXPECT_EQ(std::tie(a.page, a.column), std::make_tuple(0, 0));
  EXPECT_EQ(std::tie(b.page, b.column), std::make_tuple(0, 1));
  EXPECT_EQ(c.column, 1);
  EXPECT_DOUBLE_EQ(c.top, 60);
  EXPECT_EQ(std::tie(d.page, d.column), std::make_tuple(1, 0));
  EXPECT_EQ(flow.pagesUsed(), 2);
  // A cell across both columns goes below the lower of them, or onto a new page; the columns
  // go on below it.
  const ColumnFlow::Slot e = flow.place(10), f = flow.placeAcross(50), g = flow.place(30),
                         h = flow.place(40), i = flow.placeAcross(5);
  EXPECT_EQ(std::tie(e.page, f.page, f.column), std::make_tuple(1, 2, 0));
  EXPECT_DOUBLE_EQ(f.top, 0);
  EXPECT_EQ(std::tie(g.page, g.column), std::make_tuple(2, 0));
  EXPECT_DOUBLE_EQ(g.top, 50);
  EXPECT_EQ(std::tie(h.page, h.column), std::make_tuple(2, 1));
  EXPECT_DOUBLE_EQ(h.top, 50);
  EXPECT_EQ(std::tie(i.page, i.column), std::make_tuple(2, 0));
  EXPECT_DOUBLE_EQ(i.top, 90);
}

}  // namespace
}  // namespace quiral
