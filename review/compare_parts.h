#pragma once

#include <string>
#include <vector>

#include "review/symbol_compare.h"

namespace quiral {

// The parts of a symbol comparison, each appending its differences in its own fixed order.
void comparePins(const std::vector<PinFact>& before, const std::vector<PinFact>& after,
                 const CompareRules& rules, std::vector<Difference>& out);
void compareGraphics(const std::vector<GraphicFact>& before, const std::vector<GraphicFact>& after,
                     const CompareRules& rules, std::vector<Difference>& out);
void compareFields(const std::vector<FieldFact>& before, const std::vector<FieldFact>& after,
                   const CompareRules& rules, std::vector<Difference>& out);

// Shared wording.
bool near(int a, int b, const CompareRules& rules);
std::string pointText(int x, int y);
std::string quoted(const std::string& text);
// "from -> to".
std::string change(const std::string& from, const std::string& to);

// Pairs items of two lists: first every pair that `same` accepts, in order, then each pass in
// turn. Returns the pairs (indices) and leaves the unpaired indices in `leftA` and `leftB`.
template <typename A, typename Match>
std::vector<std::pair<size_t, size_t>> pairUp(const std::vector<A>& a, const std::vector<A>& b,
                                              std::vector<size_t>& leftA,
                                              std::vector<size_t>& leftB, Match match) {
  std::vector<std::pair<size_t, size_t>> pairs;
  std::vector<size_t> restA;
  for (size_t i : leftA) {
    bool paired = false;
    for (size_t k = 0; k < leftB.size(); ++k) {
      if (match(a[i], b[leftB[k]])) {
        pairs.emplace_back(i, leftB[k]);
        leftB.erase(leftB.begin() + long(k));
        paired = true;
        break;
      }
    }
    if (!paired) restA.push_back(i);
  }
  leftA.swap(restA);
  return pairs;
}

// Leaves in `leftA` and `leftB` the items that have no equal on the other side (equal items
// are paired in order): the fast path for the items that did not change at all. Both lists must
// be in their canonical order.
template <typename A>
void dropEqual(const std::vector<A>& a, const std::vector<A>& b, std::vector<size_t>& leftA,
               std::vector<size_t>& leftB) {
  size_t i = 0, k = 0;
  while (i < a.size() && k < b.size()) {
    if (a[i] == b[k]) {
      ++i;
      ++k;
    } else if (a[i] < b[k]) {
      leftA.push_back(i++);
    } else {
      leftB.push_back(k++);
    }
  }
  for (; i < a.size(); ++i) leftA.push_back(i);
  for (; k < b.size(); ++k) leftB.push_back(k);
}

}  // namespace quiral
