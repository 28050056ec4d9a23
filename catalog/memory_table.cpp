#include "catalog/memory_table.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <stdexcept>

#include "library/text_words.h"

namespace quiral {

namespace {

int compareBytes(std::string_view a, std::string_view b, bool caseInsensitive) {
  if (!caseInsensitive) return a.compare(b);
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(upperAscii(a[i]));
    const auto cb = static_cast<unsigned char>(upperAscii(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Null first, then integers by value, then texts by their bytes.
int compareValues(const FieldValue& a, const FieldValue& b, bool caseInsensitive) {
  if (a.index() != b.index()) return a.index() < b.index() ? -1 : 1;
  if (const auto* ta = std::get_if<std::string>(&a))
    return compareBytes(*ta, std::get<std::string>(b), caseInsensitive);
  if (const auto* ia = std::get_if<int32_t>(&a)) {
    const int32_t ib = std::get<int32_t>(b);
    return *ia == ib ? 0 : (*ia < ib ? -1 : 1);
  }
  return 0;
}

}  // namespace

MemoryTable::MemoryTable(std::vector<FieldDef> fields, size_t capacity)
    : fields_(std::move(fields)) {
  rows_.reserve(capacity);
}

size_t MemoryTable::fieldIndex(std::string_view name) const {
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (compareBytes(fields_[i].name, name, true) == 0) return i;
  }
  throw std::invalid_argument("no field named " + std::string(name));
}

size_t MemoryTable::Append() {
  rows_.emplace_back(fields_.size());
  current_ = int(rows_.size() - 1);
  return rows_.size() - 1;
}

void MemoryTable::EmptyTable() {
  rows_.clear();
  current_ = -1;
}

void MemoryTable::setValue(size_t row, size_t field, FieldValue value) {
  rows_.at(row).at(field) = std::move(value);
}

std::string_view MemoryTable::text(size_t row, size_t field) const {
  const auto* t = std::get_if<std::string>(&value(row, field));
  return t ? std::string_view(*t) : std::string_view();
}

std::optional<int32_t> MemoryTable::integer(size_t row, size_t field) const {
  const auto* i = std::get_if<int32_t>(&value(row, field));
  return i ? std::optional<int32_t>(*i) : std::nullopt;
}

std::string MemoryTable::displayText(size_t row, size_t field) const {
  const FieldValue& v = value(row, field);
  if (const auto* t = std::get_if<std::string>(&v)) return *t;
  if (const auto* i = std::get_if<int32_t>(&v)) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, *i).ptr;
    return std::string(digits, end);
  }
  return {};
}

std::string& MemoryTable::textToAppend(size_t row, size_t field) {
  FieldValue& v = rows_.at(row).at(field);
  if (!std::holds_alternative<std::string>(v)) v = std::string();
  return std::get<std::string>(v);
}

void MemoryTable::setCurrentRow(int row) {
  if (row >= 0 && size_t(row) < rows_.size()) current_ = row;
}

void MemoryTable::SortOnFields(std::string_view fieldList, bool caseInsensitive) {
  std::vector<size_t> keys;
  size_t start = 0;
  while (start <= fieldList.size()) {
    const size_t end = std::min(fieldList.find(';', start), fieldList.size());
    const std::string_view name = trimControl(fieldList.substr(start, end - start));
    if (!name.empty()) keys.push_back(fieldIndex(name));
    start = end + 1;
  }

  std::vector<size_t> order(rows_.size());
  std::iota(order.begin(), order.end(), size_t(0));
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    for (size_t key : keys) {
      const int c = compareValues(rows_[a][key], rows_[b][key], caseInsensitive);
      if (c != 0) return c < 0;
    }
    return false;
  });

  std::vector<Row> sorted;
  sorted.reserve(std::max(rows_.capacity(), rows_.size()));
  int newCurrent = -1;
  for (size_t i = 0; i < order.size(); ++i) {
    if (int(order[i]) == current_) newCurrent = int(i);
    sorted.push_back(std::move(rows_[order[i]]));
  }
  rows_ = std::move(sorted);
  current_ = newCurrent;
}

bool MemoryTable::matches(const Row& row, size_t field, const FieldValue& value,
                          LocateOptions options) const {
  const auto* wanted = std::get_if<std::string>(&value);
  const auto* have = std::get_if<std::string>(&row[field]);
  if (!wanted || !have) return compareValues(row[field], value, false) == 0;
  std::string_view compared = *have;
  if (options.partialKey && compared.size() > wanted->size())
    compared = compared.substr(0, wanted->size());
  return compareBytes(compared, *wanted, options.caseInsensitive) == 0;
}

bool MemoryTable::Locate(std::string_view fieldName, const FieldValue& value,
                         LocateOptions options) {
  const size_t field = fieldIndex(fieldName);
  if (current_ >= 0 && matches(rows_[size_t(current_)], field, value, options)) return true;
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (matches(rows_[i], field, value, options)) {
      current_ = int(i);
      return true;
    }
  }
  return false;
}

}  // namespace quiral
