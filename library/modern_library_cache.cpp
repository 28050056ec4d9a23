#include "library/modern_library_cache.h"

#include "platform/error.h"

namespace quiral {

std::shared_ptr<const TranslatedLibrary> ModernLibraryCache::translation(const std::string& path) {
  const FileStamp stamp = fileStamp(path);
  if (translated_ && path == path_ && stamp == stamp_) return translated_;
  translated_.reset();
  try {
    translated_ = std::make_shared<const TranslatedLibrary>(translateModernLibraryFile(path));
  } catch (const SexprError& e) {
    throw QuiralError(path + ": " + e.what());
  }
  path_ = path;
  stamp_ = stamp;
  return translated_;
}

}  // namespace quiral
