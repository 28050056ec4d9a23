#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error.h"

namespace quiral {

// What one parse may take in: nesting depth, bytes of one token (after escapes) and tokens held
// at once (lists count as one token each): those of a whole parsed text, or of the one child that
// a list stream holds, so that a stream's memory does not grow with its length. Input beyond a
// bound is an error, never an allocation.
struct SexprLimits {
  size_t maxDepth = 100;
  size_t maxTokenBytes = size_t(1) << 20;
  size_t maxTokens = size_t(16) << 20;
};

// A malformed or over-large S-expression text; what() names the line and column (from 1).
class SexprError : public QuiralError {
 public:
  SexprError(uint32_t line, uint32_t column, const std::string& what);
  uint32_t line() const { return line_; }
  uint32_t column() const { return column_; }

 private:
  uint32_t line_;
  uint32_t column_;
};

class SexprDocument;

// A handle on one node of a parsed document: a list, a bare word (symbol or number) or a quoted
// string. Handles are cheap to copy and stay valid as long as their document.
class Sexpr {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  Sexpr() = default;
  // `limit` is the end of the parent list: the index after its last descendant.
  Sexpr(const SexprDocument* document, uint32_t index, uint32_t limit)
      : document_(document), index_(index), limit_(limit) {}

  bool valid() const { return document_ && index_ != kNone; }
  bool isList() const;
  bool isString() const;  // a quoted string
  bool isAtom() const { return valid() && !isList(); }
  uint32_t line() const;
  uint32_t column() const;
  uint32_t offset() const;  // of the node's first byte in the text

  // An atom's text (quoted strings without their quotes and with escapes resolved); empty for
  // lists.
  std::string_view text() const;

  // A list's children in order.
  class Iterator;
  Iterator begin() const;
  Iterator end() const;
  Sexpr first() const;              // the first child, or an invalid handle
  Sexpr next() const;               // the next sibling, or an invalid handle
  Sexpr at(size_t position) const;  // child `position` (from 0), or an invalid handle

  // The text of a list's first child when that is a bare word: "symbol" for (symbol ...).
  std::string_view head() const;
  bool is(std::string_view name) const { return isList() && head() == name; }
  // The first child list whose head is `name`, or an invalid handle.
  Sexpr find(std::string_view name) const;

  // Child `position` read as a decimal number (locale-free); nullopt when it is missing or is no
  // finite number.
  std::optional<double> number(size_t position) const;

 private:
  friend class Iterator;
  const SexprDocument* document_ = nullptr;
  uint32_t index_ = kNone;
  uint32_t limit_ = 0;
};

class Sexpr::Iterator {
 public:
  explicit Iterator(Sexpr node) : node_(node) {}
  Sexpr operator*() const { return node_; }
  Iterator& operator++() {
    node_ = node_.next();
    return *this;
  }
  bool operator!=(const Iterator& other) const { return node_.index_ != other.node_.index_; }

 private:
  Sexpr node_;
};

// Line and column numbers of byte offsets, worked out only when asked for (they are only needed
// for messages). A line ends at a line feed. The text may be a window that slides forward over a
// longer text; offsets count from the start of the whole text.
class LineCounter {
 public:
  explicit LineCounter(std::string_view text) : text_(text) {}
  // Offsets within the current window; the same offset always gives the same answer.
  void locate(uint32_t offset, uint32_t& line, uint32_t& column) const;
  // The window moves: `text` now starts at offset `base` of the whole text, which must lie within
  // the old window or at its end.
  void slide(std::string_view text, size_t base);

 private:
  struct Cursor {
    size_t offset = 0;     // of the whole text
    uint32_t line = 1;     // the line that holds `offset`
    size_t lineStart = 0;  // where that line starts
  };
  void advance(Cursor& cursor, size_t to) const;

  std::string_view text_;
  size_t base_ = 0;
  Cursor windowStart_;
  mutable Cursor cursor_;  // moves forward as positions are asked for
};

// A parsed S-expression text, or one expression of a larger text (see SexprListStream). root() is
// a list that holds the top-level expressions. Nodes are small (8 bytes) and kept in one array in
// text order: a list's children follow it, and it records where its descendants end, so the
// node after a list's last descendant is its next sibling.
class SexprDocument {
 public:
  // Throws SexprError for unbalanced parentheses, an unterminated string or a bound exceeded,
  // and for a text of 1 GiB or more.
  static SexprDocument parse(std::string text, const SexprLimits& limits = {});

  SexprDocument() = default;
  Sexpr root() const { return Sexpr(this, 0, uint32_t(nodes_.size())); }
  size_t nodeCount() const { return nodes_.size(); }

 private:
  friend class Sexpr;
  friend class SexprParser;
  friend class SexprListStream;

