// The S-expression reader: one pass over the text with every bound checked before anything is
// stored.

#include <algorithm>
#include <cstring>
#include <string>

#include "kicad_sym/sexpr.h"

namespace quiral {

namespace {

enum CharClass : uint8_t { kWordByte, kSpace, kOpen, kClose, kQuote };

struct CharClasses {
  CharClass of[256] = {};
  constexpr CharClasses() {
    for (char c : {' ', '\t', '\n', '\r', '\f', '\v'}) of[static_cast<unsigned char>(c)] = kSpace;
    of[static_cast<unsigned char>('(')] = kOpen;
    of[static_cast<unsigned char>(')')] = kClose;
    of[static_cast<unsigned char>('"')] = kQuote;
  }
  CharClass operator[](char c) const { return of[static_cast<unsigned char>(c)]; }
};
constexpr CharClasses kClasses{};

// Offsets and sizes are kept in 30 bits.
constexpr size_t kLargestValue = (size_t(1) << 30) - 1;

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

[[noreturn]] void fail(const LineIndex& lines, size_t offset, const std::string& what) {
  uint32_t line = 0, column = 0;
  lines.locate(uint32_t(offset), line, column);
  throw SexprError(line, column, what);
}

}  // namespace

// Parses into a document whose root list receives either every expression up to the end of the
// text, or only the one expression that starts at `start`. Nodes are stored in text order, so a
// list's first child is the node right after it; each node links to its next sibling.
class SexprParser {
 public:
  SexprParser(SexprDocument& document, const SexprLimits& limits, size_t depthAbove,
              size_t tokensBefore)
      : doc_(document),
        text_(document.source_),
        maxDepth_(limits.maxDepth > depthAbove ? limits.maxDepth - depthAbove : 0),
        maxTokenBytes_(std::min(limits.maxTokenBytes, kLargestValue)),
        maxTokens_(limits.maxTokens > tokensBefore ? limits.maxTokens - tokensBefore : 0) {}

  // Returns the offset after what was read.
  size_t run(size_t start, bool onlyOne) {
    if (text_.size() >= kLargestValue) throw SexprError(1, 1, "the text is too large");
    pos_ = start;
    onlyOne_ = onlyOne;
    if (!onlyOne) doc_.nodes_.reserve(std::min(maxTokens_, text_.size() / 3 + 16));
    addNode(SexprDocument::List, start, 0);  // the root
    open_.push_back({0, Sexpr::kNone});
    const char* const data = text_.data();
    const size_t size = text_.size();
    while (pos_ < size && !done_) {
      switch (kClasses[data[pos_]]) {
        case kSpace:
          ++pos_;
          break;
        case kOpen:
          openList();
          break;
        case kClose:
          closeList();
          break;
        case kQuote:
          readString();
          break;
        default:
          readWord();
          break;
      }
    }
    if (open_.size() > 1) {
      uint32_t line = 0, column = 0;
      doc_.lines_->locate(doc_.nodes_[open_.back().node].offset, line, column);
      fail(*doc_.lines_, size,
           "the text ends inside the list opened at line " + std::to_string(line) + ", column " +
               std::to_string(column));
    }
    close(0);
    return pos_;
  }

 private:
  struct OpenList {
    uint32_t node;
    uint32_t lastChild;
  };

  void failAt(size_t offset, const std::string& what) const { fail(*doc_.lines_, offset, what); }

  void addNode(SexprDocument::Kind kind, size_t offset, size_t value) {
    if (doc_.nodes_.size() >= maxTokens_)
      failAt(offset, "more than " + std::to_string(maxTokens_) + " tokens");
    doc_.nodes_.push_back({uint32_t(offset), Sexpr::kNone, uint32_t(value << 2) | kind});
    const uint32_t index = uint32_t(doc_.nodes_.size() - 1);
    if (!open_.empty()) {
      OpenList& parent = open_.back();
      if (parent.lastChild != Sexpr::kNone) doc_.nodes_[parent.lastChild].nextSibling = index;
      parent.lastChild = index;
      if (onlyOne_ && open_.size() == 1) done_ = kind != SexprDocument::List;
    }
  }

  // A list's value is the index after its last descendant.
  void close(uint32_t list) {
    doc_.nodes_[list].packed = uint32_t(doc_.nodes_.size() << 2) | SexprDocument::List;
  }

  void openList() {
    if (open_.size() > maxDepth_)
      failAt(pos_, "lists nested deeper than the limit of " + std::to_string(maxDepth_));
    addNode(SexprDocument::List, pos_, 0);
    open_.push_back({uint32_t(doc_.nodes_.size() - 1), Sexpr::kNone});
    ++pos_;
  }

  void closeList() {
    if (open_.size() <= 1) failAt(pos_, "a ')' closes no list");
    close(open_.back().node);
    open_.pop_back();
    ++pos_;
    if (onlyOne_ && open_.size() == 1) done_ = true;
  }

