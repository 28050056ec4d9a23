#include "review/library_review.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "review/compare_parts.h"
#include "review/library_reading.h"

namespace quiral {

namespace {

using SymbolKey = std::pair<std::string, int>;  // name, occurrence

std::map<SymbolKey, size_t> symbolsByKey(const LibraryFacts& library) {
  std::map<SymbolKey, size_t> keys;
  for (size_t i = 0; i < library.symbols.size(); ++i)
    keys.emplace(SymbolKey{library.symbols[i].name, library.symbols[i].occurrence}, i);
  return keys;
}

// Alias name -> its root symbol's index; the first alias of a name counts.
std::map<std::string, size_t> aliasesOf(const LibraryFacts& library) {
  std::map<std::string, size_t> aliases;
  for (size_t i = 0; i < library.symbols.size(); ++i)
    for (const std::string& alias : library.symbols[i].aliases) aliases.try_emplace(alias, i);
  return aliases;
}

// Reviews one library pair: the two sides and what was matched so far.
class LibraryPairReview {
 public:
  LibraryPairReview(LibraryFacts& before, LibraryFacts& after, const std::string& library,
                    Review& out)
      : a_(before), b_(after), library_(library), out_(out) {
    rules_.tolerance = before.format == after.format ? 0 : 1;
  }

  void run() {
    // Documentation present on one side only (a copy made without its .dcm, as git's difftool
    // makes) tells nothing about a change: it is not compared.
    if (a_.hasDocumentation != b_.hasDocumentation) {
      const LibraryFacts& without = a_.hasDocumentation ? b_ : a_;
      out_.warnings.push_back(without.path +
                              ": no documentation file beside it; descriptions, keywords and "
                              "datasheets are not compared");
      a_.docs.clear();
      b_.docs.clear();
    }
    reportDuplicates();
    compareSymbols();
    compareAliases();
  }

 private:
  ReviewEntry& entry(const SymbolFacts& symbol, ChangeKind change) {
    ReviewEntry& e = out_.entries.emplace_back();
    e.library = library_;
    e.symbol = symbol.name;
    e.occurrence = symbol.occurrence;
    e.change = change;
    return e;
  }

  void withBlocks(ReviewEntry& e, const SymbolFacts* before, const SymbolFacts* after) {
    e.tolerance = rules_.tolerance;
    if (before) e.oldBlock = before->block, e.oldUnitNames = before->unitNames;
    if (after) e.newBlock = after->block, e.newUnitNames = after->unitNames;
  }

  void reportDuplicates() {
    std::map<std::string, std::pair<int, int>> counts;
    for (const SymbolFacts& s : a_.symbols) ++counts[s.name].first;
    for (const SymbolFacts& s : b_.symbols) ++counts[s.name].second;
    std::vector<Difference> changes;
    for (const auto& [name, count] : counts) {
      if (count.first > 1)
        out_.warnings.push_back(a_.path + ": \"" + name + "\" is defined " +
                                std::to_string(count.first) + " times; compared in order");
      if (count.second > 1 && b_.path != a_.path)
        out_.warnings.push_back(b_.path + ": \"" + name + "\" is defined " +
                                std::to_string(count.second) + " times; compared in order");
      if ((count.first > 1 || count.second > 1) && count.first != count.second)
        changes.push_back({"duplicate name", "\"" + name + "\": defined " +
                                                 std::to_string(count.first) + " -> " +
                                                 std::to_string(count.second) + " times"});
    }
    if (changes.empty()) return;
    ReviewEntry& e = out_.entries.emplace_back();
    e.library = library_;
    e.differences = std::move(changes);
  }

  void compareSymbols() {
    const auto keysA = symbolsByKey(a_), keysB = symbolsByKey(b_);
    std::vector<size_t> removed, added;
    for (const auto& [key, i] : keysA) {
      const auto found = keysB.find(key);
      if (found == keysB.end()) {
        removed.push_back(i);
        continue;
      }
      SymbolFacts &x = a_.symbols[i], &y = b_.symbols[found->second];
      // Blocks of the same text read the same: their records need no reading.
      if (x.block != y.block || x.unitNames != y.unitNames) {
        parseSymbolFacts(x);
        parseSymbolFacts(y);
      }
      auto differences = quiral::compareSymbols(x, a_.docsOf(x.name), y, b_.docsOf(y.name), rules_);
      if (differences.empty()) continue;
      ReviewEntry& e = entry(y, ChangeKind::Changed);
      e.differences = std::move(differences);
      withBlocks(e, &x, &y);
    }
    for (const auto& [key, k] : keysB)
      if (!keysA.count(key)) added.push_back(k);
    findRenames(removed, added);
    for (size_t i : removed)
      withBlocks(entry(a_.symbols[i], ChangeKind::Removed), &a_.symbols[i], nullptr);
    for (size_t k : added)
      withBlocks(entry(b_.symbols[k], ChangeKind::Added), nullptr, &b_.symbols[k]);
  }

