#pragma once

#include <memory>
#include <optional>
#include <string>

#include "kicad_sym/library_translation.h"
#include "platform/file_stamp.h"

namespace quiral {

// The translation of the modern library in use, made when it is first needed and made again
// when the file's size or modification time changed since.
class ModernLibraryCache {
 public:
  // Throws FileError when the file cannot be read and QuiralError (naming the file, the line and
  // the column) when it is no modern library.
  std::shared_ptr<const TranslatedLibrary> translation(const std::string& path);

 private:
  std::string path_;
  FileStamp stamp_;
  std::shared_ptr<const TranslatedLibrary> translated_;
};

}  // namespace quiral
