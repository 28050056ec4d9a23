#pragma once

// Helpers for tests that read files: the temporary folder and raw bytes of tests/support, and the
// paths of the checked-in fixtures.

#include <string>
#include <string_view>

#include "tests/support/temp_dir.h"

namespace quiral::testing {

inline std::string fixture(std::string_view name) {
  return std::string(QUIRAL_TEST_DATA_DIR) + "/library/" + std::string(name);
}

}  // namespace quiral::testing
