#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "kicad_sym/library_translation.h"

namespace quiral {

// FindDescription for many components of one documentation file in a row, as a catalog asks:
// the file is read once and kept while it stays the same (same path, size and modification
// time), and each lookup gives exactly what FindDescription would give for the file as it is.
class DocumentationCache {
 public:
  std::string find(const std::string& documentationPath, std::string_view componentName);
  // The same lookup in the documentation text of a modern library's translation, indexed once
  // per translation, as FindDescriptionInText would give it.
  std::string find(const std::shared_ptr<const TranslatedLibrary>& translation,
                   std::string_view componentName);

 private:
  struct Stamp {
    int64_t size = -1;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    friend bool operator==(const Stamp&, const Stamp&) = default;
  };

  void load(const std::string& path, const Stamp& stamp);
  void index(std::vector<std::string> lines);
  std::string lookup(std::string_view componentName) const;

  std::string path_;
  Stamp stamp_;
  // Held so that the translation indexed cannot be replaced by another at the same address.
  std::shared_ptr<const TranslatedLibrary> translation_;
  std::vector<std::string> lines_;
  // Upper-cased second word of a line -> the lines that have it, in file order.
  std::unordered_map<std::string, std::vector<size_t>> entries_;
};

}  // namespace quiral
