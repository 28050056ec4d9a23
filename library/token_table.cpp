#include "library/token_table.h"

#include <cstring>
#include <string>

namespace quiral {

const Token& TokenTable::emptyToken() {
  static const Token empty;
  return empty;
}

namespace {

bool isNumberByte(char c) {
  return c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9');
}

// A quoted text that holds an escaped quote: KiCad writes a double quote inside a text as a
// backslash and the quote, and reads that pair back as the quote (no other escape). Stores the
// text and returns the position after it.
template <typename Store>
size_t storeEscapedText(const char* data, size_t n, size_t start, Store& store) {
  std::string text;
  size_t i = start;
  for (; i < n && data[i] != '"'; ++i) {
    if (data[i] == '\\' && i + 1 < n && data[i + 1] == '"') ++i;
    text += data[i];
  }
  store(text.data(), text.size(), i < n ? TokenKind::Word : TokenKind::OpenQuote);
  return i < n ? i + 1 : n;
}

}  // namespace

int TokenizeLine(TokenTable& table, std::string_view line) {
  // Each stored position gets its whole text and kind anew; the positions past the last token
  // that the previous line used are emptied at the end. That leaves the table as a cleared one
  // filled by this line, without touching all 300 entries for every line.
  //
  // The line is read a token at a time rather than a byte at a time: between tokens spaces are
  // skipped; a double quote opens a text that runs to the next double quote (or the line's end);
  // any other byte starts a word that runs to the next space or double quote. A word ended by a
  // space is a Number when all its bytes are "+", "-", "." or digits; a word ended by a quote or
  // the line's end is a Word; a text the line's end left open is an OpenQuote. Once the table is
  // full, further tokens are scanned but dropped.
  int next = 1;  // next free position
  auto store = [&](const char* text, size_t size, TokenKind kind) {
    if (next > TokenTable::kSize) return;
    Token& token = table.tokens_[size_t(next - 1)];
    token.text.assign(text, size);  // keeps the string's buffer when it is large enough
    token.kind = kind;
    ++next;
  };
  const char* const data = line.data();
  const size_t n = line.size();
  size_t i = 0;
  while (i < n) {
    const char c = data[i];
    if (c == ' ') {
      ++i;
    } else if (c == '"') {
      const size_t start = i + 1;
      const void* close = start < n ? std::memchr(data + start, '"', n - start) : nullptr;
      if (close && static_cast<const char*>(close) > data + start &&
          static_cast<const char*>(close)[-1] == '\\') {
        i = storeEscapedText(data, n, start, store);
        continue;
      }
      if (!close) {
        store(data + start, n - start, TokenKind::OpenQuote);
        break;
      }
      const size_t end = size_t(static_cast<const char*>(close) - data);
      store(data + start, end - start, TokenKind::Word);
      i = end + 1;
    } else {
      size_t j = i;
      bool numeric = true;
      for (; j < n && data[j] != ' ' && data[j] != '"'; ++j)
        numeric = numeric && isNumberByte(data[j]);
      const bool endedBySpace = j < n && data[j] == ' ';
      store(data + i, j - i, endedBySpace && numeric ? TokenKind::Number : TokenKind::Word);
      i = j;  // the space or quote is handled as the next byte
    }
  }
  // clear() keeps the strings' buffers for reuse.
  for (int position = next; position <= table.used_; ++position) {
    table.tokens_[size_t(position - 1)].text.clear();
    table.tokens_[size_t(position - 1)].kind = TokenKind::Empty;
  }
  table.used_ = next - 1;
  return next - 1;
}

const char* tokenKindName(TokenKind kind) {
  switch (kind) {
    case TokenKind::Word:
      return "Word";
    case TokenKind::Number:
      return "Number";
    case TokenKind::Empty:
      return "Empty";
    case TokenKind::OpenQuote:
      return "OpenQuote";
  }
  return "?";
}

}  // namespace quiral
