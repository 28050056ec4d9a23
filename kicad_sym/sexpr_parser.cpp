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

[[noreturn]] void fail(const LineCounter& lines, size_t offset, const std::string& what) {
  uint32_t line = 0, column = 0;
  lines.locate(uint32_t(offset), line, column);
  throw SexprError(line, column, what);
}

}  // namespace

// Parses into a document whose root list receives either every expression up to the end of the
// text, or only the one expression that starts at `start`. When more text may follow the text
// at hand, an expression that runs past its end is reported as incomplete instead of malformed.
// Nodes are stored in text order, so a list's first child is the node right after it, and its next
// sibling the node after its last descendant.
class SexprParser {
 public:
  static constexpr size_t kIncomplete = SIZE_MAX;

  SexprParser(SexprDocument& document, const SexprLimits& limits, size_t depthAbove,
              bool moreMayFollow = false)
      : doc_(document),
        moreMayFollow_(moreMayFollow),
        text_(document.source_),
        maxDepth_(limits.maxDepth > depthAbove ? limits.maxDepth - depthAbove : 0),
        maxTokenBytes_(std::min(limits.maxTokenBytes, kLargestValue)),
        maxTokens_(limits.maxTokens) {}

  // Returns the offset after what was read, or kIncomplete.
  size_t run(size_t start, bool onlyOne) {
    if (doc_.base_ + text_.size() >= kLargestValue) throw SexprError(1, 1, "the text is too large");
    pos_ = start;
    onlyOne_ = onlyOne;
    if (!onlyOne) doc_.nodes_.reserve(std::min(maxTokens_, text_.size() / 3 + 16));
    addNode(SexprDocument::List, start, 0);  // the root
    open_.push_back(0);
    // Spaces and words, most of the text, are read here with the position in a local.
    const char* const data = text_.data();
    const char* const end = data + text_.size();
    const char* p = data + start;
    while (p < end && !done_) {
      const CharClass c = kClasses[*p];
      if (c == kSpace) {
        ++p;
        continue;
      }
      if (c == kWordByte) {
        const char* const word = p;
        do ++p;
        while (p < end && kClasses[*p] == kWordByte);
        checkTokenSize(size_t(p - word), size_t(word - data));
        if (p == end && moreMayFollow_) return kIncomplete;  // the word may go on
        addAtom(SexprDocument::Word, size_t(word - data), size_t(p - word));
        continue;
      }
      pos_ = size_t(p - data);
      if (c == kOpen) {
        openList();
      } else if (c == kClose) {
        closeList();
      } else if (!readString()) {
        return kIncomplete;
      }
      p = data + pos_;
    }
    pos_ = size_t(p - data);
    const size_t size = text_.size();
    if (!done_ && onlyOne_ && moreMayFollow_) return kIncomplete;
    if (open_.size() > 1) {
      uint32_t line = 0, column = 0;
      doc_.lines_->locate(uint32_t(doc_.base_ + doc_.nodes_[open_.back()].offset), line, column);
      failAt(size, "the text ends inside the list opened at line " + std::to_string(line) +
                       ", column " + std::to_string(column));
    }
    close(0);
    return pos_;
  }

 private:
  void failAt(size_t offset, const std::string& what) const {
    fail(*doc_.lines_, doc_.base_ + offset, what);
  }

  [[gnu::cold, gnu::noinline]] void tooManyTokens(size_t offset) const {
    failAt(offset, (onlyOne_ ? "a list of more than the limit of " : "more than the limit of ") +
                       std::to_string(maxTokens_) + " tokens");
  }

  [[gnu::cold, gnu::noinline]] void tokenTooLong(size_t offset) const {
    failAt(offset, "a token longer than " + std::to_string(maxTokenBytes_) + " bytes");
  }

  [[gnu::always_inline]] void addNode(SexprDocument::Kind kind, size_t offset, size_t value) {
    if (doc_.nodes_.size() >= maxTokens_) tooManyTokens(offset);
    doc_.nodes_.push_back({uint32_t(offset), uint32_t(value << 2) | kind});
  }

  // An atom directly in the root ends a one-expression read.
  [[gnu::always_inline]] void addAtom(SexprDocument::Kind kind, size_t offset, size_t value) {
    addNode(kind, offset, value);
    if (onlyOne_ && open_.size() == 1) done_ = true;
  }

  // A list's value is the index after its last descendant.
  void close(uint32_t list) {
    doc_.nodes_[list].packed = uint32_t(doc_.nodes_.size() << 2) | SexprDocument::List;
  }

  [[gnu::always_inline]] void openList() {
    if (open_.size() > maxDepth_)
      failAt(pos_, "lists nested deeper than the limit of " + std::to_string(maxDepth_));
    addNode(SexprDocument::List, pos_, 0);
    open_.push_back(uint32_t(doc_.nodes_.size() - 1));
    ++pos_;
  }

  [[gnu::always_inline]] void closeList() {
    if (open_.size() <= 1) failAt(pos_, "a ')' closes no list");
    close(open_.back());
    open_.pop_back();
    ++pos_;
    if (onlyOne_ && open_.size() == 1) done_ = true;
  }

