#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quiral {

// A small in-memory table: named fields, rows appended at the end, a current row, sorting on a
// list of fields and locating a row by a field's value. Texts are kept whole, whatever their
// length.

enum class FieldKind { Text, Integer, Memo };

struct FieldDef {
  std::string name;
  FieldKind kind;
};

// A field's value: null (never set), bytes, or a 32-bit integer.
using FieldValue = std::variant<std::monostate, std::string, int32_t>;

struct LocateOptions {
  bool caseInsensitive = false;  // letters compare as ASCII capitals
  bool partialKey = false;       // a text matches when it begins with the value
};

class MemoryTable {
 public:
  // `capacity` rows are reserved; the table grows past them.
  MemoryTable(std::vector<FieldDef> fields, size_t capacity);

  const std::vector<FieldDef>& fields() const { return fields_; }
  // The position of the field called `name`, letter case ignored. Throws std::invalid_argument
  // for a name the table does not have.
  size_t fieldIndex(std::string_view name) const;

  size_t RecordCount() const { return order_.size(); }
  bool empty() const { return order_.empty(); }

  // Adds a row with every field null at the end and makes it current; returns its position.
  size_t Append();
  // Removes every row; the reserved capacity stays.
  void EmptyTable();

  const FieldValue& value(size_t row, size_t field) const { return cells_[cell(row, field)]; }
  void setValue(size_t row, size_t field, FieldValue value);
  // The field's text; empty for null and integer fields.
  std::string_view text(size_t row, size_t field) const;
  std::optional<int32_t> integer(size_t row, size_t field) const;
  // What a bound control shows: the text, the integer in decimal, nothing for null.
  std::string displayText(size_t row, size_t field) const;

  // The current row: -1 only when the table is empty.
  int currentRow() const { return current_; }
  // Makes `row` current; a position outside the table is ignored.
  void setCurrentRow(int row);
  void First() { current_ = order_.empty() ? -1 : 0; }

  // Sorts ascending on the fields named in `fieldList` ("lib;principal"), the first deciding
  // first. Rows equal on every field keep their order; null sorts before any value. The current
  // row stays the same row, at its new position.
  void SortOnFields(std::string_view fieldList, bool caseInsensitive = true);

  // Makes current a row whose field equals `value` (text fields compare as the options say,
  // integer fields exactly): the current row when it matches, otherwise the first match from
  // the top. Returns false, changing nothing, when no row matches.
  bool Locate(std::string_view fieldName, const FieldValue& value, LocateOptions options);

 private:
  // The position of a cell in cells_; throws std::out_of_range outside the table.
  size_t cell(size_t row, size_t field) const;
  bool matches(size_t row, size_t field, const FieldValue& value, LocateOptions options) const;

  std::vector<FieldDef> fields_;
  // Rows in the order they were added, each of fields_.size() cells: no allocation per row.
  std::vector<FieldValue> cells_;
  // For each row position in the current order, the row in cells_: sorting moves only these.
  std::vector<size_t> order_;
  int current_ = -1;
};

}  // namespace quiral
