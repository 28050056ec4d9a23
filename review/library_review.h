#pragma once

#include <string>
#include <vector>

#include "review/symbol_compare.h"
#include "review/symbol_facts.h"

namespace quiral {

enum class ChangeKind { Added, Removed, Renamed, Changed };

// One library or symbol that differs between the two sides of a review.
struct ReviewEntry {
  std::string library;  // the library's file name without its extension
  std::string symbol;   // empty for an entry about the whole library
  int occurrence = 0;   // which block of a name met more than once (0 for the first)
  bool alias = false;
  ChangeKind change = ChangeKind::Changed;
  std::string from;  // the old name of a renamed symbol
  std::vector<Difference> differences;
  // The blocks of the two sides, for pictures; empty on the side that has no such symbol.
  std::string oldBlock;
  std::string newBlock;
  int tolerance = 0;  // the units within which the two sides were compared as equal
  std::vector<std::string> oldUnitNames;
  std::vector<std::string> newUnitNames;
};

struct Review {
  std::vector<ReviewEntry> entries;  // by library, then whole-library entries, then by name
  // Facts worth telling that are no difference (a name met twice in one library, ...).
  std::vector<std::string> warnings;
};

// Compares two versions of one library and appends what differs under the name `library`. The
// records of the blocks that need comparing are read on the way (see parseSymbolFacts).
void reviewLibraries(LibraryFacts& before, LibraryFacts& after, const std::string& library,
                     Review& out);

// Compares two library files (any mix of formats) or two folders of libraries (matched by file
// name without extension). Throws QuiralError naming the path for a side that cannot be read
// or is damaged, and for a folder compared with a file.
Review reviewPaths(const std::string& before, const std::string& after);

// Puts the entries in the review's stable order.
void sortEntries(std::vector<ReviewEntry>& entries);

// The entry's symbol as a reviewer names it: its name, with "[2]", "[3]" ... for a name met
// again in the same library.
std::string symbolLabel(const ReviewEntry& entry);
const char* changeWord(ChangeKind change);

// A file name without its folder and extension.
std::string libraryStem(const std::string& path);

}  // namespace quiral
