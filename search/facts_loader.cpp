#include "search/facts_loader.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#include "library/folder_listing.h"
#include "library/library_browser.h"
#include "platform/error.h"
#include "platform/file_stamp.h"
#include "search/facts_reader.h"
#include "search/search_cache.h"

namespace quiral {

namespace {

// Reading libraries is bound by the processor: more threads than cores do not help.
constexpr size_t kMaxReaders = 8;

std::string absolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

// Makes the cache's folder and those above it; false when it cannot.
bool makeFolderOf(const std::string& file) {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::path(file).parent_path();
  std::filesystem::create_directories(folder, error);
  return !error && std::filesystem::is_directory(folder, error);
}

void removeDamagedCache(const std::string& path) {
  // Only a file is removed: whatever else stands at the path is left for its owner.
  if (!regularFileStamp(path)) return;
  for (const char* suffix : {"", "-wal", "-shm"}) ::unlink((path + suffix).c_str());
}

class Loader {
 public:
  Loader(const SearchPlaces& places, const std::string& cachePath)
      : places_(places), cachePath_(cachePath), found_(places.libraries.size()) {
    // The cache names files by their absolute paths, whatever path they were given by.
    for (const std::string& path : places.libraries) paths_.push_back(absolutePath(path));
  }

  LoadedFacts run() {
    if (!cachePath_.empty()) takeFromCache();
    readTheRest();
    if (cache_) storeInCache();
    for (std::optional<SearchedLibrary>& facts : found_)
      if (facts) result_.libraries.push_back(std::move(*facts));
    return std::move(result_);
  }

 private:
  void takeFromCache() {
    try {
      lookUp();
    } catch (const SearchCacheError& e) {
      cache_.reset();
      found_.assign(found_.size(), std::nullopt);
      result_.readFromCache = 0;
      if (!e.damaged()) return warnCache(std::string(e.what()) + "; searching without it");
      removeDamagedCache(cachePath_);
      try {
        cache_ = std::make_unique<SearchCache>(cachePath_);
        warnCache(std::string(e.what()) + "; made again");
      } catch (const SearchCacheError& again) {
        warnCache(std::string(again.what()) + "; searching without it");
      }
    }
  }

  void lookUp() {
    if (!makeFolderOf(cachePath_))
      throw SearchCacheError(cachePath_ + ": its folder cannot be made", false);
    cache_ = std::make_unique<SearchCache>(cachePath_);
    for (const std::string& folder : places_.folders) cache_->forgetMissing(absolutePath(folder));
    for (size_t i = 0; i < found_.size(); ++i) {
      const std::optional<FileStamp> stamp = regularFileStamp(paths_[i]);
      if (!stamp) continue;
      found_[i] = cache_->find(paths_[i], *stamp);
      if (!found_[i]) continue;
      found_[i]->library = libraryNameOf(paths_[i]);
      ++result_.readFromCache;
    }
  }

  // The libraries not taken from the cache, read by a few threads at once; what each read gives
  // (or its warning) goes to its own place, so the result is the same whatever the threads do.
  void readTheRest() {
    std::vector<size_t> wanted;
    for (size_t i = 0; i < found_.size(); ++i)
      if (!found_[i]) wanted.push_back(i);
    std::vector<std::string> failures(found_.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
      for (size_t k = next++; k < wanted.size(); k = next++)
        readOne(wanted[k], failures[wanted[k]]);
    };
    const size_t threads = std::min<size_t>(
        {wanted.size(), std::max(1u, std::thread::hardware_concurrency()), kMaxReaders});
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
    for (size_t i : wanted) {
      if (found_[i]) {
        readNow_.push_back(i);
        ++result_.readFromFiles;
      } else {
        result_.warnings.push_back(std::move(failures[i]));
      }
    }
  }

  void readOne(size_t i, std::string& failure) {
    try {
      found_[i] = readLibraryFacts(paths_[i]);
    } catch (const FileError& e) {
      failure = std::string(e.what()) + " (skipped)";
    } catch (...) {
      // A modern library's message names the line and column, not the file.
      failure = paths_[i] + ": " + userMessage(std::current_exception()) + " (skipped)";
    }
  }

  void storeInCache() {
    std::vector<const SearchedLibrary*> toStore;
    for (size_t i : readNow_) toStore.push_back(&*found_[i]);
    try {
      cache_->store(toStore);
    } catch (const SearchCacheError& e) {
      warnCache(std::string(e.what()) + "; not updated");
    }
  }

  // The cache gets one warning at most.
  void warnCache(const std::string& text) {
    if (cacheWarned_) return;
    cacheWarned_ = true;
    result_.warnings.push_back("search cache " + text);
  }

  const SearchPlaces& places_;
  const std::string& cachePath_;
  std::vector<std::string> paths_;
  std::unique_ptr<SearchCache> cache_;
  std::vector<std::optional<SearchedLibrary>> found_;
  std::vector<size_t> readNow_;
  LoadedFacts result_;
  bool cacheWarned_ = false;
};

}  // namespace

SearchPlaces searchPlacesOf(const std::vector<std::string>& foldersOrLibraries) {
  SearchPlaces places;
  for (const std::string& place : foldersOrLibraries) {
    if (!folderExists(place)) {
      places.libraries.push_back(place);
      continue;
    }
    places.folders.push_back(place);
    for (const std::string& name : listLibraryFiles(place))
      places.libraries.push_back(joinPath(place, name));
  }
  return places;
}

LoadedFacts loadSearchFacts(const SearchPlaces& places, const std::string& cachePath) {
  return Loader(places, cachePath).run();
}

}  // namespace quiral
