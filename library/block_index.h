#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/file_stamp.h"

namespace quiral {

// Where each component's block starts in one library as it was when it was indexed, so that
// showing a component reads its block alone instead of the file from its start: a catalog of
// the whole library then reads it once, not once per component. The index holds for the file's
// size and modification time; a library changed on disk is indexed anew.
class BlockIndex {
 public:
  // Starts a new index of `path` as stamped.
  void start(const std::string& path, const FileStamp& stamp);
  void clear();
  // Whether the index describes `path` as stamped now.
  bool describes(const std::string& path, const FileStamp& stamp) const;

  // Notes a DEF line naming `upperName` (trimmed, upper-cased) at `offset`. A name met twice
  // keeps its first block, the one a walk from the start would find.
  void note(std::string_view upperName, uint64_t offset);
  std::optional<uint64_t> find(const std::string& upperName) const;

 private:
  bool valid_ = false;
  std::string path_;
  FileStamp stamp_;
  std::unordered_map<std::string, uint64_t> offsets_;
};

}  // namespace quiral
