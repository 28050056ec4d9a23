#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quiral {

// One row of the window's component list: a symbol, or one of its aliases listed right after it.
struct ComponentRow {
  size_t component = 0;  // the symbol's entry in the component list
  std::string alias;     // empty for the symbol itself

  bool isAlias() const { return !alias.empty(); }
};

// Each entry of a component list followed by its aliases (aliases[i] for entry i, in the order of
// the block's ALIAS lines). An entry without an aliases list has none.
std::vector<ComponentRow> componentRows(size_t componentCount,
                                        const std::vector<std::vector<std::string>>& aliases);

// The row of component `component` itself, or -1 when no row shows it.
int rowOfComponent(const std::vector<ComponentRow>& rows, int component);

// The block with its value field (F1) showing `value`, as KiCad shows an alias: the alias's name
// in place of the symbol's. The field's text is the first quoted token of the F1 line; a block
// without an F1 line, or one whose F1 line has no quoted text, is returned as it is.
std::vector<std::string> blockWithValue(std::vector<std::string> block, std::string_view value);

}  // namespace quiral
