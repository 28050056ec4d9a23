#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quiral {

// FindDescription for many components of one documentation file in a row, as a catalog asks:
// the file is read once and kept while it stays the same (same path, size and modification
// time), and each lookup gives exactly what FindDescription would give for the file as it is.
class DocumentationCache {
 public:
  std::string find(const std::string& documentationPath, std::string_view componentName);

 private:
  struct Stamp {
    int64_t size = -1;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    friend bool operator==(const Stamp&, const Stamp&) = default;
  };

  void load(const std::string& path, const Stamp& stamp);

  std::string path_;
  Stamp stamp_;
  std::vector<std::string> lines_;
  // Upper-cased second word of a line -> the lines that have it, in file order.
  std::unordered_map<std::string, std::vector<size_t>> entries_;
};

}  // namespace quiral
