#pragma once

#include <string>

#include "review/library_review.h"

namespace quiral {

// The review in words: one line per difference, each line whole on its own
// ("LIBRARY: SYMBOL: WHAT: DETAIL"), in the review's order. Bytes of names and texts pass as
// they are.
std::string reviewWords(const Review& review);

// The lines of one entry, as reviewWords writes them.
std::string entryWords(const ReviewEntry& entry);

// The review as JSON: an array with one object per entry (library, symbol, change, from,
// differences with what and detail). Texts that are not UTF-8 are read as Windows-1252.
std::string reviewJson(const Review& review);

}  // namespace quiral
