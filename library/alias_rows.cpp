#include "library/alias_rows.h"

#include <algorithm>

#include "library/text_words.h"

namespace quiral {

std::vector<ComponentRow> componentRows(size_t componentCount,
                                        const std::vector<std::vector<std::string>>& aliases) {
  std::vector<ComponentRow> rows;
  rows.reserve(componentCount);
  for (size_t i = 0; i < componentCount; ++i) {
    rows.push_back({i, {}});
    if (i >= aliases.size()) continue;
    for (const std::string& alias : aliases[i])
      if (!alias.empty()) rows.push_back({i, alias});
  }
  return rows;
}

int rowOfComponent(const std::vector<ComponentRow>& rows, int component) {
  const auto found = std::find_if(rows.begin(), rows.end(), [&](const ComponentRow& row) {
    return !row.isAlias() && int(row.component) == component;
  });
  return found == rows.end() ? -1 : int(found - rows.begin());
}

std::vector<std::string> blockWithValue(std::vector<std::string> block, std::string_view value) {
  for (std::string& line : block) {
    if (!equalsUpper(keywordOf(line), "F1")) continue;
    const size_t open = line.find('"');
    if (open == std::string::npos) return block;
    // The text ends at the next quote that no backslash escapes.
    size_t close = open + 1;
    while (close < line.size() && (line[close] != '"' || line[close - 1] == '\\')) ++close;
    if (close >= line.size()) return block;
    line.replace(open + 1, close - open - 1, value);
    return block;
  }
  return block;
}

}  // namespace quiral
