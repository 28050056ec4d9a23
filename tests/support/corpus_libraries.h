#pragma once

// The legacy libraries of the corpus folder (QUIRAL_CORPUS_DIR/kicad5), sorted by path; empty
// when the folder is missing, so each test says where it looked.

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace quiral::testing {

inline std::vector<std::string> corpusLibraries() {
  std::vector<std::string> libraries;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(QUIRAL_CORPUS_DIR) + "/kicad5", error)) {
    if (entry.path().extension() == ".lib") libraries.push_back(entry.path().string());
  }
  std::sort(libraries.begin(), libraries.end());
  return libraries;
}

}  // namespace quiral::testing
