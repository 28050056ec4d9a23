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

// What one parse may take in: nesting depth, bytes of one token (after escapes) and tokens in
// all (lists count as one token each). Input beyond a bound is an error, never an allocation.
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
  Sexpr(const SexprDocument* document, uint32_t index) : document_(document), index_(index) {}

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
  // True when the list holds the bare word `word` among its children after the head.
  bool hasWord(std::string_view word) const;

  // Child `position` read as a decimal number (locale-free); nullopt when it is missing or is no
  // finite number.
  std::optional<double> number(size_t position) const;

 private:
  friend class Iterator;
  const SexprDocument* document_ = nullptr;
  uint32_t index_ = kNone;
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

// Where the lines of a text start, worked out at the first question: line and column numbers
// are only needed for messages.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text) : text_(text) {}
  // 1-based line and column of a byte offset; lines end at LF (CR LF) or a lone CR.
  void locate(uint32_t offset, uint32_t& line, uint32_t& column) const;

 private:
  std::string_view text_;
  mutable std::vector<uint32_t> starts_;
};

// A parsed S-expression text, or one expression of a larger text (see SexprListStream). root() is
// a list that holds the top-level expressions. Nodes are small (12 bytes) and kept in one array in
// text order; offsets count from the start of the whole text.
class SexprDocument {
 public:
  // Throws SexprError for unbalanced parentheses, an unterminated string or a bound exceeded,
  // and for a text of 1 GiB or more.
  static SexprDocument parse(std::string text, const SexprLimits& limits = {});

  SexprDocument() = default;
  Sexpr root() const { return Sexpr(this, 0); }
  size_t nodeCount() const { return nodes_.size(); }

 private:
  friend class Sexpr;
  friend class SexprParser;
  friend class SexprListStream;

  // EscapedString: a quoted string whose escapes changed its bytes; its text is kept apart.
  enum Kind : uint32_t { List = 0, Word = 1, String = 2, EscapedString = 3 };
  struct Node {
    uint32_t offset;       // where the node starts in the text (a string: at its quote)
    uint32_t nextSibling;  // Sexpr::kNone for the last child
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
  std::string_view source_;                       // the whole text
  std::shared_ptr<const LineIndex> lines_;
  std::deque<std::string> unescaped_;
  std::vector<Node> nodes_;
};

// Reads a text that is one list, such as (kicad_symbol_lib (version ...) (symbol ...) ...), one
// child at a time: only the child being read is held as nodes, however long the text.
class SexprListStream {
 public:
  // Reads up to the list's head word. `text` must outlive the stream and what it reads. Throws
  // SexprError when the text does not start with a list.
  explicit SexprListStream(std::string_view text, const SexprLimits& limits = {});

  std::string_view head() const { return head_; }
  // Parses the next child into `child` (whose root then holds it alone) and returns true; false
  // after the list's last child. Throws SexprError for malformed input; the token bound counts
  // over the whole text.
  bool next(SexprDocument& child);
  // Line and column of a byte offset of the text, for messages.
  void locate(uint32_t offset, uint32_t& line, uint32_t& column) const {
    lines_->locate(offset, line, column);
  }

 private:
  void skipSpace();

  std::string_view text_;
  SexprLimits limits_;
  std::shared_ptr<const LineIndex> lines_;
  std::string_view head_;
  size_t pos_ = 0;
  size_t tokensRead_ = 0;
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
  const bool hasChildren = document_->nodes_[index_].value() > index_ + 1;
  return Sexpr(document_, hasChildren ? index_ + 1 : kNone);
}

inline Sexpr Sexpr::next() const {
  return valid() ? Sexpr(document_, document_->nodes_[index_].nextSibling) : Sexpr();
}

inline Sexpr::Iterator Sexpr::begin() const {
  return Iterator(first());
}
inline Sexpr::Iterator Sexpr::end() const {
  return Iterator(Sexpr(document_, kNone));
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
