#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "library/library_browser.h"

namespace quiral::cli {

// Selects the entry a command names: entry `index` when one is given, else the first entry equal
// to `name` (exact bytes). When there is none, says so on standard error and returns false.
bool selectNamedEntry(ComponentList& list, const std::optional<size_t>& index,
                      const std::string& name, const std::string& libraryPath);

}  // namespace quiral::cli
