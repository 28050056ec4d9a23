#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/modern_library_cache.h"

namespace quiral {

class CatalogIndex;
class FileList;
class TokenTable;

// One build of the catalog index: reads every file of the file list line by line and appends a
// block row and a name row for every DEF line, a name row for every name of an ALIAS line, and
// the block's lines to its row until its ENDDEF. What it tracks lives only during the build; an
// open block carries on into the next file. A modern library is read as the legacy text it is
// translated into.
class IndexBuild {
 public:
  IndexBuild(CatalogIndex& index, TokenTable& tokens) : index_(index), tokens_(tokens) {}

  // Walks `files` from its first entry to its last, selecting each in turn. Throws FileError
  // when a file cannot be read; the rows appended until then stay. A modern library that cannot
  // be translated adds no row: it is named in skippedFiles() and the walk goes on, as a damaged
  // legacy library is read for what it holds.
  void run(FileList& files);

  const std::vector<std::string>& skippedFiles() const { return skipped_; }

 private:
  void readFile(const std::string& path, const std::string& name);
  void takeLine(std::string_view line);
  void aliasLine(std::string_view line);
  void openBlock(std::string_view line);
  void appendToBlock(std::string_view line);
  // Stores the open block's lines so far in its row.
  void storeBlockText();
  void appendNameRow(std::string_view alias);

  CatalogIndex& index_;
  TokenTable& tokens_;
  bool InBlock = false;
  int32_t ModelNumber = 0;  // blocks opened so far
  std::string CurrentPrincipal;
  std::string CurrentLib;
  std::string fileName_;   // of the file being read
  size_t openRow_ = 0;     // the block row being filled, while InBlock
  std::string blockText_;  // its lines, gathered here and stored in the row when it closes
  ModernLibraryCache modernLibraries_;
  std::vector<std::string> skipped_;
};

}  // namespace quiral
