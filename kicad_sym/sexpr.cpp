#include "kicad_sym/sexpr.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace quiral {

namespace {

std::string positioned(uint32_t line, uint32_t column, const std::string& what) {
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
}

}  // namespace

SexprError::SexprError(uint32_t line, uint32_t column, const std::string& what)
    : QuiralError(positioned(line, column, what)), line_(line), column_(column) {}

void LineCounter::advance(Cursor& cursor, size_t to) const {
  const char* const data = text_.data();
  size_t at = cursor.offset - base_;
  const size_t stop = to - base_;
  while (at < stop) {
    const void* found = std::memchr(data + at, '\n', stop - at);
    if (!found) break;
    at = size_t(static_cast<const char*>(found) - data) + 1;
    ++cursor.line;
    cursor.lineStart = base_ + at;
  }
  cursor.offset = to;
}

void LineCounter::locate(uint32_t offset, uint32_t& line, uint32_t& column) const {
  const size_t to = std::clamp<size_t>(offset, base_, base_ + text_.size());
  if (to < cursor_.offset) cursor_ = windowStart_;
  advance(cursor_, to);
  line = cursor_.line;
  column = uint32_t(to - cursor_.lineStart + 1);
}

void LineCounter::slide(std::string_view text, size_t base) {
  if (base < cursor_.offset) cursor_ = windowStart_;
  advance(cursor_, base);
  windowStart_ = cursor_;
  text_ = text;
  base_ = base;
}

uint32_t Sexpr::offset() const {
  return valid() ? uint32_t(document_->base_ + document_->nodes_[index_].offset) : 0;
}

uint32_t Sexpr::line() const {
  if (!valid()) return 0;
  uint32_t line = 0, column = 0;
  document_->lines_->locate(offset(), line, column);
  return line;
}

uint32_t Sexpr::column() const {
  if (!valid()) return 0;
  uint32_t line = 0, column = 0;
  document_->lines_->locate(offset(), line, column);
  return column;
}

Sexpr Sexpr::at(size_t position) const {
  Sexpr child = first();
  while (position-- > 0 && child.valid()) child = child.next();
  return child;
}

std::optional<double> Sexpr::number(size_t position) const {
  const Sexpr child = at(position);
  if (!child.isAtom()) return std::nullopt;
  return parseDecimal(child.text());
}

std::optional<double> parseDecimal(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  // Whole numbers (angles, most coordinates) without the general parser.
  const bool negative = text.front() == '-';
  if (text.size() - negative <= 9) {
    int value = 0;
    size_t i = negative;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
      value = value * 10 + (text[i++] - '0');
    if (i == text.size() && i > size_t(negative)) return negative ? -value : value;
  }
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

}  // namespace quiral
