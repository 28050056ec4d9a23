#include "library/block_index.h"

namespace quiral {

void BlockIndex::start(const std::string& path, const FileStamp& stamp) {
  offsets_.clear();
  path_ = path;
  stamp_ = stamp;
  valid_ = true;
}

void BlockIndex::clear() {
  offsets_.clear();
  path_.clear();
  valid_ = false;
}

bool BlockIndex::describes(const std::string& path, const FileStamp& stamp) const {
  return valid_ && path == path_ && stamp == stamp_;
}

void BlockIndex::note(std::string_view upperName, uint64_t offset) {
  offsets_.try_emplace(std::string(upperName), offset);
}

std::optional<uint64_t> BlockIndex::find(const std::string& upperName) const {
  auto it = offsets_.find(upperName);
  if (it == offsets_.end()) return std::nullopt;
  return it->second;
}

}  // namespace quiral
