#pragma once

#include <string>

#include "review/symbol_facts.h"

namespace quiral {

// A library as one line per fact, each naming its symbol, in an order that does not depend on
// the order of the file's blocks or of their records: symbols by name, then each symbol's
// options, documentation, footprint filters, fields, pins and drawn items in canonical order.
// Meant for git's textconv, so that a text diff of two versions shows meaningful lines.
std::string libraryFactLines(const LibraryFacts& library);

}  // namespace quiral
