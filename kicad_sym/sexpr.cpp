#include "kicad_sym/sexpr.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace quiral {

namespace {

std::string positioned(uint32_t line, uint32_t column, const std::string& what) {
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
}

}  // namespace

SexprError::SexprError(uint32_t line, uint32_t column, const std::string& what)
    : QuiralError(positioned(line, column, what)), line_(line), column_(column) {}

void LineIndex::locate(uint32_t offset, uint32_t& line, uint32_t& column) const {
  if (starts_.empty()) {
    starts_.push_back(0);
    for (size_t i = 0; i < text_.size(); ++i) {
      const char c = text_[i];
      if (c == '\n' || (c == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n')))
        starts_.push_back(uint32_t(i + 1));
    }
  }
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  line = uint32_t(after - starts_.begin());
  column = offset - *(after - 1) + 1;
}

uint32_t Sexpr::offset() const {
  return valid() ? document_->nodes_[index_].offset : 0;
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

bool Sexpr::hasWord(std::string_view word) const {
  for (Sexpr child = first().next(); child.valid(); child = child.next()) {
    if (child.isAtom() && !child.isString() && child.text() == word) return true;
  }
  return false;
}

std::optional<double> Sexpr::number(size_t position) const {
  const Sexpr child = at(position);
  if (!child.isAtom()) return std::nullopt;
  return parseDecimal(child.text());
}

std::optional<double> parseDecimal(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

}  // namespace quiral
