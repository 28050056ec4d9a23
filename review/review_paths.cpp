// Which libraries a review compares: two files, or the libraries of two folders matched by their
// names without extension.

#include <sys/stat.h>

#include <future>
#include <map>

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
  for (const auto& [stem, path] : librariesA) {
    const auto other = librariesB.find(stem);
    if (other == librariesB.end()) {
      wholeLibrary(readLibraryFacts(path, false), stem, ChangeKind::Removed, review);
      continue;
    }
    LibraryFacts a, b;
    readBoth(path, other->second, a, b);
    reviewLibraries(a, b, stem, review);
  }
  for (const auto& [stem, path] : librariesB)
    if (!librariesA.count(stem))
      wholeLibrary(readLibraryFacts(path, false), stem, ChangeKind::Added, review);
  sortEntries(review.entries);
  return review;
}

}  // namespace quiral
