// The table facility under the catalog index: sorting on field lists and locating rows.
#include "catalog/memory_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace quiral {
namespace {

MemoryTable namesTable(std::initializer_list<std::pair<std::string, std::string>> rows) {
  MemoryTable table(
      {{"alias", FieldKind::Text}, {"lib", FieldKind::Text}, {"nr", FieldKind::Integer}}, 4);
  int32_t nr = 0;
  for (const auto& [alias, lib] : rows) {
    const size_t row = table.Append();
    table.setValue(row, 0, alias);
    table.setValue(row, 1, lib);
    table.setValue(row, 2, ++nr);
  }
  return table;
}

std::string column(const MemoryTable& table, size_t field) {
  std::string out;
  for (size_t row = 0; row < table.RecordCount(); ++row) out += table.displayText(row, field) + " ";
  return out;
}

TEST(MemoryTable, SortsOnAFieldListIgnoringCaseAndKeepsTheCurrentRow) {
  MemoryTable table = namesTable({{"b", "y"}, {"A", "z"}, {"a", "x"}, {"B", "x"}, {"c", "a"}});
  table.setCurrentRow(1);  // A z
  table.SortOnFields("ALIAS");
  // Equal names ignoring case keep the order they were added in.
  EXPECT_EQ(column(table, 0), "A a b B c ");
  EXPECT_EQ(table.currentRow(), 0);
  table.SortOnFields(" lib ; alias");
  EXPECT_EQ(column(table, 1), "a x x y z ");
  EXPECT_EQ(column(table, 0), "c a B b A ");
  EXPECT_EQ(table.currentRow(), 4);
  EXPECT_EQ(table.displayText(size_t(table.currentRow()), 2), "2");
  EXPECT_THROW(table.SortOnFields("alias;missing"), std::invalid_argument);
}

TEST(MemoryTable, NamesThatDifferOnlyByTrailingNulBytesAreNotEqual) {
  using namespace std::string_literals;
  MemoryTable table = namesTable({{"A\0\0"s, "a"}, {"A\0"s, "b"}, {"A", "c"}});
  table.SortOnFields("alias;lib");  // were they equal, "lib" would keep them as added
  EXPECT_EQ(column(table, 1), "c b a ");
}

}  // namespace
}  // namespace quiral
