#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "search/symbol_facts.h"

struct sqlite3;

namespace quiral {

// A failure of the cache database; the text names the cache file.
class SearchCacheError : public QuiralError {
 public:
  SearchCacheError(const std::string& message, bool damaged)
      : QuiralError(message), damaged_(damaged) {}
  // The file is no database, or a damaged one: making it again is the cure.
  bool damaged() const { return damaged_; }

 private:
  bool damaged_;
};

// The facts of library files kept in an SQLite database, one entry per file with the size and
// modification time it had when it was read. Several programs may use one database at once (WAL,
// and a wait while another one writes). Every failure throws SearchCacheError.
class SearchCache {
 public:
  // Opens or makes the database at `path` (its folder must exist).
  explicit SearchCache(const std::string& path);
  ~SearchCache();
  SearchCache(const SearchCache&) = delete;
  SearchCache& operator=(const SearchCache&) = delete;

  // The facts kept for `path` when they were read from a file of exactly `stamp`.
  std::optional<SearchedLibrary> find(const std::string& path, const FileStamp& stamp);
  // Keeps `libraries` in place of what was kept for their paths, all in one transaction.
  void store(const std::vector<const SearchedLibrary*>& libraries);
  // Forgets the files directly inside `folder` that are no longer regular files.
  void forgetMissing(const std::string& folder);

 private:
  [[noreturn]] void fail(const char* what) const;
  void exec(const char* sql);
  void prepareSchema();

  std::string path_;
  sqlite3* db_ = nullptr;
};

// $XDG_CACHE_HOME/quiral/search.sqlite3 (~/.cache when XDG_CACHE_HOME is unset or not an
// absolute path); empty when neither tells where the cache lives.
std::string defaultSearchCachePath();

}  // namespace quiral
