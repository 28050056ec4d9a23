#include "tools/cli_selection.h"

#include <cstdio>

namespace quiral::cli {

bool selectNamedEntry(ComponentList& list, const std::optional<size_t>& index,
                      const std::string& name, const std::string& libraryPath) {
  std::optional<size_t> chosen;
  if (index) {
    if (*index < list.size()) chosen = *index;
  } else {
    for (size_t i = 0; i < list.size() && !chosen; ++i) {
      if (list[i] == name) chosen = i;
    }
  }
  if (!chosen) {
    if (index) {
      std::fprintf(stderr, "quiral-cli: no entry %zu: the library lists %zu\n", *index,
                   list.size());
    } else {
      std::fprintf(stderr, "quiral-cli: no component \"%s\" in %s\n", name.c_str(),
                   libraryPath.c_str());
    }
    return false;
  }
  list.select(int(*chosen));
  return true;
}

}  // namespace quiral::cli
