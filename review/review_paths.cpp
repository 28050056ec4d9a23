// Which libraries a review compares: two files, or the libraries of two folders matched by their
// names without extension.

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <map>
#include <thread>
#include <vector>

#include "library/folder_listing.h"
#include "library/library_browser.h"
#include "platform/error.h"
#include "review/library_reading.h"
#include "review/library_review.h"

namespace quiral {

namespace {

bool isFolder(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) throwFileError(path);
  return S_ISDIR(info.st_mode);
}

// Stem -> path of each library of a folder; of two files with one stem the first listed counts.
std::map<std::string, std::string> librariesOf(const std::string& folder,
                                               std::vector<std::string>& warnings) {
  std::map<std::string, std::string> libraries;
  for (const std::string& name : listLibraryFiles(folder)) {
    const std::string path = joinPath(folder, name);
    const auto [it, fresh] = libraries.try_emplace(libraryStem(name), path);
    if (!fresh)
      warnings.push_back(path + ": another library of the folder has the same name (" + it->second +
                         "); left out");
  }
  return libraries;
}

void wholeLibrary(const LibraryFacts& facts, const std::string& stem, ChangeKind change,
                  Review& out) {
  ReviewEntry& e = out.entries.emplace_back();
  e.library = stem;
  e.change = change;
  e.differences.push_back({"symbols", std::to_string(facts.symbols.size())});
}

// One library of a folder review: its paths on each side (empty where it is missing).
struct LibraryPair {
  std::string stem;
  std::string before;
  std::string after;
};

void reviewPair(const LibraryPair& pair, Review& out) {
  if (pair.after.empty()) {
    wholeLibrary(readLibraryFacts(pair.before, false), pair.stem, ChangeKind::Removed, out);
  } else if (pair.before.empty()) {
    wholeLibrary(readLibraryFacts(pair.after, false), pair.stem, ChangeKind::Added, out);
  } else {
    LibraryFacts a = readLibraryFacts(pair.before, false), b = readLibraryFacts(pair.after, false);
    reviewLibraries(a, b, pair.stem, out);
  }
}

// Reviews the pairs on every core, each pair on one; the results are joined in the pairs' order,
// so the review does not depend on the number of threads. The first pair that failed, in that
// order, gives the error.
void reviewPairs(const std::vector<LibraryPair>& pairs, Review& out) {
  std::vector<Review> results(pairs.size());
  std::vector<std::exception_ptr> failures(pairs.size());
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < pairs.size(); i = next++) {
      try {
        reviewPair(pairs[i], results[i]);
      } catch (...) {
        failures[i] = std::current_exception();
      }
    }
  };
  const size_t threads =
      std::clamp<size_t>(std::thread::hardware_concurrency(), 1, std::min<size_t>(pairs.size(), 8));
  std::vector<std::thread> workers;
  for (size_t t = 1; t < threads; ++t) workers.emplace_back(work);
  work();
  for (std::thread& worker : workers) worker.join();
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (failures[i]) std::rethrow_exception(failures[i]);
    for (ReviewEntry& entry : results[i].entries) out.entries.push_back(std::move(entry));
    for (std::string& warning : results[i].warnings) out.warnings.push_back(std::move(warning));
  }
}

// The two sides are read at once, each on a core of its own.
void readBoth(const std::string& pathA, const std::string& pathB, LibraryFacts& a,
              LibraryFacts& b) {
  auto first = std::async(std::launch::async, [&] { return readLibraryFacts(pathA, false); });
  std::exception_ptr failure;
  try {
    b = readLibraryFacts(pathB, false);
  } catch (...) {
    failure = std::current_exception();
  }
  a = first.get();  // the old side's failure, when both fail, is the one told
  if (failure) std::rethrow_exception(failure);
}

}  // namespace

Review reviewPaths(const std::string& before, const std::string& after) {
  const bool folderA = isFolder(before), folderB = isFolder(after);
  if (folderA != folderB)
    throw QuiralError("cannot compare a folder with a file: " + (folderA ? before : after) +
                      " is a folder, " + (folderA ? after : before) + " is not");
  Review review;
  if (!folderA) {
    LibraryFacts a, b;
    readBoth(before, after, a, b);
    reviewLibraries(a, b, libraryStem(after), review);
    sortEntries(review.entries);
    return review;
  }
  const auto librariesA = librariesOf(before, review.warnings);
  const auto librariesB = librariesOf(after, review.warnings);
  std::vector<LibraryPair> pairs;
  for (const auto& [stem, path] : librariesA) {
    const auto other = librariesB.find(stem);
    pairs.push_back({stem, path, other == librariesB.end() ? std::string() : other->second});
  }
  for (const auto& [stem, path] : librariesB)
    if (!librariesA.count(stem)) pairs.push_back({stem, std::string(), path});
  reviewPairs(pairs, review);
  sortEntries(review.entries);
  return review;
}

}  // namespace quiral