  // EscapedString: a quoted string whose escapes changed its bytes; its text is kept apart.
  enum Kind : uint32_t { List = 0, Word = 1, String = 2, EscapedString = 3 };
  struct Node {
    uint32_t offset;  // where the node starts in the text (a string: at its quote)
    // Kind in the low two bits; above them a list's end (the index after its last descendant),
    // an atom's size, or an escaped string's index in unescaped_.
    uint32_t packed;
    Kind kind() const { return Kind(packed & 3); }
    uint32_t value() const { return packed >> 2; }
  };

  void clear() {
    nodes_.clear();
    unescaped_.clear();
  }

  std::shared_ptr<const std::string> ownedText_;  // set by parse()
  std::string_view source_;                       // the text the node offsets count in
  size_t base_ = 0;                               // where source_ starts in the whole text
  std::shared_ptr<LineCounter> lines_;
  std::deque<std::string> unescaped_;
  std::vector<Node> nodes_;
};

// Where a stream's text comes from, piece by piece.
class TextSource {
 public:
  virtual ~TextSource() = default;
  // Appends up to `max` further bytes to `out`; false when the text has ended.
  virtual bool readMore(std::string& out, size_t max) = 0;
};

// Reads a text that is one list, such as (kicad_symbol_lib (version ...) (symbol ...) ...), one
// child at a time: only the child being read is held as nodes, and, when the text comes from a
// TextSource, only a window of the text around it.
class SexprListStream {
 public:
  // Reads up to the list's head word. A `text` must outlive the stream and what it reads; a
  // `source` is read as needed. Throws SexprError when the text does not start with a list.
  explicit SexprListStream(std::string_view text, const SexprLimits& limits = {});
  // The stream reads the text where it lies: a temporary would be gone before the first child.
  explicit SexprListStream(std::string&& text, const SexprLimits& limits = {}) = delete;
  explicit SexprListStream(TextSource& source, const SexprLimits& limits = {});

  std::string_view head() const { return head_; }
  // Parses the next child into `child` (whose root then holds it alone) and returns true; false
  // after the list's last child. The child's text stays valid until the next call. Throws
  // SexprError for malformed input; the token bound counts within the child.
  bool next(SexprDocument& child);

 private:
  void start();
  void skipSpace();
  // Drops the text before pos_ and reads more; false when the source has ended.
  bool refill();

  TextSource* source_ = nullptr;
  std::string window_;
  std::string_view text_;  // the part of the text at hand
  size_t base_ = 0;        // where text_ starts in the whole text
  bool atEnd_ = true;      // nothing more to read
  SexprLimits limits_;
  std::shared_ptr<LineCounter> lines_;
  std::string head_;
  size_t pos_ = 0;  // in text_
  bool ended_ = false;
};

// The accessors that translation calls for every node are defined here so that they inline.

inline bool Sexpr::isList() const {
  return valid() && document_->nodes_[index_].kind() == SexprDocument::List;
}

inline bool Sexpr::isString() const {
  if (!valid()) return false;
  const auto kind = document_->nodes_[index_].kind();
  return kind == SexprDocument::String || kind == SexprDocument::EscapedString;
}

inline std::string_view Sexpr::text() const {
  if (!valid()) return {};
  const SexprDocument::Node& node = document_->nodes_[index_];
  switch (node.kind()) {
    case SexprDocument::List:
      return {};
    case SexprDocument::EscapedString:
      return document_->unescaped_[node.value()];
    case SexprDocument::String:
      return std::string_view(document_->source_.data() + node.offset + 1, node.value());
    default:
      return std::string_view(document_->source_.data() + node.offset, node.value());
  }
}

inline Sexpr Sexpr::first() const {
  if (!isList()) return Sexpr();
  // Nodes are in text order: a list that has children is followed by the first of them.
  const uint32_t end = document_->nodes_[index_].value();
  return Sexpr(document_, end > index_ + 1 ? index_ + 1 : kNone, end);
}

inline Sexpr Sexpr::next() const {
  if (!valid()) return Sexpr();
  const SexprDocument::Node& node = document_->nodes_[index_];
  const uint32_t after = node.kind() == SexprDocument::List ? node.value() : index_ + 1;
  return Sexpr(document_, after < limit_ ? after : kNone, limit_);
}

inline Sexpr::Iterator Sexpr::begin() const {
  return Iterator(first());
}
inline Sexpr::Iterator Sexpr::end() const {
  return Iterator(Sexpr(document_, kNone, 0));
}

inline std::string_view Sexpr::head() const {
  const Sexpr child = first();
  return child.valid() && document_->nodes_[child.index_].kind() == SexprDocument::Word
             ? child.text()
             : std::string_view();
}

inline Sexpr Sexpr::find(std::string_view name) const {
  for (Sexpr child = first(); child.valid(); child = child.next()) {
    if (child.is(name)) return child;
  }
  return Sexpr();
}

// Reads a decimal number as KiCad writes them ("-1.27", "0", "+2", "1e-3"), without the locale.
std::optional<double> parseDecimal(std::string_view text);

}  // namespace quiral
