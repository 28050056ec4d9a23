#pragma once

#include <string>
#include <vector>

#include "library/documentation_entry.h"
#include "library/pin_table.h"
#include "render/symbol_properties.h"

namespace quiral {

// A picture file of the site and the size it is shown at, in CSS pixels.
struct SitePicture {
  std::string file;  // relative to the site's folder
  long width = 0;
  long height = 0;
};

// One unit as the catalog shows it: its label ("A", "A (name)"; empty for a one-unit symbol) and
// its pictures, the De Morgan body's when the symbol has one.
struct SiteUnit {
  std::string label;
  SitePicture normal;
  SitePicture deMorgan;  // file empty without a De Morgan body
};

struct SiteAlias {
  std::string name;  // as shown (no tilde), bytes as in the library
  std::string anchor;
  DocumentationEntry doc;
};

// Everything one symbol's section of a library page shows.
struct SiteSymbol {
  std::string anchor;
  SymbolProperties properties;  // the symbol's own (name without tilde, docs, fields, units)
  std::vector<SiteAlias> aliases;
  std::vector<SiteUnit> units;
  std::vector<PinRow> pins;
};

// Appends the symbol's section: its anchor, name, every unit's picture, aliases, description,
// keywords, footprint filters and datasheet, then a details panel with its fields, units and
// the place its pin table is built in (from the library's pin script). Every library text is
// escaped; only an http(s) datasheet becomes a link.
void appendSymbolSection(std::string& html, const SiteSymbol& symbol);

}  // namespace quiral
