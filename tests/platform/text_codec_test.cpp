#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace quiral {
namespace {

TEST(TextCodec, ValidUtf8IsDecodedAsUtf8) {
  EXPECT_TRUE(isValidUtf8(""));
  EXPECT_TRUE(isValidUtf8("plain"));
  EXPECT_TRUE(isValidUtf8("Cat\xC3\xA1logo \xE2\x82\xAC \xF0\x9F\x98\x80"));
  EXPECT_EQ(decodeText("\xC3\xA1\xE2\x82\xAC\xF0\x9F\x98\x80"),
            (std::u32string{0xE1, 0x20AC, 0x1F600}));
  EXPECT_EQ(displayText("Cat\xC3\xA1logo"), "Cat\xC3\xA1logo");
}

TEST(TextCodec, InvalidUtf8IsWindows1252) {
  // Overlong, surrogate, truncated, past U+10FFFF and stray continuation bytes are all invalid.
  for (std::string_view bad :
       {"\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "\xF4\x90\x80\x80", "\x80", "a\xFF"}) {
    EXPECT_FALSE(isValidUtf8(bad)) << testing::PrintToString(std::string(bad));
  }
  EXPECT_EQ(decodeText("Cat\xE1logo \x80\x81\x9F"),
            (std::u32string{'C', 'a', 't', 0xE1, 'l', 'o', 'g', 'o', ' ', 0x20AC, 0x81, 0x178}));
  EXPECT_EQ(displayText("\xE9t\xE9 \x80"), "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
  EXPECT_TRUE(isValidUtf8(displayText(std::string("\x00\x90\xFF", 3))));
}

TEST(TextCodec, ALongTextIsCutBetweenCharactersWithAnEllipsis) {
  bool cut = true;
  EXPECT_EQ(boundedText("short", 5, &cut), "short");
  EXPECT_FALSE(cut);
  // Three two-byte characters: six bytes, but not longer than three characters.
  EXPECT_EQ(boundedText("\xC3\xA1\xC3\xA9\xC3\xAD", 3, &cut), "\xC3\xA1\xC3\xA9\xC3\xAD");
  EXPECT_FALSE(cut);
  EXPECT_EQ(boundedText("\xC3\xA1\xC3\xA9\xC3\xAD", 2, &cut), "\xC3\xA1\xC3\xA9\xE2\x80\xA6");
  EXPECT_TRUE(cut);
  EXPECT_EQ(boundedText(std::string(10000, 'x')).size(), kLongestShownText + 3);
  // A Windows-1252 text is cut by bytes and ends with that encoding's ellipsis, so that it is
  // still shown as Windows-1252; a UTF-8 one is cut as above.
  EXPECT_EQ(displayText(boundedLibraryText("\xE9t\xE9 d\xE9j\xE0", 4, &cut)),
            "\xC3\xA9t\xC3\xA9 \xE2\x80\xA6");
  EXPECT_TRUE(cut);
  EXPECT_EQ(boundedLibraryText("\xC3\xA1\xC3\xA9\xC3\xAD", 3, &cut), "\xC3\xA1\xC3\xA9\xC3\xAD");
  EXPECT_FALSE(cut);
}

}  // namespace
}  // namespace quiral
