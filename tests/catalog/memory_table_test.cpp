// The table facility under the catalog index: sorting on field lists and locating rows.
#include "catalog/memory_table.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quiral {
namespace {

MemoryTable namesTable(std::initializer_list<std::pair<const char*, const char*>> rows) {
  MemoryTable table(
      {{"alias", FieldKind::Text}, {"lib", FieldKind::Text}, {"nr", FieldKind::Integer}}, 4);
  int32_t nr = 0;
  for (const auto& [alias, lib] : rows) {
    const size_t row = table.Append();
    table.setValue(row, 0, std::string(alias));
    table.setValue(row, 1, std::string(lib));
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

TEST(MemoryTable, LocatesByPrefixOrWholeValueWithOrWithoutCase) {
  MemoryTable table = namesTable({{"74LS00", "a"}, {"74hc00", "b"}, {"7400", "c"}});
  EXPECT_FALSE(table.Locate("alias", std::string("74HC"), {}));
  EXPECT_EQ(table.currentRow(), 2) << "a failed locate moves nothing";
  EXPECT_FALSE(table.Locate("alias", std::string("74hc"), {.caseInsensitive = true}));
  EXPECT_TRUE(table.Locate("alias", std::string("74HC"), {true, true}));
  EXPECT_EQ(table.currentRow(), 1);
  // The current row is kept while it matches, though an earlier row matches too.
  EXPECT_TRUE(table.Locate("alias", std::string("74"), {true, true}));
  EXPECT_EQ(table.currentRow(), 1);
  EXPECT_TRUE(table.Locate("alias", std::string("74ls00"), {.caseInsensitive = true}));
  EXPECT_EQ(table.currentRow(), 0);
  EXPECT_TRUE(table.Locate("NR", int32_t(3), {}));
  EXPECT_EQ(table.currentRow(), 2);
  EXPECT_FALSE(table.Locate("nr", int32_t(4), {}));
}

TEST(MemoryTable, NullFieldsShowNothingAndEmptyingForgetsTheCurrentRow) {
  MemoryTable table({{"n", FieldKind::Integer}, {"t", FieldKind::Memo}}, 0);
  EXPECT_EQ(table.currentRow(), -1);
  table.Append();
  EXPECT_EQ(table.displayText(0, 0), "");
  EXPECT_FALSE(table.integer(0, 0));
  table.setValue(0, 0, int32_t(-2147483647 - 1));
  EXPECT_EQ(table.displayText(0, 0), "-2147483648");
  table.EmptyTable();
  EXPECT_EQ(table.RecordCount(), 0u);
  EXPECT_EQ(table.currentRow(), -1);
}

}  // namespace
}  // namespace quiral