  // A removed symbol and an added one that draw and declare the same are one symbol renamed.
  void findRenames(std::vector<size_t>& removed, std::vector<size_t>& added) {
    std::multimap<std::string, size_t> addedByPrint;
    for (size_t k : added) {
      parseSymbolFacts(b_.symbols[k]);
      addedByPrint.emplace(drawingFingerprint(b_.symbols[k]), k);
    }
    std::vector<size_t> stillRemoved;
    for (size_t i : removed) {
      parseSymbolFacts(a_.symbols[i]);
      const auto found = addedByPrint.find(drawingFingerprint(a_.symbols[i]));
      if (found == addedByPrint.end()) {
        stillRemoved.push_back(i);
        continue;
      }
      const SymbolFacts &x = a_.symbols[i], &y = b_.symbols[found->second];
      renamedRoots_[x.name] = y.name;
      added.erase(std::find(added.begin(), added.end(), found->second));
      addedByPrint.erase(found);
      ReviewEntry& e = entry(y, ChangeKind::Renamed);
      e.from = x.name;
      e.differences = quiral::compareSymbols(x, a_.docsOf(x.name), y, b_.docsOf(y.name), rules_);
      // The value that follows the name is part of the rename.
      std::erase_if(e.differences, [](const Difference& d) {
        return d.what == "field text" && d.detail.rfind("value: ", 0) == 0;
      });
      withBlocks(e, &x, &y);
    }
    removed.swap(stillRemoved);
  }

  // The name of an old root as the new library knows it.
  std::string rootName(const std::string& oldRoot) const {
    const auto renamed = renamedRoots_.find(oldRoot);
    return renamed == renamedRoots_.end() ? oldRoot : renamed->second;
  }

  ReviewEntry& aliasEntry(const std::string& name, ChangeKind change) {
    ReviewEntry& e = out_.entries.emplace_back();
    e.library = library_;
    e.symbol = name;
    e.alias = true;
    e.change = change;
    return e;
  }

  void compareAliases() {
    const auto aliasesA = aliasesOf(a_), aliasesB = aliasesOf(b_);
    std::vector<std::string> removed, added;
    for (const auto& [name, i] : aliasesA) {
      const auto found = aliasesB.find(name);
      if (found == aliasesB.end()) {
        removed.push_back(name);
        continue;
      }
      std::vector<Difference> differences;
      const std::string rootA = rootName(a_.symbols[i].name),
                        rootB = b_.symbols[found->second].name;
      if (rootA != rootB)
        differences.push_back({"alias of", change(quoted(a_.symbols[i].name), quoted(rootB))});
      appendDocDifferences(a_.docsOf(name), b_.docsOf(name), differences);
      if (!differences.empty()) aliasEntry(name, ChangeKind::Changed).differences = differences;
    }
    for (const auto& [name, k] : aliasesB)
      if (!aliasesA.count(name)) added.push_back(name);
    for (const std::string& old : removed) {
      const std::string root = rootName(a_.symbols[aliasesA.at(old)].name);
      const auto same = std::find_if(added.begin(), added.end(), [&](const std::string& name) {
        return b_.symbols[aliasesB.at(name)].name == root && b_.docsOf(name) == a_.docsOf(old);
      });
      if (same != added.end()) {
        aliasEntry(*same, ChangeKind::Renamed).from = old;
        added.erase(same);
      } else {
        aliasEntry(old, ChangeKind::Removed)
            .differences.push_back({"alias of", quoted(a_.symbols[aliasesA.at(old)].name)});
      }
    }
    for (const std::string& name : added)
      aliasEntry(name, ChangeKind::Added)
          .differences.push_back({"alias of", quoted(b_.symbols[aliasesB.at(name)].name)});
  }

  static void appendDocDifferences(const DocFacts& a, const DocFacts& b,
                                   std::vector<Difference>& out) {
    if (a.description != b.description)
      out.push_back({"description", change(quoted(a.description), quoted(b.description))});
    if (a.keywords != b.keywords)
      out.push_back({"keywords", change(quoted(a.keywords), quoted(b.keywords))});
    if (a.datasheet != b.datasheet)
      out.push_back({"datasheet", change(quoted(a.datasheet), quoted(b.datasheet))});
  }

  LibraryFacts& a_;
  LibraryFacts& b_;
  const std::string& library_;
  Review& out_;
  CompareRules rules_;
  std::map<std::string, std::string> renamedRoots_;
};

}  // namespace

void reviewLibraries(LibraryFacts& before, LibraryFacts& after, const std::string& library,
                     Review& out) {
  LibraryPairReview(before, after, library, out).run();
}

void sortEntries(std::vector<ReviewEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const ReviewEntry& a, const ReviewEntry& b) {
    return std::forward_as_tuple(a.library, !a.symbol.empty(), a.symbol, a.occurrence) <
           std::forward_as_tuple(b.library, !b.symbol.empty(), b.symbol, b.occurrence);
  });
}

std::string symbolLabel(const ReviewEntry& entry) {
  if (entry.occurrence == 0) return entry.symbol;
  return entry.symbol + " [" + std::to_string(entry.occurrence + 1) + "]";
}

const char* changeWord(ChangeKind change) {
  switch (change) {
    case ChangeKind::Added:
      return "added";
    case ChangeKind::Removed:
      return "removed";
    case ChangeKind::Renamed:
      return "renamed";
    case ChangeKind::Changed:
      return "changed";
  }
  return "changed";
}

std::string libraryStem(const std::string& path) {
  const size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace quiral
