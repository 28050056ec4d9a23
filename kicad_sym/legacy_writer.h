#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "kicad_sym/modern_symbol.h"

namespace quiral {

// The text of a legacy library and of its documentation file, written as KiCad 5 writes them.

void beginLegacyLibrary(std::string& out);
void endLegacyLibrary(std::string& out);
// One component block from DEF to ENDDEF; `aliases` are the legacy names of its derived symbols.
void appendLegacyBlock(std::string& out, const ModernSymbol& symbol,
                       const std::vector<std::string>& aliases);

void beginDocumentation(std::string& out);
void endDocumentation(std::string& out);
// One $CMP ... $ENDCMP entry; empty texts leave their line out.
void appendDocumentationEntry(std::string& out, std::string_view name, std::string_view description,
                              std::string_view keywords, std::string_view datasheet);

}  // namespace quiral
