#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "kicad_sym/library_translation.h"
#include "platform/file_stamp.h"

namespace quiral {

class TextFileReader;

// FindDescription for many components of one documentation file in a row, as a catalog asks:
// the file is read once and kept while it stays the same (same path, size and modification
// time), and each lookup gives exactly what FindDescription would give for the file as it is.
class DocumentationCache {
 public:
  std::string find(const std::string& documentationPath, std::string_view componentName);
  // The same lookup in the documentation text of a modern library's translation, kept once per
  // translation, as FindDescriptionInText would give it.
  std::string find(const std::shared_ptr<const TranslatedLibrary>& translation,
                   std::string_view componentName);

  // Keeps the lines of `source` instead of a file's (a later find() of a path reads that file),
  // and looks up in what is kept, as find() does.
  void keepLines(TextFileReader& source);
  std::string findKept(std::string_view componentName) const;
  std::string findWanted(const std::string& wanted) const;  // upper-cased, trimmed

 private:
  void load(const std::string& path, const FileStamp& stamp);

  std::string path_;
  FileStamp stamp_;
  // Held so that the translation kept cannot be replaced by another at the same address.
  std::shared_ptr<const TranslatedLibrary> translation_;
  std::vector<std::string> lines_;
  // Upper-cased second word of a line -> the lines that have it, in file order.
  std::unordered_map<std::string, std::vector<size_t>> entries_;
};

}  // namespace quiral
