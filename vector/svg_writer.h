#pragma once

#include <string>

#include "platform/display_list.h"

namespace quiral {

// A standalone SVG picture of a display list at 1:1 (one library unit is 0.0254 mm): the view
// box is the list's bounds plus `margin` units on every side. Texts are <text> elements in the
// Arial-compatible families, so a reader can search and copy them.
std::string symbolSvg(const DisplayList& list, double margin);

}  // namespace quiral