  void checkTokenSize(size_t size, size_t start) const {
    if (size > maxTokenBytes_) tokenTooLong(start);
  }

  // False when the string runs past the text at hand and more may follow.
  bool readString() {
    const size_t quote = pos_;
    const size_t start = quote + 1;
    // Most strings hold no escape: they are used in place.
    const char* const begin = text_.data() + start;
    const size_t rest = text_.size() - start;
    const void* close = std::memchr(begin, '"', rest);
    const size_t length = close ? size_t(static_cast<const char*>(close) - begin) : rest;
    checkTokenSize(length, quote);
    if (!close && moreMayFollow_) return false;
    if (close && !std::memchr(begin, '\\', length)) {
      addAtom(SexprDocument::String, quote, length);
      pos_ = start + length + 1;
      return true;
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
    if (pos_ >= text_.size()) {
      if (moreMayFollow_) return false;
      failAt(quote, "the quoted string is not closed");
    }
    checkTokenSize(value.size(), quote);
    doc_.unescaped_.push_back(std::move(value));
    addAtom(SexprDocument::EscapedString, quote, doc_.unescaped_.size() - 1);
    ++pos_;
    return true;
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
  const bool moreMayFollow_;
  std::string_view text_;
  const size_t maxDepth_;
  const size_t maxTokenBytes_;
  const size_t maxTokens_;
  std::vector<uint32_t> open_;  // the lists not closed yet, the root first
  size_t pos_ = 0;
  bool onlyOne_ = false;
  bool done_ = false;
};

SexprDocument SexprDocument::parse(std::string text, const SexprLimits& limits) {
  SexprDocument document;
  auto owned = std::make_shared<const std::string>(std::move(text));
  document.source_ = *owned;
  document.ownedText_ = std::move(owned);
  document.lines_ = std::make_shared<LineCounter>(document.source_);
  SexprParser(document, limits, 0).run(0, false);
  return document;
}

namespace {

// How much of a source is read at a time; a child longer than the window doubles it.
constexpr size_t kWindowBytes = size_t(256) << 10;

}  // namespace

SexprListStream::SexprListStream(std::string_view text, const SexprLimits& limits)
    : text_(text), limits_(limits), lines_(std::make_shared<LineCounter>(text)) {
  start();
}

SexprListStream::SexprListStream(TextSource& source, const SexprLimits& limits)
    : source_(&source), atEnd_(false), limits_(limits), lines_(std::make_shared<LineCounter>("")) {
  start();
}

void SexprListStream::start() {
  skipSpace();
  if (pos_ >= text_.size() || text_[pos_] != '(')
    fail(*lines_, base_ + pos_, "the text is not a list");
  ++pos_;
  skipSpace();
  // The head word, read whole even when it runs past the window.
  size_t end = pos_;
  for (;;) {
    while (end < text_.size() && kClasses[text_[end]] == kWordByte) ++end;
    if (end < text_.size() || end - pos_ > limits_.maxTokenBytes) break;
    const size_t read = end - pos_;
    if (!refill()) break;
    end = pos_ + read;
  }
  head_ = text_.substr(pos_, end - pos_);
  pos_ = end;
}

void SexprListStream::skipSpace() {
  for (;;) {
    while (pos_ < text_.size() && kClasses[text_[pos_]] == kSpace) ++pos_;
    if (pos_ < text_.size() || !refill()) return;
  }
}

bool SexprListStream::refill() {
  if (atEnd_) return false;
  if (base_ + text_.size() >= kLargestValue)
    fail(*lines_, base_ + text_.size(), "the text is too large");
  // What lies before the expression being read is done with.
  lines_->slide(text_.substr(pos_), base_ + pos_);
  window_.erase(0, pos_);
  base_ += pos_;
  pos_ = 0;
  atEnd_ = !source_->readMore(window_, std::max(kWindowBytes, window_.size()));
  text_ = window_;
  lines_->slide(text_, base_);
  return true;
}

bool SexprListStream::next(SexprDocument& child) {
  if (ended_) return false;
  for (;;) {
    skipSpace();
    if (pos_ >= text_.size())
      fail(*lines_, base_ + pos_, "the text ends inside the list opened at line 1");
    if (text_[pos_] == ')') {
      ended_ = true;
      ++pos_;
      skipSpace();
      if (pos_ < text_.size())
        fail(*lines_, base_ + pos_,
             text_[pos_] == ')' ? "a ')' closes no list" : "text after the end of the list");
      return false;
    }
    child.clear();
    child.ownedText_.reset();
    child.source_ = text_;
    child.base_ = base_;
    child.lines_ = lines_;
    // The child's root stands in for the outer list, which counts for one level of nesting.
    const size_t end = SexprParser(child, limits_, 1, !atEnd_).run(pos_, true);
    if (end == SexprParser::kIncomplete) {
      refill();
      continue;
    }
    pos_ = end;
    return true;
  }
}

}  // namespace quiral
