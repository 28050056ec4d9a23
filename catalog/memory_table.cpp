#include "catalog/memory_table.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
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
  cells_.reserve(capacity * fields_.size());
  order_.reserve(capacity);
}

size_t MemoryTable::cell(size_t row, size_t field) const {
  if (row >= order_.size() || field >= fields_.size()) throw std::out_of_range("no such cell");
  return order_[row] * fields_.size() + field;
}

size_t MemoryTable::fieldIndex(std::string_view name) const {
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (compareBytes(fields_[i].name, name, true) == 0) return i;
  }
  throw std::invalid_argument("no field named " + std::string(name));
}

size_t MemoryTable::Append() {
  order_.push_back(cells_.size() / fields_.size());
  cells_.resize(cells_.size() + fields_.size());
  current_ = int(order_.size() - 1);
  return order_.size() - 1;
}

void MemoryTable::EmptyTable() {
  cells_.clear();
  order_.clear();
  current_ = -1;
}

void MemoryTable::setValue(size_t row, size_t field, FieldValue value) {
  cells_[cell(row, field)] = std::move(value);
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

void MemoryTable::setCurrentRow(int row) {
  if (row >= 0 && size_t(row) < order_.size()) current_ = row;
}

namespace {

// A row's value of one sort field, as one number that orders like the value: null first, then
// texts by their first eight bytes (folded to capitals when letter case is ignored), then
// integers. Texts longer than that are compared further from their folded copy in a shared
// buffer.
struct SortKey {
  uint64_t head;
  uint32_t kind;  // the value's alternative: null, text or integer
  uint32_t length;
  size_t offset;
};

// The row and its first key, together so that most comparisons read one small record.
struct SortEntry {
  uint64_t head;
  uint32_t kind;
  uint32_t position;
};

uint64_t headOf(std::string_view text) {
  uint64_t head = 0;
  for (size_t i = 0; i < 8; ++i) {
    head = (head << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
  }
  return head;
}

std::vector<size_t> parseFieldList(const MemoryTable& table, std::string_view fieldList) {
  std::vector<size_t> fields;
  size_t start = 0;
  while (start <= fieldList.size()) {
    const size_t end = std::min(fieldList.find(';', start), fieldList.size());
    const std::string_view name = trimControl(fieldList.substr(start, end - start));
    if (!name.empty()) fields.push_back(table.fieldIndex(name));
    start = end + 1;
  }
  return fields;
}

}  // namespace

void MemoryTable::SortOnFields(std::string_view fieldList, bool caseInsensitive) {
  const std::vector<size_t> fields = parseFieldList(*this, fieldList);
  const size_t keyCount = fields.size();
  const size_t rowCount = order_.size();
  if (keyCount == 0 || rowCount < 2) return;
  if (rowCount > UINT32_MAX) throw std::length_error("too many rows to sort");

  std::vector<SortKey> keys(rowCount * keyCount);
  std::string texts;
  for (size_t r = 0; r < rowCount; ++r) {
    for (size_t k = 0; k < keyCount; ++k) {
      const FieldValue& v = value(r, fields[k]);
      SortKey& key = keys[r * keyCount + k];
      key = {0, uint32_t(v.index()), 0, texts.size()};
      if (const auto* i = std::get_if<int32_t>(&v)) key.head = uint64_t(int64_t(*i) - INT32_MIN);
      if (const auto* t = std::get_if<std::string>(&v)) {
        texts += *t;
        if (caseInsensitive) {
          for (size_t c = key.offset; c < texts.size(); ++c) texts[c] = upperAscii(texts[c]);
        }
        key.head = headOf(std::string_view(texts).substr(key.offset));
        key.length = uint32_t(std::min<size_t>(t->size(), UINT32_MAX));
      }
    }
  }
  const std::string_view all(texts);
  auto compareKey = [&](const SortKey& a, const SortKey& b) {
    if (a.kind != b.kind) return a.kind < b.kind ? -1 : 1;
    if (a.head != b.head) return a.head < b.head ? -1 : 1;
    // Equal heads of short texts differ only in length: the shorter one ends in what the head
    // pads with zeros, so "A" sorts before "A\0".
    if (a.length <= 8 && b.length <= 8)
      return a.length == b.length ? 0 : (a.length < b.length ? -1 : 1);
    return all.substr(a.offset, a.length).compare(all.substr(b.offset, b.length));
  };

  std::vector<SortEntry> entries(rowCount);
  for (size_t r = 0; r < rowCount; ++r) {
    entries[r] = {keys[r * keyCount].head, keys[r * keyCount].kind, uint32_t(r)};
  }
  // Ties go to the row that came first, which keeps equal rows in their order.
  auto less = [&](const SortEntry& a, const SortEntry& b) {
    if (a.kind != b.kind) return a.kind < b.kind;
    if (a.head != b.head) return a.head < b.head;
    for (size_t k = 0; k < keyCount; ++k) {
      const int c = compareKey(keys[a.position * keyCount + k], keys[b.position * keyCount + k]);
      if (c != 0) return c < 0;
    }
    return a.position < b.position;
  };
  // Rows are often added in order already (the index's blocks are): then nothing moves.
  if (std::is_sorted(entries.begin(), entries.end(), less)) return;
  std::sort(entries.begin(), entries.end(), less);

  std::vector<size_t> sorted(rowCount);
  int newCurrent = -1;
  for (size_t i = 0; i < rowCount; ++i) {
    if (int(entries[i].position) == current_) newCurrent = int(i);
    sorted[i] = order_[entries[i].position];
  }
  order_ = std::move(sorted);
  current_ = newCurrent;
}

bool MemoryTable::matches(size_t row, size_t field, const FieldValue& wantedValue,
                          LocateOptions options) const {
  const FieldValue& haveValue = value(row, field);
  const auto* wanted = std::get_if<std::string>(&wantedValue);
  const auto* have = std::get_if<std::string>(&haveValue);
  if (!wanted || !have) return compareValues(haveValue, wantedValue, false) == 0;
  std::string_view compared = *have;
  if (options.partialKey && compared.size() > wanted->size())
    compared = compared.substr(0, wanted->size());
  return compareBytes(compared, *wanted, options.caseInsensitive) == 0;
}

bool MemoryTable::Locate(std::string_view fieldName, const FieldValue& value,
                         LocateOptions options) {
  const size_t field = fieldIndex(fieldName);
  if (current_ >= 0 && matches(size_t(current_), field, value, options)) return true;
  for (size_t row = 0; row < order_.size(); ++row) {
    if (matches(row, field, value, options)) {
      current_ = int(row);
      return true;
    }
  }
  return false;
}

}  // namespace quiral
