// The cache database. Texts are kept as blobs, byte for byte (a library need not be UTF-8). The
// schema's version is the database's user_version: a database of another version is emptied and
// made again.

#include "search/search_cache.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "platform/file_stamp.h"

namespace quiral {

namespace {

constexpr int kSchemaVersion = 1;
// How long a program waits while another one writes, in milliseconds.
constexpr int kBusyTimeoutMs = 5000;
constexpr int32_t kMaxUnits = 676;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS files(id INTEGER PRIMARY KEY, path BLOB UNIQUE NOT NULL,"
    " size INTEGER NOT NULL, mtime_ns INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS names(file INTEGER NOT NULL, seq INTEGER NOT NULL,"
    " name BLOB, alias_of BLOB, description BLOB, keywords BLOB, footprint_filters BLOB,"
    " units INTEGER, pins INTEGER, PRIMARY KEY(file, seq)) WITHOUT ROWID;";

class Statement {
 public:
  Statement(sqlite3* db, const char* sql, const std::function<void(const char*)>& fail)
      : fail_(fail) {
    if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK) fail_("prepare");
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& bind(int index, std::string_view bytes) {
    check(sqlite3_bind_blob64(statement_, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT));
    return *this;
  }
  Statement& bind(int index, int64_t value) {
    check(sqlite3_bind_int64(statement_, index, value));
    return *this;
  }
  // True while there is a row.
  bool step() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) return true;
    if (result != SQLITE_DONE) fail_("step");
    return false;
  }
  void reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
  }
  std::string text(int column) const {
    const void* bytes = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes ? std::string(static_cast<const char*>(bytes), size_t(size)) : std::string();
  }
  int64_t number(int column) const { return sqlite3_column_int64(statement_, column); }

 private:
  void check(int result) {
    if (result != SQLITE_OK) fail_("bind");
  }
  sqlite3_stmt* statement_ = nullptr;
  std::function<void(const char*)> fail_;
};

}  // namespace

SearchCache::SearchCache(const std::string& path) : path_(path) {
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    // An open that failed may still have made a handle, which holds the message.
    const std::string message = path_ + ": " + (db_ ? sqlite3_errmsg(db_) : "cannot open");
    sqlite3_close(db_);
    db_ = nullptr;
    throw SearchCacheError(message, false);
  }
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  try {
    prepareSchema();
  } catch (...) {
    sqlite3_close(db_);
    db_ = nullptr;
    throw;
  }
}

SearchCache::~SearchCache() {
  sqlite3_close(db_);
}

void SearchCache::fail(const char* what) const {
  const int code = sqlite3_extended_errcode(db_) & 0xFF;
  const bool damaged = code == SQLITE_NOTADB || code == SQLITE_CORRUPT || code == SQLITE_SCHEMA;
  throw SearchCacheError(path_ + ": " + sqlite3_errmsg(db_) + " (" + what + ")", damaged);
}

void SearchCache::exec(const char* sql) {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail("exec");
}

