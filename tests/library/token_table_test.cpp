#include "library/token_table.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quiral {
namespace {

TEST(TokenizeLine, RectangleLineKindsAndCount) {
  TokenTable t;
  EXPECT_EQ(TokenizeLine(t, "S -100 0 100 200 0 1 0 N"), 9);
  EXPECT_EQ(t[2].text, "-100");
  EXPECT_EQ(t[2].kind, TokenKind::Number);
  EXPECT_EQ(t[9].text, "N");
  EXPECT_EQ(t[9].kind, TokenKind::Word);
  EXPECT_EQ(t[10].kind, TokenKind::Empty);
}

TEST(TokenizeLine, QuotesAndTheirTransitions) {
  TokenTable t;
  EXPECT_EQ(TokenizeLine(t, "F0 \"U\" 0 -150 50 H V C C"), 9);
  EXPECT_EQ(t[2].text, "U");
  EXPECT_EQ(t[2].kind, TokenKind::Word);
  EXPECT_EQ(t[4].kind, TokenKind::Number);

  EXPECT_EQ(TokenizeLine(t, "F2 \"\" 0 0 50 H I C C"), 9);
  EXPECT_EQ(t[2].text, "");
  EXPECT_EQ(t[3].text, "0");

  EXPECT_EQ(TokenizeLine(t, "F1 \"abc 0 0"), 2);
  EXPECT_EQ(t[2].text, "abc 0 0");
  EXPECT_EQ(t[2].kind, TokenKind::OpenQuote);

  EXPECT_EQ(TokenizeLine(t, "\"a\"\"b\""), 2);
  EXPECT_EQ(t[1].text, "a");
  EXPECT_EQ(t[2].text, "b");

  EXPECT_EQ(TokenizeLine(t, "AB\"C D\""), 2);
  EXPECT_EQ(t[1].text, "AB");
  EXPECT_EQ(t[2].text, "C D");
  // A number ended by a quote or by the line's end is a Word.
  EXPECT_EQ(TokenizeLine(t, "12\"x\" 34"), 3);
  EXPECT_EQ(t[1].kind, TokenKind::Word);
  EXPECT_EQ(t[3].kind, TokenKind::Word);
}

// KiCad writes a double quote inside a text as \" and reads only that escape back.
TEST(TokenizeLine, EscapedQuotesStayInsideTheirText) {
  TokenTable t;
  EXPECT_EQ(TokenizeLine(t, R"(F1 "2\" pitch \ hdr" 0 -100 50 H V C CNN)"), 9);
  EXPECT_EQ(t[2].text, R"(2" pitch \ hdr)");
  EXPECT_EQ(t[2].kind, TokenKind::Word);
  EXPECT_EQ(t[3].text, "0");
  // A doubled backslash is two backslashes, and the second still escapes a quote after it.
  EXPECT_EQ(TokenizeLine(t, R"(T "a\\"b" x)"), 3);
  EXPECT_EQ(t[2].text, R"(a\"b)");
  EXPECT_EQ(TokenizeLine(t, R"(F4 "C:\ " "Path")"), 3);
  EXPECT_EQ(t[2].text, "C:\\ ");
  EXPECT_EQ(t[3].text, "Path");
  EXPECT_EQ(TokenizeLine(t, R"(F0 "open\")"), 2);
  EXPECT_EQ(t[2].text, "open\"");
  EXPECT_EQ(t[2].kind, TokenKind::OpenQuote);
}

TEST(TokenizeLine, SpacesTabsAndNumberTest) {
  TokenTable t;
  EXPECT_EQ(TokenizeLine(t, "   X  A   1   "), 3);
  EXPECT_EQ(t[4].kind, TokenKind::Empty);
  EXPECT_EQ(TokenizeLine(t, "P 2 0 1 0 0 0 10 10 F "), 10);
  EXPECT_EQ(TokenizeLine(t, "      "), 0);
  for (int i = 1; i <= TokenTable::kSize; ++i) ASSERT_EQ(t[i].kind, TokenKind::Empty) << i;
  EXPECT_EQ(TokenizeLine(t, "S\t0 0"), 2);
  EXPECT_EQ(t[1].text, "S\t0");
  EXPECT_EQ(TokenizeLine(t, "1.5e3 + x"), 3);
  EXPECT_EQ(t[1].kind, TokenKind::Word);
  EXPECT_EQ(t[2].kind, TokenKind::Number);
}

TEST(TokenizeLine, KeepsFirst300TokensAndResetsEverything) {
  TokenTable t;
  std::string line;
  for (int i = 1; i <= 400; ++i) line += std::to_string(i) + " ";
  EXPECT_EQ(TokenizeLine(t, line), 300);
  EXPECT_EQ(t[300].text, "300");
  EXPECT_EQ(t[301].text, "");
  EXPECT_EQ(t[0].text, "");
  // A shorter line leaves nothing of the longer one behind.
  EXPECT_EQ(TokenizeLine(t, "X"), 1);
  EXPECT_EQ(t[2].text, "");
  EXPECT_EQ(t[300].kind, TokenKind::Empty);
  // More than 300 quoted texts, the last one open.
  line.clear();
  for (int i = 0; i < 350; ++i) line += "\"q\"";
  line += "\"open";
  EXPECT_EQ(TokenizeLine(t, line), 300);
  EXPECT_EQ(t[300].text, "q");
}

TEST(TokenizeLine, StateTransitionsAtQuotes) {
  TokenTable t;
  EXPECT_EQ(TokenizeLine(t, "a\""), 2);  // a quote right after a word opens an empty text
  EXPECT_EQ(t[1].kind, TokenKind::Word);
  EXPECT_EQ(t[2].text, "");
  EXPECT_EQ(t[2].kind, TokenKind::OpenQuote);
  EXPECT_EQ(TokenizeLine(t, "\"a\"b c"), 3);  // a closed quote goes back to between tokens
  EXPECT_EQ(t[1].text, "a");
  EXPECT_EQ(t[2].text, "b");
  EXPECT_EQ(t[2].kind, TokenKind::Word);
  EXPECT_EQ(TokenizeLine(t, "\"  +5 V \" 7 "), 2);  // inner spaces and signs stay
  EXPECT_EQ(t[1].text, "  +5 V ");
  EXPECT_EQ(t[1].kind, TokenKind::Word);
  EXPECT_EQ(t[2].kind, TokenKind::Number);
  EXPECT_EQ(TokenizeLine(t, "\""), 1);
  EXPECT_EQ(t[1].kind, TokenKind::OpenQuote);
  EXPECT_EQ(TokenizeLine(t, "+5V - . 12"), 4);
  EXPECT_EQ(t[1].kind, TokenKind::Word);
  EXPECT_EQ(t[2].kind, TokenKind::Number);
  EXPECT_EQ(t[3].kind, TokenKind::Number);
  EXPECT_EQ(t[4].kind, TokenKind::Word);                    // ended by the line's end
  EXPECT_EQ(TokenizeLine(t, "\xe9t\xe9 \x01\x7f\xff"), 2);  // bytes pass through unchanged
  EXPECT_EQ(t[1].text, "\xe9t\xe9");
  EXPECT_EQ(t[2].text, "\x01\x7f\xff");
}

TEST(TokenizeLine, TheBoundAtPosition300) {
  TokenTable t;
  std::string line;
  for (int i = 1; i <= 299; ++i) line += "w ";
  EXPECT_EQ(TokenizeLine(t, line + "last\"dropped\" more"), 300);
  EXPECT_EQ(t[300].text, "last");
  EXPECT_EQ(TokenizeLine(t, line + "\"open to the end"), 300);
  EXPECT_EQ(t[300].text, "open to the end");
  EXPECT_EQ(t[300].kind, TokenKind::OpenQuote);
  EXPECT_EQ(TokenizeLine(t, line + "300 301 302"), 300);
  EXPECT_EQ(t[300].text, "300");
  EXPECT_EQ(t[300].kind, TokenKind::Number);
  // Positions outside 1..300 read as empty, whatever the line held.
  EXPECT_EQ(t[301].kind, TokenKind::Empty);
  EXPECT_EQ(t[-1].text, "");
  EXPECT_EQ(t.text(1000000), "");
}

// The table is cleared only as far as the previous line used it: after any run of lines it must
// hold exactly what a fresh table filled by the last line holds, including at the 300 bound.
TEST(TokenizeLine, AfterAnyLinesTheTableIsTheLastLinesAlone) {
  const std::string pieces[] = {"S", "-100", "\"a b\"", "\"",   "\"\"",
                                " ", "  ",   "\t",      "x\"y", "+5V"};
  std::mt19937 random(14);
  TokenTable reused;
  for (int round = 0; round < 400; ++round) {
    std::string line;
    const int length = round % 50 == 0 ? 700 : int(random() % 40);
    for (int i = 0; i < length; ++i) line += pieces[random() % std::size(pieces)] + " ";
    if (!line.empty() && random() % 2) line.pop_back();  // also lines that end in a token
    const int count = TokenizeLine(reused, line);
    TokenTable fresh;
    ASSERT_EQ(TokenizeLine(fresh, line), count) << line;
    for (int position = 1; position <= TokenTable::kSize; ++position) {
      ASSERT_EQ(reused[position].text, fresh[position].text) << line << " @" << position;
      ASSERT_EQ(reused[position].kind, fresh[position].kind) << line << " @" << position;
    }
  }
}

}  // namespace
}  // namespace quiral