  void checkTokenSize(size_t size, size_t start) const {
    if (size > maxTokenBytes_)
      failAt(start, "a token longer than " + std::to_string(maxTokenBytes_) + " bytes");
  }

  void readWord() {
    const size_t start = pos_;
    const char* const data = text_.data();
    while (pos_ < text_.size() && kClasses[data[pos_]] == kWordByte) ++pos_;
    checkTokenSize(pos_ - start, start);
    addNode(SexprDocument::Word, start, pos_ - start);
  }

  void readString() {
    const size_t quote = pos_;
    const size_t start = quote + 1;
    // Most strings hold no escape: they are used in place.
    const char* const begin = text_.data() + start;
    const size_t rest = text_.size() - start;
    const void* close = std::memchr(begin, '"', rest);
    const size_t length = close ? size_t(static_cast<const char*>(close) - begin) : rest;
    if (close && !std::memchr(begin, '\\', length)) {
      checkTokenSize(length, quote);
      addNode(SexprDocument::String, quote, length);
      pos_ = start + length + 1;
      return;
    }
    std::string value;
    pos_ = start;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      checkTokenSize(value.size(), quote);
      if (text_[pos_] != '\\' || pos_ + 1 >= text_.size()) {
        value += text_[pos_++];
        continue;
      }
      pos_ = unescape(pos_ + 1, value);
    }
    if (pos_ >= text_.size()) failAt(quote, "the quoted string is not closed");
    checkTokenSize(value.size(), quote);
    doc_.unescaped_.push_back(std::move(value));
    addNode(SexprDocument::EscapedString, quote, doc_.unescaped_.size() - 1);
    ++pos_;
  }

  // Appends what the escape after a backslash stands for; returns the position after it.
  size_t unescape(size_t at, std::string& value) {
    const char c = text_[at];
    static constexpr std::string_view kLetters = "ntrabfv", kBytes = "\n\t\r\a\b\f\v";
    if (const size_t letter = kLetters.find(c); letter != std::string_view::npos) {
      value += kBytes[letter];
      return at + 1;
    }
    if (c == '"' || c == '\\') {
      value += c;
      return at + 1;
    }
    int code = 0, digits = 0;
    if (c == 'x') {
      while (digits < 2 && at + 1 + digits < text_.size() && hexDigit(text_[at + 1 + digits]) >= 0)
        code = code * 16 + hexDigit(text_[at + 1 + digits++]);
      if (digits > 0) {
        value += char(code);
        return at + 1 + digits;
      }
    } else if (c >= '0' && c <= '7') {
      while (digits < 3 && at + digits < text_.size() && text_[at + digits] >= '0' &&
             text_[at + digits] <= '7')
        code = code * 8 + (text_[at + digits++] - '0');
      value += char(code & 0xFF);
      return at + digits;
    }
    // Not an escape we know: the backslash stays, and the byte after it is read as usual.
    value += '\\';
    return at;
  }

  SexprDocument& doc_;
  std::string_view text_;
  const size_t maxDepth_;
  const size_t maxTokenBytes_;
  const size_t maxTokens_;
  std::vector<OpenList> open_;
  size_t pos_ = 0;
  bool onlyOne_ = false;
  bool done_ = false;
};

SexprDocument SexprDocument::parse(std::string text, const SexprLimits& limits) {
  SexprDocument document;
  auto owned = std::make_shared<const std::string>(std::move(text));
  document.source_ = *owned;
  document.ownedText_ = std::move(owned);
  document.lines_ = std::make_shared<const LineIndex>(document.source_);
  SexprParser(document, limits, 0, 0).run(0, false);
  return document;
}

SexprListStream::SexprListStream(std::string_view text, const SexprLimits& limits)
    : text_(text), limits_(limits), lines_(std::make_shared<const LineIndex>(text)) {
  if (text_.size() >= kLargestValue) throw SexprError(1, 1, "the text is too large");
  skipSpace();
  if (pos_ >= text_.size() || text_[pos_] != '(') fail(*lines_, pos_, "the text is not a list");
  ++pos_;
  skipSpace();
  const size_t start = pos_;
  while (pos_ < text_.size() && kClasses[text_[pos_]] == kWordByte) ++pos_;
  head_ = text_.substr(start, pos_ - start);
  tokensRead_ = 2;
}

void SexprListStream::skipSpace() {
  while (pos_ < text_.size() && kClasses[text_[pos_]] == kSpace) ++pos_;
}

bool SexprListStream::next(SexprDocument& child) {
  if (ended_) return false;
  skipSpace();
  if (pos_ >= text_.size()) fail(*lines_, pos_, "the text ends inside the list opened at line 1");
  if (text_[pos_] == ')') {
    ended_ = true;
    return false;
  }
  child.clear();
  child.ownedText_.reset();
  child.source_ = text_;
  child.lines_ = lines_;
  // The child's root stands in for the outer list, which counts for one level of nesting.
  pos_ = SexprParser(child, limits_, 1, tokensRead_).run(pos_, true);
  tokensRead_ += child.nodes_.size() - 1;
  return true;
}

}  // namespace quiral