void SearchCache::prepareSchema() {
  exec("PRAGMA journal_mode=WAL");
  exec("PRAGMA synchronous=NORMAL");
  Statement version(db_, "PRAGMA user_version", [this](const char* w) { fail(w); });
  const int64_t found = version.step() ? version.number(0) : 0;
  if (found == kSchemaVersion) return;
  exec("BEGIN IMMEDIATE");
  exec("DROP TABLE IF EXISTS files; DROP TABLE IF EXISTS names");
  exec(kSchema);
  exec(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
  exec("COMMIT");
}

std::optional<SearchedLibrary> SearchCache::find(const std::string& path, const FileStamp& stamp) {
  const auto failure = [this](const char* w) { fail(w); };
  Statement file(db_, "SELECT id, size, mtime_ns FROM files WHERE path = ?", failure);
  file.bind(1, path);
  if (!file.step() || file.number(1) != stamp.size || file.number(2) != stamp.modifiedNanoseconds)
    return std::nullopt;
  Statement names(db_,
                  "SELECT name, alias_of, description, keywords, footprint_filters, units, pins"
                  " FROM names WHERE file = ? ORDER BY seq",
                  failure);
  names.bind(1, file.number(0));
  SearchedLibrary facts;
  facts.path = path;
  facts.stamp = stamp;
  while (names.step()) {
    SearchedSymbol& symbol = facts.symbols.emplace_back();
    symbol.name = names.text(0);
    symbol.aliasOf = names.text(1);
    symbol.description = names.text(2);
    symbol.keywords = names.text(3);
    symbol.footprintFilters = names.text(4);
    symbol.unitCount = int32_t(std::clamp<int64_t>(names.number(5), 1, kMaxUnits));
    symbol.pinCount = int32_t(std::clamp<int64_t>(names.number(6), 0, INT32_MAX));
  }
  return facts;
}

void SearchCache::store(const std::vector<const SearchedLibrary*>& libraries) {
  if (libraries.empty()) return;
  const auto failure = [this](const char* w) { fail(w); };
  exec("BEGIN IMMEDIATE");
  try {
    Statement forgetNames(
        db_, "DELETE FROM names WHERE file IN (SELECT id FROM files WHERE path = ?)", failure);
    Statement forgetFile(db_, "DELETE FROM files WHERE path = ?", failure);
    Statement addFile(db_, "INSERT INTO files(path, size, mtime_ns) VALUES(?, ?, ?)", failure);
    Statement addName(db_, "INSERT INTO names VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)", failure);
    for (const SearchedLibrary* library : libraries) {
      forgetNames.bind(1, library->path).step();
      forgetNames.reset();
      forgetFile.bind(1, library->path).step();
      forgetFile.reset();
      addFile.bind(1, library->path).bind(2, library->stamp.size);
      addFile.bind(3, library->stamp.modifiedNanoseconds).step();
      addFile.reset();
      const int64_t id = sqlite3_last_insert_rowid(db_);
      for (size_t seq = 0; seq < library->symbols.size(); ++seq) {
        const SearchedSymbol& s = library->symbols[seq];
        addName.bind(1, id).bind(2, int64_t(seq)).bind(3, s.name).bind(4, s.aliasOf);
        addName.bind(5, s.description).bind(6, s.keywords).bind(7, s.footprintFilters);
        addName.bind(8, int64_t(s.unitCount)).bind(9, int64_t(s.pinCount)).step();
        addName.reset();
      }
    }
    exec("COMMIT");
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

void SearchCache::forgetMissing(const std::string& folder) {
  const auto failure = [this](const char* w) { fail(w); };
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  // Paths from the prefix up to the prefix with its last byte raised: those that start with it.
  std::string end = prefix;
  end.back() = char(end.back() + 1);
  Statement inside(db_, "SELECT id, path FROM files WHERE path >= ? AND path < ?", failure);
  inside.bind(1, prefix).bind(2, end);
  std::vector<int64_t> gone;
  while (inside.step()) {
    const std::string path = inside.text(1);
    if (path.find('/', prefix.size()) != std::string::npos) continue;
    if (!regularFileStamp(path)) gone.push_back(inside.number(0));
  }
  if (gone.empty()) return;
  exec("BEGIN IMMEDIATE");
  try {
    Statement names(db_, "DELETE FROM names WHERE file = ?", failure);
    Statement files(db_, "DELETE FROM files WHERE id = ?", failure);
    for (int64_t id : gone) {
      names.bind(1, id).step();
      names.reset();
      files.bind(1, id).step();
      files.reset();
    }
    exec("COMMIT");
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

std::string defaultSearchCachePath() {
  const char* cacheHome = std::getenv("XDG_CACHE_HOME");
  std::string folder;
  if (cacheHome && cacheHome[0] == '/') {
    folder = cacheHome;
  } else if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
    folder = std::string(home) + "/.cache";
  } else {
    return {};
  }
  return folder + "/quiral/search.sqlite3";
}

}  // namespace quiral
