#pragma once

#include <string>
#include <vector>

#include "search/symbol_facts.h"

namespace quiral {

// The libraries a search reads: each folder's library files in its file list's order, and files
// named on their own, in the order given.
struct SearchPlaces {
  std::vector<std::string> libraries;  // paths
  std::vector<std::string> folders;    // the folders listed, whose vanished files are forgotten
};

// The library files of `folders` and the libraries named, as places. Throws FileError when a
// folder cannot be listed.
SearchPlaces searchPlacesOf(const std::vector<std::string>& foldersOrLibraries);

struct LoadedFacts {
  std::vector<SearchedLibrary> libraries;  // those that could be read, in the order of the places
  std::vector<std::string> warnings;  // libraries skipped (naming the file and line), the cache
  size_t readFromFiles = 0;
  size_t readFromCache = 0;
};

// The facts of every library of `places`. With a `cachePath`, libraries whose size and
// modification time are as the cache has them are taken from it and the others are read and
// kept there; a cache that cannot be used never stops the load: a damaged one is made again, any
// other is left alone and the load goes on without it, with one warning naming the file.
// An empty `cachePath` reads every file.
LoadedFacts loadSearchFacts(const SearchPlaces& places, const std::string& cachePath);

}  // namespace quiral
