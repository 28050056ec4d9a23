#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quiral {

enum class TokenKind : uint8_t {
  Word = 0,
  Number = 1,
  Empty = 6,
  OpenQuote = 7,
};

struct Token {
  std::string text;
  TokenKind kind = TokenKind::Empty;
};

// The fixed table of 300 tokens that each line is split into. Positions count from 1; a position
// outside 1..300 reads as an empty token, so record readers may ask for any position.
class TokenTable {
 public:
  static constexpr int kSize = 300;

  const Token& operator[](int position) const {
    return (position >= 1 && position <= kSize) ? tokens_[size_t(position - 1)] : emptyToken();
  }
  const std::string& text(int position) const { return (*this)[position].text; }

 private:
  friend int TokenizeLine(TokenTable& table, std::string_view line);
  static const Token& emptyToken();
  std::array<Token, kSize> tokens_{};
  // Positions 1..used_ may hold something; every later one is empty, so the next line needs to
  // clear only what this one left.
  int used_ = 0;
};

// Splits one line (without its line end) into the table and returns the count stored, 0..300.
// Only the space separates tokens; double quotes open and close texts, and a backslash before a
// double quote inside a text escapes it; see the file's comments.
// A line of more than 300 tokens keeps the first 300.
int TokenizeLine(TokenTable& table, std::string_view line);

const char* tokenKindName(TokenKind kind);

}  // namespace quiral
