#pragma once

#include <string>

namespace quiral {

// The site's one style sheet: light and dark colour schemes (pictures keep a white ground, so
// KiCad's colours stay readable), visible focus, and a print style.
const std::string& siteStyleSheet();

// The site's one script: the search box (the rules of search/search_rules.h over the index that
// search-index.js holds, loaded when the box is first used), its keyboard navigation, and the
// sorting of pin tables.
const std::string& siteScript();

}  // namespace quiral
