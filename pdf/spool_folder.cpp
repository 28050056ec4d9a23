#include "pdf/spool_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

#include "platform/error.h"

namespace quiral {

SpoolFolder::SpoolFolder() {
  std::error_code error;
  std::filesystem::path base = std::filesystem::temp_directory_path(error);
  if (error) base = "/tmp";
  std::string pattern = (base / "quiral-pdf-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throwFileError(pattern);
  path_ = pattern;
}

SpoolFolder::~SpoolFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace quiral
