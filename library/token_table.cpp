#include "library/token_table.h"

namespace quiral {

const Token& TokenTable::emptyToken() {
  static const Token empty;
  return empty;
}

namespace {

bool looksNumeric(const std::string& text) {
  for (char c : text) {
    if (!(c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

enum class State { Between, InWord, InQuote };

}  // namespace

int TokenizeLine(TokenTable& table, std::string_view line) {
  // Each stored position gets its whole text and kind anew; the positions past the last token
  // that the previous line used are emptied at the end. That leaves the table as a cleared one
  // filled by this line, without touching all 300 entries for every line.
  int next = 1;  // next free position
  State state = State::Between;
  // The pending text is built in place at the next position; once the table is full, further
  // tokens are scanned but dropped.
  std::string overflow;
  auto pending = [&]() -> std::string& {
    return next <= TokenTable::kSize ? table.tokens_[size_t(next - 1)].text : overflow;
  };
  auto store = [&](TokenKind kind) {
    if (next <= TokenTable::kSize) {
      table.tokens_[size_t(next - 1)].kind = kind;
      ++next;
    } else {
      overflow.clear();
    }
  };

  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    switch (state) {
      case State::Between:
        if (c == ' ') break;
        if (c == '"') {
          pending().clear();
          state = State::InQuote;
        } else {
          pending().assign(1, c);
          state = State::InWord;
        }
        break;
      case State::InWord:
        if (c == ' ') {
          store(looksNumeric(pending()) ? TokenKind::Number : TokenKind::Word);
          state = State::Between;
        } else if (c == '"') {
          store(TokenKind::Word);
          pending().clear();
          state = State::InQuote;
        } else {
          // Append the whole run of ordinary bytes at once.
          size_t j = i;
          while (j < line.size() && line[j] != ' ' && line[j] != '"') ++j;
          pending().append(line.data() + i, j - i);
          i = j - 1;
        }
        break;
      case State::InQuote:
        if (c == '"') {
          store(TokenKind::Word);
          state = State::Between;
        } else {
          size_t j = i;
          while (j < line.size() && line[j] != '"') ++j;
          pending().append(line.data() + i, j - i);
          i = j - 1;
        }
        break;
    }
  }
  if (state == State::InWord) store(TokenKind::Word);
  if (state == State::InQuote) store(TokenKind::OpenQuote);
  // clear() keeps the strings' buffers for reuse.
  for (int position = next; position <= table.used_; ++position) {
    table.tokens_[size_t(position - 1)].text.clear();
    table.tokens_[size_t(position - 1)].kind = TokenKind::Empty;
  }
  if (next <= TokenTable::kSize) pending().clear();
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
