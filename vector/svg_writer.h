#pragma once

#include <string>

#include "platform/display_list.h"

namespace quiral {

// A standalone SVG picture of a display list at 1:1 (one library unit is 0.0254 mm): the view
// box is the list's bounds plus `margin` units on every side. Texts are <text> elements in the
// Arial-compatible families, so a reader can search and copy them.
//
// The compact form (for a web catalog of thousands of pictures) draws the same picture in fewer
// bytes: whole library units (a mil), the shared style once on the root, each path segment absolute
// or relative, whichever is shorter, and the texts of one angle turned together by their group.
enum class SvgForm { Full, Compact };
std::string symbolSvg(const DisplayList& list, double margin, SvgForm form = SvgForm::Full);

}  // namespace quiral
