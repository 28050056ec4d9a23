#include "kicad_sym/sexpr.h"

#include <gtest/gtest.h>

#include <string>

namespace quiral {
namespace {

std::string errorOf(const std::string& text, const SexprLimits& limits = {}) {
  try {
    SexprDocument::parse(text, limits);
  } catch (const SexprError& e) {
    return e.what();
  }
  return "no error";
}

TEST(Sexpr, ListsWordsAndStringsWithTheirEscapes) {
  const SexprDocument doc = SexprDocument::parse(
      "(symbol \"R_\\\"x\\\"\" (at -1.27 +2 90)\n  (name \"a\\\\b\\nc\\x41\\101\\q\") hide)");
  const Sexpr symbol = doc.root().first();
  EXPECT_TRUE(symbol.is("symbol"));
  EXPECT_EQ(symbol.at(1).text(), "R_\"x\"");
  EXPECT_TRUE(symbol.at(1).isString());
  const Sexpr at = symbol.find("at");
  EXPECT_EQ(*at.number(1), -1.27);
  EXPECT_EQ(*at.number(2), 2);
  EXPECT_EQ(*at.number(3), 90);
  EXPECT_FALSE(at.number(4));
  EXPECT_EQ(symbol.find("name").at(1).text(), "a\\b\ncAA\\q");
  EXPECT_EQ(symbol.at(4).text(), "hide");
  EXPECT_FALSE(symbol.at(5).valid());
  EXPECT_EQ(symbol.find("name").line(), 2u);
  EXPECT_EQ(symbol.find("name").column(), 3u);
  // A list's next sibling comes after all its descendants.
  EXPECT_EQ(symbol.find("at").next().head(), "name");
  int children = 0;
  for (Sexpr child : symbol) children += child.valid();
  EXPECT_EQ(children, 5);
  EXPECT_FALSE(parseDecimal("1.5e3x"));
  EXPECT_FALSE(parseDecimal("nan"));
  EXPECT_EQ(*parseDecimal("1e-3"), 0.001);
}

TEST(Sexpr, MalformedTextNamesTheLineAndColumn) {
  EXPECT_EQ(errorOf("(a\n (b c)\n (d"),
            "line 3, column 4: the text ends inside the list opened at line 3, column 2");
  EXPECT_EQ(errorOf("(a)\n )"), "line 2, column 2: a ')' closes no list");
  EXPECT_EQ(errorOf("(a\n  \"open"), "line 2, column 3: the quoted string is not closed");
  SexprLimits limits;
  limits.maxDepth = 3;
  EXPECT_EQ(errorOf("(((x)))", limits), "no error");
  EXPECT_EQ(errorOf("((((x))))", limits),
            "line 1, column 4: lists nested deeper than the limit of 3");
  limits.maxTokenBytes = 4;
  EXPECT_EQ(errorOf("(abcd \"abcde\")", limits), "line 1, column 7: a token longer than 4 bytes");
  limits.maxTokens = 5;
  EXPECT_EQ(errorOf("(a b c d e)", limits), "line 1, column 8: more than the limit of 5 tokens");
}

TEST(Sexpr, AHundredMegabyteStringIsRefusedAtItsStart) {
  std::string text = "(a \"";
  text.append(size_t(100) << 20, 'x');
  text += "\")";
  EXPECT_EQ(errorOf(text), "line 1, column 4: a token longer than 1048576 bytes");
}

// Gives the text a few bytes at a time, so that every child runs across window ends.
class TrickleSource : public TextSource {
 public:
  TrickleSource(std::string text, size_t step) : text_(std::move(text)), step_(step) {}
  bool readMore(std::string& out, size_t max) override {
    const size_t n = std::min({max, step_, text_.size() - pos_});
    out.append(text_, pos_, n);
    pos_ += n;
    return n > 0;
  }

 private:
  std::string text_;
  size_t step_;
  size_t pos_ = 0;
};

std::string describeStream(SexprListStream& stream) {
  std::string out(stream.head());
  SexprDocument child;
  while (stream.next(child)) {
    const Sexpr node = child.root().first();
    out += " [" + std::string(node.isList() ? node.head() : node.text()) + "@" +
           std::to_string(node.line()) + ":" + std::to_string(node.column()) + "]";
  }
  return out;
}

TEST(SexprListStream, ReadsChildrenOneAtATimeFromTextOrSource) {
  const std::string text =
      "(kicad_symbol_lib (version 20211014)\n  (symbol \"A\" (pin (at 1 2)))\n  word\n"
      "  (symbol \"a much longer name\" (property \"x\" \"\\\"y\\\"\"))\n)";
  SexprListStream whole(text);
  const std::string expected = describeStream(whole);
  EXPECT_EQ(expected, "kicad_symbol_lib [version@1:19] [symbol@2:3] [word@3:3] [symbol@4:3]");
  for (size_t step : {1, 2, 7, 1000}) {
    TrickleSource source(text, step);
    SexprListStream stream(source);
    EXPECT_EQ(describeStream(stream), expected) << step;
  }
  const std::string withTrailingWord = text + " x";
  SexprListStream trailing(withTrailingWord);
  EXPECT_THROW(describeStream(trailing), SexprError);
  TrickleSource truncated(text.substr(0, text.size() - 8), 3);
  SexprListStream stream(truncated);
  EXPECT_THROW(describeStream(stream), SexprError);
}

// The token bound is what one child holds, not what the whole list holds: a long library of
// small symbols reads, a symbol beyond the bound is refused with the bound in the message.
TEST(SexprListStream, TokenBoundHoldsPerChild) {
  SexprLimits limits;
  limits.maxTokens = 7;
  std::string text = "(lib";
  for (int i = 0; i < 1000; ++i) text += " (symbol \"s\" (pin 1))";
  text += ")";
  for (size_t step : {5, 100000}) {
    TrickleSource source(text + " ", step);
    SexprListStream stream(source, limits);
    SexprDocument child;
    int children = 0;
    while (stream.next(child)) ++children;
    EXPECT_EQ(children, 1000) << step;
  }
  const std::string big = "(lib (symbol \"s\" (pin 1)) (symbol \"t\" (pin 1 2 3)))";
  SexprListStream stream(big, limits);
  try {
    describeStream(stream);
    ADD_FAILURE() << "no error";
  } catch (const SexprError& e) {
    EXPECT_STREQ(e.what(), "line 1, column 46: a list of more than the limit of 7 tokens");
  }
}

}  // namespace
}  // namespace quiral
